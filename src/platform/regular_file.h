#pragma once
// Opening an input file that must be an ordinary file. A FIFO would block the open (and every
// read) forever and a device such as /dev/zero never ends, so both are refused before any byte is
// read.
#include <cstdio>
#include <string>

namespace qv {

// Opens `path` for reading (close-on-exec, blocking reads). Returns the descriptor, or -1 with
// errno set: the open's own error, EISDIR for a folder, or EINVAL for anything else that is not
// a regular file (FIFO, socket, device).
int OpenRegularFileForReading(const std::string& path);
// The same as a binary stream; null with errno set.
std::FILE* OpenRegularFileStream(const std::string& path);
// Why `path` cannot be read as a regular file, by the rule of the open above: 0 when it is one,
// else an errno (ENOENT for nothing there, EISDIR for a folder, EINVAL for a FIFO, socket or
// device). Asked before the file goes to a reader that would only say that it failed.
int RegularFileError(const std::string& path);

}  // namespace qv
