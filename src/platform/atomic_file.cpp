#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <dirent.h>

#include <algorithm>
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

// The path up to and including its last "/", empty for a bare file name.
std::string FolderPrefixOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

constexpr char kTemporarySuffix[] = ".qvtmp";
constexpr size_t kTemporaryExtra = 1 + 6 + sizeof kTemporarySuffix - 1;  // ".XXXXXX.qvtmp"

// Our temporary files are named "<stem>.<6 letters or digits>.qvtmp".
bool IsTemporaryNameOf(const std::string& name, const std::string& stem) {
  const std::string suffix = kTemporarySuffix;
  if (name.size() != stem.size() + kTemporaryExtra || name.compare(0, stem.size(), stem) != 0 ||
      name[stem.size()] != '.' || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  for (size_t i = stem.size() + 1; i < stem.size() + 7; ++i)
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

void SyncFolder(const std::string& folder) {
  int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

// Writes a temporary file beside `path` through `write`, flushes it to disk and gives it a name
// (returned) for the caller to rename over `path`. On failure nothing is left and FileException
// names `path`.
std::string WriteTemporaryFile(const std::string& path, const std::function<void(int fd)>& write) {
  if (path.empty() || path.back() == '/') throw FileException(FileCause::kBadPath, path, EINVAL);
  const std::string fileName = FileNameOf(path);
  const size_t nameMax = NameMaxOfFolder(path);
  // Refused before anything is written: the rename at the end could not make this name.
  if (fileName.size() > nameMax) throw FileException(FileCause::kBadPath, path, ENAMETOOLONG);
  const std::string stem = FolderPrefixOf(path) + TemporaryNameStem(fileName, nameMax);
  const mode_t mode = TargetMode(path);
  // Named temporaries of killed saves and exports (see below) go on the next write of the path.
  RemoveStaleTemporaryFiles(path, kStaleTemporarySeconds);

  // Preferably an unnamed file, which a killed process cannot leave behind: it gets a name only
  // once it is complete, for the rename over the target.
  int fd = open(FolderOfPath(path).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
  const bool unnamed = fd >= 0;
  std::string temporary;
  if (!unnamed) {
    // File systems without unnamed files: a named one from the start.
    std::string pattern = stem + ".XXXXXX" + kTemporarySuffix;
    fd = mkostemps(pattern.data(), sizeof kTemporarySuffix - 1, O_CLOEXEC);
    if (fd < 0) Fail(path);
    temporary = pattern;
    fchmod(fd, mode);
  }

  try {
    write(fd);
    if (fsync(fd) != 0) Fail(path);
    if (unnamed) {
      std::random_device random;
      for (int attempt = 0; temporary.empty(); ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%06x%s", static_cast<unsigned>(random() & 0xFFFFFF), kTemporarySuffix);
        const std::string candidate = stem + suffix;
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        if (linkat(fd, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0 ||
            linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          temporary = candidate;
        } else if (errno != EEXIST || attempt > 100) {
          Fail(path);
        }
      }
    }
    const int closing = fd;
    fd = -1;
    if (close(closing) != 0) Fail(path);
  } catch (...) {
    if (fd >= 0) close(fd);
    if (!temporary.empty()) unlink(temporary.c_str());
    throw;
  }
  return temporary;
}

}  // namespace

size_t NameMaxOfFolder(const std::string& path) {
  const long max = pathconf(FolderOfPath(path).c_str(), _PC_NAME_MAX);
  return max > 0 ? static_cast<size_t>(max) : 255;
}

std::string TemporaryNameStem(const std::string& fileName, size_t nameMax) {
  const size_t room = nameMax > kTemporaryExtra ? nameMax - kTemporaryExtra : 0;
  if (fileName.size() <= room) return fileName;
  size_t cut = room;
  // Back over UTF-8 continuation bytes to the start of the character that would be split.
  while (cut > 0 && (static_cast<unsigned char>(fileName[cut]) & 0xC0) == 0x80) --cut;
  return fileName.substr(0, cut);
}

void RemoveStaleTemporaryFiles(const std::string& path, int64_t olderThanSeconds) {
  const std::string folder = FolderOfPath(path);
  const std::string stem = TemporaryNameStem(FileNameOf(path), NameMaxOfFolder(path));
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryNameOf(name, stem)) continue;
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
  const std::string temporary = WriteTemporaryFile(path, write);
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    throw FileException(FileCauseFromErrno(error), path, error);
  }
  // Make the rename itself durable.
  SyncFolder(FolderOfPath(path));
}

AtomicFileGroup::~AtomicFileGroup() {
  for (const auto& file : files_) unlink(file.second.c_str());
}

void AtomicFileGroup::Add(const std::string& path, const std::function<void(ByteSink&)>& write) {
  files_.emplace_back(path, WriteTemporaryFile(path, [&](int fd) {
                        FileSink sink(fd, path);
                        write(sink);
                      }));
}

void AtomicFileGroup::Commit() {
  // A rename fails for a folder in the target's place: found before the first file moves.
  for (const auto& [target, temporary] : files_) {
    struct stat st {};
    if (lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw FileException(FileCause::kAccessDenied, target, EISDIR);
  }
  std::vector<std::string> folders;
  while (!files_.empty()) {
    const auto [target, temporary] = files_.front();
    if (rename(temporary.c_str(), target.c_str()) != 0) Fail(target);
    files_.erase(files_.begin());
    const std::string folder = FolderOfPath(target);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  for (const std::string& folder : folders) SyncFolder(folder);
}

}  // namespace qv
