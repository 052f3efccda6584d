#pragma once
// Big meshes are made again and again (a text preview at every keystroke, a model rebuilt after
// each edit), and every array of a few megabytes the allocator maps afresh is faulted in page by
// page: on virtual machines that is most of the time a bevelled text takes to make.

namespace qv {

// Keeps freed blocks of up to a few tens of megabytes in the heap for the next mesh instead of
// handing them back to the system. Called once, first thing, by each program.
void KeepLargeBlocksForReuse();

}  // namespace qv
