// Staging folders: held while their export runs, removed by the next export once their holder is
// gone (killed), and nothing but our own abandoned folders is ever removed.
#include "platform/staging_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class StagingFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = dir_.string() + "/";
  }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
    return names;
  }

  const testing::ScratchFolder scratch_{"qv staging"};
  const fs::path dir_ = scratch_.path();
  std::string parent_;
};

TEST_F(StagingFolderTest, AKilledExportsFolderGoesWithTheNextCleanUpAndALiveOneStays) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    StagingFolder staging(parent_);
    std::ofstream(staging.path() + "page.html") << "half a site";
    const char signal = staging.Ready() ? 1 : 0;
    (void)!write(ready[1], &signal, 1);
    pause();  // killed here, with its folder full
    _exit(0);
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  ASSERT_EQ(signal, 1);
  close(ready[0]);
  close(ready[1]);
  ASSERT_EQ(Names().size(), 1u);
  const std::string killed = *Names().begin();

  // While its export runs, a folder is held: the clean-up leaves it, in this process or another.
  RemoveAbandonedStagingFolders(parent_);
  EXPECT_EQ(Names().count(killed), 1u);

  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  StagingFolder running(parent_);
  ASSERT_TRUE(running.Ready());
  RemoveAbandonedStagingFolders(parent_);
  EXPECT_EQ(Names(), std::set<std::string>{fs::path(running.path()).parent_path().filename().string()});
}

TEST_F(StagingFolderTest, OnlyOurOwnFoldersAreRemoved) {
  const struct {
    const char* name;
    bool folder;
    bool removed;
  } entries[] = {
      {".qvlogo-export-AbC123", true, true},   // left by a kill: nobody holds it
      {".qvlogo-export-keep", true, false},    // not our naming
      {".qvlogo-export-AbC12!", true, false},
      {".qvlogo-export-AbC1234", true, false},
      {"qvlogo-export-AbC123", true, false},
      {".qvlogo-export-File12", false, false},  // a file, not a folder
  };
  for (const auto& e : entries) {
    if (e.folder) {
      fs::create_directories(dir_ / e.name / "webgl");
      std::ofstream(dir_ / e.name / "webgl" / "x.js") << "x";
    } else {
      std::ofstream(dir_ / e.name) << "x";
    }
  }
  // A link named like ours, to a folder of the user's: neither the link's target nor its content
  // is touched.
  fs::create_directories(dir_ / "mine");
  std::ofstream(dir_ / "mine" / "keep.txt") << "keep";
  fs::create_directory_symlink(dir_ / "mine", dir_ / ".qvlogo-export-LnK123");

  RemoveAbandonedStagingFolders(parent_);
  for (const auto& e : entries) EXPECT_EQ(fs::exists(dir_ / e.name), !e.removed) << e.name;
  EXPECT_TRUE(fs::exists(dir_ / ".qvlogo-export-LnK123"));
  EXPECT_TRUE(fs::exists(dir_ / "mine" / "keep.txt"));
}

TEST_F(StagingFolderTest, AFolderGoesWithItsOwner) {
  {
    StagingFolder staging(parent_);
    ASSERT_TRUE(staging.Ready());
    std::ofstream(staging.path() + "a.txt") << "a";
    EXPECT_EQ(Names().size(), 1u);
  }
  EXPECT_TRUE(Names().empty());
  StagingFolder nowhere(parent_ + "missing/");
  EXPECT_FALSE(nowhere.Ready());
}

}  // namespace
}  // namespace qv
