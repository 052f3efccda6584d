#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qv {

int OpenRegularFileForReading(const std::string& path) {
  // O_NONBLOCK keeps the open of a FIFO without writer from blocking; it is cleared again for
  // the reads of a regular file.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat status {};
  int error = 0;
  if (fstat(fd, &status) != 0) {
    error = errno;
  } else if (S_ISDIR(status.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(status.st_mode)) {
    error = EINVAL;
  } else {
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) error = errno;
  }
  if (error != 0) {
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

std::FILE* OpenRegularFileStream(const std::string& path) {
  const int fd = OpenRegularFileForReading(path);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "rb");
  if (!file) {
    const int error = errno;
    close(fd);
    errno = error;
  }
  return file;
}

}  // namespace qv
