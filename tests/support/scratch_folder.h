#pragma once
// A new folder under the system's temporary folder, removed with everything in it at the end.
// Its name holds a space, so every path a test hands on shows that paths pass whole.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace qv::testing {

class ScratchFolder {
 public:
  // `name`: what the folder is for, the start of its name ("qvlogo cli").
  explicit ScratchFolder(const std::string& name = "qv test") {
    const std::string pattern = (std::filesystem::temp_directory_path() / (name + " XXXXXX")).string();
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    if (!mkdtemp(path.data())) throw std::runtime_error("cannot make a folder like " + pattern);
    m_path = path.data();
  }
  ~ScratchFolder() {
    if (m_kept) return;
    std::error_code ignored;
    // A test may have made the folder read-only.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // `name` inside the folder (it may hold sub-folders: "out/logo.gltf").
  std::string Path(const std::string& name) const { return (m_path / name).string(); }
  // Writes `bytes` to `name` inside the folder, making its folders; its full path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = m_path / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  // Left in place at the end, to be looked at.
  void Keep() { m_kept = true; }

 private:
  std::filesystem::path m_path;
  bool m_kept = false;
};

}  // namespace qv::testing
