#include "platform/file_probe.h"

#include <sys/stat.h>

namespace qv {

bool IsFolderOrUnknown(std::FILE* file) {
  struct stat status {};
  return fstat(fileno(file), &status) != 0 || S_ISDIR(status.st_mode);
}

}  // namespace qv
