#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <dirent.h>

#include <cctype>
#include <cerrno>
#include <ctime>
#include <cstdio>
#include <random>

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

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Our temporary files are named "<file>.<6 letters or digits>.qvtmp".
bool IsTemporaryNameOf(const std::string& name, const std::string& target) {
  const std::string suffix = ".qvtmp";
  if (name.size() != target.size() + 1 + 6 + suffix.size() || name.compare(0, target.size(), target) != 0 ||
      name[target.size()] != '.' || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  for (size_t i = target.size() + 1; i < target.size() + 7; ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// The permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
mode_t TargetMode(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void RemoveStaleTemporaryFiles(const std::string& path, int64_t olderThanSeconds) {
  const std::string folder = FolderOfPath(path);
  const std::string target = FileNameOf(path);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryNameOf(name, target)) continue;
    const std::string full = folder + "/" + name;
    struct stat st {};
    if (lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= olderThanSeconds)
      unlink(full.c_str());
  }
  closedir(dir);
}

void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write) {
  WriteFileAtomicallyToDescriptor(path, [&](int fd) {
    FileSink sink(fd, path);
    write(sink);
  });
}

void WriteFileAtomicallyToDescriptor(const std::string& path, const std::function<void(int fd)>& write) {
  if (path.empty() || path.back() == '/') throw FileException(FileCause::kBadPath, path, EINVAL);
  const mode_t mode = TargetMode(path);

  // Preferably an unnamed file, which a killed process cannot leave behind: it gets a name only
  // for the instant between linking it in and renaming it over the target.
  int fd = open(FolderOfPath(path).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
  const bool unnamed = fd >= 0;
  std::string temporary;
  if (!unnamed) {
    // File systems without unnamed files: a named one, and the leftovers of killed saves are
    // removed on the next save.
    RemoveStaleTemporaryFiles(path, kStaleTemporarySeconds);
    std::string pattern = path + ".XXXXXX.qvtmp";
    fd = mkstemps(pattern.data(), 6);
    if (fd < 0) Fail(path);
    temporary = pattern;
    fchmod(fd, mode);
  }

  try {
    write(fd);
    if (fsync(fd) != 0) Fail(path);
    if (unnamed) {
      // Give the file a name next to the target, then move it over the target.
      std::random_device random;
      for (int attempt = 0; temporary.empty(); ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%06x.qvtmp", static_cast<unsigned>(random() & 0xFFFFFF));
        const std::string candidate = path + suffix;
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        if (linkat(fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0 ||
            linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          temporary = candidate;
        } else if (errno != EEXIST || attempt > 100) {
          Fail(path);
        }
      }
    }
    if (close(fd) != 0) {
      fd = -1;
      Fail(path);
    }
    fd = -1;
    if (rename(temporary.c_str(), path.c_str()) != 0) Fail(path);
  } catch (...) {
    if (fd >= 0) close(fd);
    if (!temporary.empty()) unlink(temporary.c_str());
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
