// The tests' runner of qvlogo: arguments reach the program whole, in folders with spaces too.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::CommandRun;
using testing::Qvlogo;

TEST(QvlogoRun, PathsWithBlanksQuotesAndShellSignsArriveWhole) {
  const testing::ScratchFolder dir("qvlogo run");
  EXPECT_NE(dir.path().filename().string().find(' '), std::string::npos) << "the folder's name holds a space";
  for (const char* name : {"a b.qvlogo", "it's.qvlogo", "$HOME.qvlogo", "`false`.qvlogo", "\"quoted\".qvlogo",
                           "semi;colon.qvlogo", "back\\slash.qvlogo", " lead.qvlogo", "*.qvlogo"}) {
    SCOPED_TRACE(name);
    const std::string doc = dir.Path(name);
    const CommandRun made = Qvlogo({"new", doc});
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_TRUE(fs::is_regular_file(doc));
    const CommandRun info = Qvlogo({"info", doc});
    EXPECT_EQ(info.status, 0) << info.output;
    EXPECT_NE(info.out.find("\"lastFrame\": 60"), std::string::npos) << info.out;
    fs::remove(doc);
  }
  // Nothing else was made: no word of a name was taken for a file of its own.
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(QvlogoRun, StdoutAndStderrAreKeptApart) {
  const testing::ScratchFolder dir("qvlogo run");
  const CommandRun missing = Qvlogo({"info", dir.Path("gone.qvlogo")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, dir.Path("gone.qvlogo") + ": file not found\n");
  EXPECT_EQ(missing.output, missing.err);
}

}  // namespace
}  // namespace qv
