// The qvlogo program run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scene/document_file.h"
#include "support/sample_scene.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
  int status;
  std::string out;
};

CommandResult Qvlogo(const std::string& args) {
  const std::string command = std::string(QV_BIN_DIR) + "/qvlogo " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class CliDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qvlogo-cli-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(CliDocumentTest, NewWritesTheEmptyDocumentAndInfoSummarisesIt) {
  ASSERT_EQ(Qvlogo("new " + Path("a.qvlogo")).status, 0);
  EXPECT_EQ(fs::file_size(Path("a.qvlogo")), 105u);
  CommandResult info = Qvlogo("info " + Path("a.qvlogo"));
  ASSERT_EQ(info.status, 0);
  EXPECT_NE(info.out.find("\"Animation_0\""), std::string::npos);
  EXPECT_NE(info.out.find("\"lastFrame\": 60"), std::string::npos);
}

TEST_F(CliDocumentTest, ResaveGivesBackIdenticalBytes) {
  CZiduderizo scene = testing::MakeSampleScene();
  ASSERT_FALSE(StoreDocumentFile(Path("in.qvlogo"), scene));
  ASSERT_EQ(Qvlogo("resave " + Path("in.qvlogo") + " " + Path("out.qvlogo")).status, 0);
  EXPECT_EQ(ReadFile(Path("out.qvlogo")), ReadFile(Path("in.qvlogo")));
  CommandResult info = Qvlogo("info " + Path("in.qvlogo"));
  EXPECT_NE(info.out.find("ロゴ"), std::string::npos);
}

TEST_F(CliDocumentTest, FailuresPrintTheMessageAndExitNonZero) {
  CommandResult missing = Qvlogo("info " + Path("missing.qvlogo"));
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.out.find("missing.qvlogo: file not found\n"), std::string::npos) << missing.out;

  std::ofstream(Path("cut.qvlogo"), std::ios::binary) << std::string("\xCD\xCC\x2C\x40\x01", 5);
  CommandResult cut = Qvlogo("resave " + Path("cut.qvlogo") + " " + Path("x.qvlogo"));
  EXPECT_NE(cut.status, 0);
  EXPECT_NE(cut.out.find("cut.qvlogo: not a Quorvel Logo document, or a damaged one"), std::string::npos) << cut.out;
  EXPECT_FALSE(fs::exists(Path("x.qvlogo")));

  CommandResult folder = Qvlogo("new " + Path("no/such/folder/a.qvlogo"));
  EXPECT_NE(folder.status, 0);
  EXPECT_NE(folder.out.find("a.qvlogo: file not found"), std::string::npos) << folder.out;
}

}  // namespace
}  // namespace qv
