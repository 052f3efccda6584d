#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/file_error.h"

namespace qv {

std::string FolderOfPath(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

namespace {

[[noreturn]] void Fail(const std::string& path) {
  const int error = errno;
  throw FileException(FileCauseFromErrno(error), path, error);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write) {
  WriteFileAtomicallyToDescriptor(path, [&](int fd) {
    FileSink sink(fd, path);
    write(sink);
  });
}

void WriteFileAtomicallyToDescriptor(const std::string& path, const std::function<void(int fd)>& write) {
  if (path.empty() || path.back() == '/') throw FileException(FileCause::kBadPath, path, EINVAL);

  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) Fail(path);
  const std::string temporary(name.data());

  try {
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
      fchmod(fd, st.st_mode & 07777);
    } else {
      mode_t mask = umask(0);
      umask(mask);
      fchmod(fd, 0666 & ~mask);
    }
    write(fd);
    if (fsync(fd) != 0) Fail(path);
    if (close(fd) != 0) {
      fd = -1;
      Fail(path);
    }
    fd = -1;
    if (rename(temporary.c_str(), path.c_str()) != 0) Fail(path);
  } catch (...) {
    if (fd >= 0) close(fd);
    unlink(temporary.c_str());
    throw;
  }
  // Make the rename itself durable.
  int dir = open(FolderOfPath(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

}  // namespace qv
