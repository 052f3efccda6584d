#pragma once
// File reading and writing for the export tests (temporary folders: support/scratch_folder.h).
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>

#include "support/scratch_folder.h"

namespace qv::testing {

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
