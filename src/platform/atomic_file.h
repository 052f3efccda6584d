#pragma once
#include <functional>
#include <string>

#include "platform/byte_stream.h"

namespace qv {

// The folder part of a file-system path: "." without one, "/" for a file at the root.
std::string FolderOfPath(const std::string& path);

// Writes `path` through a temporary file in the same folder: `write` fills it, it is flushed to
// disk and renamed over the target only when everything was written, so a failure at any point
// leaves the old file as it was. Throws FileException (and passes on whatever `write` throws);
// the temporary file never survives a failure.
void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write);

// The same for writers that must seek back (movie containers patch their headers at the end):
// `write` gets the open descriptor of the temporary file, positioned at its start.
void WriteFileAtomicallyToDescriptor(const std::string& path, const std::function<void(int fd)>& write);

}  // namespace qv
