#pragma once
// A file's whole content, for tests that check a file stayed byte for byte as it was (empty
// when it cannot be read).
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qv::testing {

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace qv::testing
