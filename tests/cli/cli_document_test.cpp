// The qvlogo program run as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scene/document_file.h"
#include "support/qvlogo_run.h"
#include "support/sample_scene.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::CommandRun;
using testing::Qvlogo;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class CliDocumentTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  const testing::ScratchFolder dir_{"qvlogo cli"};
};

TEST_F(CliDocumentTest, NewWritesTheEmptyDocumentAndInfoSummarisesIt) {
  ASSERT_EQ(Qvlogo({"new", Path("a.qvlogo")}).status, 0);
  EXPECT_EQ(fs::file_size(Path("a.qvlogo")), 105u);
  CommandRun info = Qvlogo({"info", Path("a.qvlogo")});
  ASSERT_EQ(info.status, 0);
  EXPECT_NE(info.output.find("\"Animation_0\""), std::string::npos);
  EXPECT_NE(info.output.find("\"lastFrame\": 60"), std::string::npos);
}

TEST_F(CliDocumentTest, ResaveGivesBackIdenticalBytes) {
  Scene scene = testing::MakeSampleScene();
  ASSERT_FALSE(StoreDocumentFile(Path("in.qvlogo"), scene));
  ASSERT_EQ(Qvlogo({"resave", Path("in.qvlogo"), Path("out.qvlogo")}).status, 0);
  EXPECT_EQ(ReadFile(Path("out.qvlogo")), ReadFile(Path("in.qvlogo")));
  CommandRun info = Qvlogo({"info", Path("in.qvlogo")});
  EXPECT_NE(info.output.find("ロゴ"), std::string::npos);
}

TEST_F(CliDocumentTest, FailuresPrintTheMessageAndExitNonZero) {
  CommandRun missing = Qvlogo({"info", Path("missing.qvlogo")});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.output.find("missing.qvlogo: file not found\n"), std::string::npos) << missing.output;

  std::ofstream(Path("cut.qvlogo"), std::ios::binary) << std::string("\xCD\xCC\x2C\x40\x01", 5);
  CommandRun cut = Qvlogo({"resave", Path("cut.qvlogo"), Path("x.qvlogo")});
  EXPECT_NE(cut.status, 0);
  EXPECT_NE(cut.output.find("cut.qvlogo: not a Quorvel Logo document, or a damaged one"), std::string::npos) << cut.output;
  EXPECT_FALSE(fs::exists(Path("x.qvlogo")));

  CommandRun folder = Qvlogo({"new", Path("no/such/folder/a.qvlogo")});
  EXPECT_NE(folder.status, 0);
  EXPECT_NE(folder.output.find("a.qvlogo: file not found"), std::string::npos) << folder.output;
}

}  // namespace
}  // namespace qv
