#include "platform/file_probe.h"

#include <sys/stat.h>

namespace qv {

bool IsFolderOrUnknown(std::FILE* file) {
  struct stat status {};
  return fstat(fileno(file), &status) != 0 || S_ISDIR(status.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace qv
