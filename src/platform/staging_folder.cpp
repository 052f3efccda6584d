#include "platform/staging_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

bool IsStagingName(const char* name) {
  const size_t prefix = std::strlen(kExportStagingPrefix);
  if (std::strncmp(name, kExportStagingPrefix, prefix) != 0 || std::strlen(name) != prefix + 6) return false;
  for (size_t i = prefix; i < prefix + 6; ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

void RemoveTree(const std::string& path) {
  std::error_code error;
  std::filesystem::remove_all(path, error);
}

}  // namespace

StagingFolder::StagingFolder(const std::string& parent) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    std::string pattern = parent + kExportStagingPrefix + "XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    const int fd = open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      rmdir(pattern.c_str());
      return;
    }
    // Waits only while another export's clean-up, which found the folder unheld in the instant
    // before this lock, removes it; then the folder is gone and a new one is made.
    struct stat st {};
    if (flock(fd, LOCK_EX) == 0 && fstat(fd, &st) == 0 && st.st_nlink > 0) {
      path_ = pattern + "/";
      lock_ = fd;
      return;
    }
    close(fd);
  }
}

StagingFolder::~StagingFolder() {
  if (path_.empty()) return;
  RemoveTree(path_);
  close(lock_);  // releases the hold
}

void RemoveAbandonedStagingFolders(const std::string& parent) {
  const std::string folder = parent.empty() ? "./" : parent;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    if (!IsStagingName(entry->d_name)) continue;
    const std::string path = folder + entry->d_name;
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;  // not a folder, or a link to one
    struct stat st {};
    // Held: an export is still writing into it. Taken here, it is removed before anyone else
    // can take it (a new export that made it this instant finds it gone and makes another).
    if (fstat(fd, &st) == 0 && st.st_uid == geteuid() && flock(fd, LOCK_EX | LOCK_NB) == 0) RemoveTree(path);
    close(fd);
  }
  closedir(dir);
}

}  // namespace qv
