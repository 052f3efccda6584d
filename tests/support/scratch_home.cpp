// Linked into every GoogleTest program: before main runs, HOME and the XDG folders point into a
// fresh folder of this process under the build tree (QV_SCRATCH_ROOT), removed again at exit.
// Fontconfig's and Mesa's caches, and the programs the tests start, never write the user's home.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "support/home_folders.h"

namespace {

class ScratchHome {
 public:
  ScratchHome() {
    std::error_code error;
    std::filesystem::create_directories(QV_SCRATCH_ROOT, error);
    std::string pattern = std::string(QV_SCRATCH_ROOT) + "/run-XXXXXX";
    if (!mkdtemp(pattern.data())) {
      std::perror("scratch home");
      std::abort();  // better no test than one writing into the real home
    }
    folder_ = pattern;
    qv::testing::PointHomeFoldersAt(folder_);
  }
  ~ScratchHome() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::string folder_;
};

const ScratchHome g_scratchHome;

}  // namespace
