#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

// The share folder seen from the bin folder; the build passes the one of its install layout.
#ifndef QV_DATADIR_FROM_BINDIR
#define QV_DATADIR_FROM_BINDIR "../share"
#endif

namespace qv {

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// EXECUTABLE/../share, without the "..": paths shown to the user stay readable.
fs::path ShareFolder(const std::string& executableFolder) {
  return (fs::path(executableFolder) / QV_DATADIR_FROM_BINDIR).lexically_normal();
}

}  // namespace

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string ExecutableFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return WithTrailingSlash(exe.parent_path().string());
}

std::string ModuleFolder() {
  // Worked out once: the program does not move while it runs.
  static const std::string folder = ProgramFilesFolder(ExecutableFolder());
  return folder;
}

std::string ProgramFolderOr(const std::string& given) {
  return given.empty() ? ModuleFolder() : WithTrailingSlash(given);
}

std::string ProgramFilesFolder(const std::string& executableFolder) {
  if (executableFolder.empty()) return {};
  const std::string own = WithTrailingSlash(executableFolder);
  if (IsFolder(fs::path(own) / kWebRuntimeFolder)) return own;
  const fs::path installed = ShareFolder(own) / "quorvel-logo";
  if (IsFolder(installed / kWebRuntimeFolder)) return WithTrailingSlash(installed.string());
  return own;
}

bool InstalledWithDesktopFiles(const std::string& executableFolder) {
  if (executableFolder.empty()) return false;
  const fs::path share = ShareFolder(executableFolder);
  return IsFile(share / kDesktopEntryFile) && IsFile(share / kMimePackageFile);
}

}  // namespace qv
