#pragma once
// Temporary folders and file reading for the export tests.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace qv::testing {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("qv-export-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code error;
    // A test may have made a folder read-only.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
  }
  const std::filesystem::path& path() const { return m_path; }
  // The folder with a trailing "/" and `name` appended.
  std::string operator/(std::string_view name) const { return m_path.string() + "/" + std::string(name); }

 private:
  std::filesystem::path m_path;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Lines each ended by CR LF, as the export writes them.
inline std::string CrLfLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace qv::testing
