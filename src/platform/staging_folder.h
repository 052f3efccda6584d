#pragma once
// A hidden folder for files that must appear together: they are written into it and moved out
// only when all were written (the web export's site). The folder is held (flock) for as long as
// its owner lives, so a later export tells the leftovers of a killed one, which nobody holds,
// from the folder of an export still running, in this process or another.
#include <string>

namespace qv {

// Staging folders are named "<prefix>XXXXXX" (six letters or digits) inside their parent.
inline constexpr const char* kExportStagingPrefix = ".qvlogo-export-";

class StagingFolder {
 public:
  // Makes and holds a new folder in `parent` (a folder path ending in "/"); Ready() says whether
  // that worked.
  explicit StagingFolder(const std::string& parent);
  // Removes the folder with whatever is still in it.
  ~StagingFolder();
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  bool Ready() const { return !path_.empty(); }
  // The folder, ending in "/"; empty when it could not be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int lock_ = -1;
};

// Removes the staging folders in `parent` (ending in "/") that nobody holds any more: ours by
// name, real folders (not links) of this user.
void RemoveAbandonedStagingFolders(const std::string& parent);

}  // namespace qv
