#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qv {

namespace {

// What is wrong with a file of this status for reading it to its end: 0, EISDIR or EINVAL.
int NotRegularError(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return EISDIR;
  if (!S_ISREG(status.st_mode)) return EINVAL;
  return 0;
}

}  // namespace

int OpenRegularFileForReading(const std::string& path) {
  // O_NONBLOCK keeps the open of a FIFO without writer from blocking; it is cleared again for
  // the reads of a regular file.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat status {};
  int error = 0;
  if (fstat(fd, &status) != 0) {
    error = errno;
  } else if ((error = NotRegularError(status)) == 0) {
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

int RegularFileError(const std::string& path) {
  // Looked at, not opened: a socket or a FIFO nobody may open is still named for what it is.
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return errno;
  return NotRegularError(status);
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
