// Replacing a file through a temporary one: a save that is killed leaves nothing behind, and the
// leftovers of older killed saves are cleaned by name.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qv-atomic-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    path_ = (dir_ / "doc.qvlogo").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
    return names;
  }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void Save(const std::string& bytes) {
    WriteFileAtomically(path_, [&](ByteSink& sink) { sink.Write(bytes.data(), bytes.size()); });
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(AtomicFileTest, ASaveKilledWhileWritingLeavesOnlyTheOldFile) {
  Save("old");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      WriteFileAtomically(path_, [&](ByteSink& sink) {
        const std::string half(1 << 20, 'x');
        sink.Write(half.data(), half.size());
        const char signal = 1;
        (void)!write(ready[1], &signal, 1);
        pause();  // killed here, in the middle of the save
      });
    } catch (...) {
    }
    _exit(0);
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  EXPECT_EQ(Read(), "old");
  EXPECT_EQ(Names(), std::set<std::string>{"doc.qvlogo"});

  Save("new");
  EXPECT_EQ(Read(), "new");
  EXPECT_EQ(Names(), std::set<std::string>{"doc.qvlogo"});
}

TEST_F(AtomicFileTest, StaleTemporaryFilesOfOurNamingAreRemovedAndNothingElse) {
  Save("doc");
  const struct {
    const char* name;
    bool old;
    bool removed;
  } files[] = {
      {"doc.qvlogo.a1B2c3.qvtmp", true, true},
      {"doc.qvlogo.zzzzzz.qvtmp", false, false},  // young: perhaps a save still running
      {"doc.qvlogo.backup", true, false},
      {"doc.qvlogo.a1B2c.qvtmp", true, false},
      {"other.qvlogo.a1B2c3.qvtmp", true, false},
      {"doc.qvlogo.a-B2c3.qvtmp", true, false},
  };
  for (const auto& f : files) {
    const std::string p = (dir_ / f.name).string();
    std::ofstream(p) << "x";
    if (f.old) {
      const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
      ASSERT_EQ(utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
    }
  }
  RemoveStaleTemporaryFiles(path_, kStaleTemporarySeconds);
  for (const auto& f : files) EXPECT_EQ(fs::exists(dir_ / f.name), !f.removed) << f.name;
  EXPECT_EQ(Read(), "doc");
}

}  // namespace
}  // namespace qv
