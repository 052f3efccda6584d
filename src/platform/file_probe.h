#pragma once
// Questions about files that only the system can answer.
#include <cstdio>

namespace qv {

// Whether an open stream is a folder (a folder opens for reading here), or cannot be examined.
bool IsFolderOrUnknown(std::FILE* file);

}  // namespace qv
