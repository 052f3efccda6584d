#pragma once
// Points HOME and the XDG folders at sub-folders of `root` (made as needed), so that nothing a
// test or a program it starts does reaches the user's home: Qt keeps its dialogs' state in the
// configuration folder, fontconfig, the OpenGL widgets and Mesa keep caches in the cache folder.
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace qv::testing {

inline void PointHomeFoldersAt(const std::string& root) {
  const char* const folders[][2] = {{"HOME", "home"},
                                    {"XDG_CONFIG_HOME", "config"},
                                    {"XDG_DATA_HOME", "data"},
                                    {"XDG_CACHE_HOME", "cache"},
                                    {"XDG_STATE_HOME", "state"},
                                    {"XDG_RUNTIME_DIR", "runtime"}};
  std::error_code error;
  for (const auto& [variable, sub] : folders) {
    const std::string path = root + "/" + sub;
    std::filesystem::create_directories(path, error);
    setenv(variable, path.c_str(), 1);
  }
  std::filesystem::permissions(root + "/runtime", std::filesystem::perms::owner_all, error);
}

}  // namespace qv::testing
