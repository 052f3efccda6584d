#pragma once
// Questions about files that only the system can answer.
#include <cstdio>
#include <string>

namespace qv {

// Whether an open stream is a folder (a folder opens for reading here), or cannot be examined.
bool IsFolderOrUnknown(std::FILE* file);

// Whether two paths name one existing file: the same device and inode, so a hard link or a
// symbolic link to a file is that file.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace qv
