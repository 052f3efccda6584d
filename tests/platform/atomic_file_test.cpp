// Replacing a file through a temporary one: a save that is killed leaves nothing behind, and the
// leftovers of older killed saves are cleaned by name.
#include "platform/atomic_file.h"
#include "platform/file_error.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <fstream>
#include <set>
#include <sstream>

#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (dir_ / "doc.qvlogo").string();
  }

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

  const testing::ScratchFolder scratch_{"qv atomic"};
  const fs::path dir_ = scratch_.path();
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


// Names up to the file system's limit save, whatever the temporary name adds; the temporary name
// is cut, never split inside a character, and a stale one of a long name is still found.
TEST_F(AtomicFileTest, NamesUpToTheLimitSaveAndLeaveNothingElse) {
  const size_t limit = NameMaxOfFolder(path_);
  std::string kana;  // "ア" is three bytes in UTF-8
  while (kana.size() + 3 + 7 <= limit) kana += "\xE3\x82\xA2";
  const std::string names[] = {std::string(limit - 12 - 7, 'a') + ".qvlogo", std::string(limit - 13, 'b'),
                               std::string(limit - 7, 'c') + ".qvlogo", kana + ".qvlogo"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name.size());
    path_ = (dir_ / name).string();
    ASSERT_NO_THROW(Save("old"));
    ASSERT_NO_THROW(Save("new"));
    EXPECT_EQ(Read(), "new");
    EXPECT_EQ(Names(), std::set<std::string>{name});
    const std::string stem = TemporaryNameStem(name, limit);
    EXPECT_LE(stem.size() + 13, limit);
    EXPECT_NE(static_cast<unsigned char>(name[stem.size()]) & 0xC0, 0x80u);  // a whole character
    // A killed save's leftover, named after the cut stem, goes with the next clean-up.
    const std::string stale = (dir_ / (stem + ".a1B2c3.qvtmp")).string();
    std::ofstream(stale) << "x";
    const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, stale.c_str(), times, 0), 0);
    RemoveStaleTemporaryFiles(path_, kStaleTemporarySeconds);
    EXPECT_FALSE(fs::exists(stale));
    fs::remove(path_);
  }
}

TEST_F(AtomicFileTest, ANameBeyondTheLimitFailsAndLeavesNothing) {
  path_ = (dir_ / std::string(NameMaxOfFolder(path_) + 1, 'x')).string();
  EXPECT_THROW(Save("x"), FileException);
  EXPECT_TRUE(Names().empty());
}

// A group of files appears together or not at all.
TEST_F(AtomicFileTest, AGroupReplacesItsFilesOnlyWhenAllWereWritten) {
  const std::string a = (dir_ / "a.txt").string(), b = (dir_ / "b.txt").string();
  const auto write = [](const std::string& bytes) {
    return [bytes](ByteSink& sink) { sink.Write(bytes.data(), bytes.size()); };
  };
  {
    AtomicFileGroup group;
    group.Add(a, write("a1"));
    group.Add(b, write("b1"));
    EXPECT_FALSE(fs::exists(a));  // only temporaries so far
    EXPECT_FALSE(fs::exists(b));
    group.Commit();
  }
  EXPECT_EQ(Names(), (std::set<std::string>{"a.txt", "b.txt"}));
  const struct {
    const char* what;
    std::function<void(AtomicFileGroup&)> fill;
  } failures[] = {
      {"a name too long", [&](AtomicFileGroup& g) {
         g.Add(a, write("a2"));
         g.Add((dir_ / std::string(NameMaxOfFolder(path_) + 1, 'n')).string(), write("n"));
         g.Commit();
       }},
      {"a folder in the way", [&](AtomicFileGroup& g) {
         fs::create_directories(dir_ / "folder");
         g.Add(a, write("a2"));
         g.Add((dir_ / "folder").string(), write("f"));
         g.Commit();
       }},
      {"a writer that throws", [&](AtomicFileGroup& g) {
         g.Add(a, write("a2"));
         g.Add(b, [](ByteSink&) { throw std::runtime_error("disk full"); });
         g.Commit();
       }},
      {"dropped before the commit", [&](AtomicFileGroup& g) {
         g.Add(a, write("a2"));
         g.Add(b, write("b2"));
       }},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.what);
    try {
      AtomicFileGroup group;
      f.fill(group);
    } catch (...) {
    }
    std::set<std::string> names = Names();
    names.erase("folder");
    EXPECT_EQ(names, (std::set<std::string>{"a.txt", "b.txt"}));
    path_ = a;
    EXPECT_EQ(Read(), "a1");
    path_ = b;
    EXPECT_EQ(Read(), "b1");
  }
}

}  // namespace
}  // namespace qv
