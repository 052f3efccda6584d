// qvlogo import, textures, text and export, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

struct Output {
  int status;
  std::string text;
};

Output Qvlogo(const std::string& args) {
  FILE* pipe = popen((std::string(QV_BIN_DIR) + "/qvlogo " + args + " 2>&1").c_str(), "r");
  std::string text;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) text.append(buffer.data(), n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

class CliModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qvlogo-model-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(CliModelTest, ImportedTexturesAreFoundNextToTheDocument) {
  for (const char* name : {"texture.mqo", "texture.png"})
    fs::copy_file(fs::path(QV_TEST_DATA_DIR) / "mqo" / name, dir_ / name);
  const Output imported = Qvlogo("import " + Path("doc.qvlogo") + " " + Path("texture.mqo"));
  ASSERT_EQ(imported.status, 0) << imported.text;
  EXPECT_NE(imported.text.find("imported 1 models"), std::string::npos);
  const Output listed = Qvlogo("textures " + Path("doc.qvlogo"));
  EXPECT_EQ(listed.status, 0) << listed.text;
  EXPECT_NE(listed.text.find("512x512"), std::string::npos) << listed.text;

  fs::remove(dir_ / "texture.png");  // a missing texture is reported, its name stays
  const Output missing = Qvlogo("textures " + Path("doc.qvlogo"));
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.text.find("texture.png\tFAILED"), std::string::npos) << missing.text;
}

TEST_F(CliModelTest, ImportFailuresNameTheFileOrTheLine) {
  const Output unreadable = Qvlogo("import " + Path("doc.qvlogo") + " " + Path("none.mqo"));
  EXPECT_NE(unreadable.status, 0);
  EXPECT_NE(unreadable.text.find("cannot read"), std::string::npos);

  std::ofstream(Path("old.mqo"), std::ios::binary) << "Metasequoia Document\r\nFormat Text Ver 1.2\r\n";
  const Output refused = Qvlogo("import " + Path("doc.qvlogo") + " " + Path("old.mqo"));
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.text.find("old.mqo:2:"), std::string::npos) << refused.text;
}

TEST_F(CliModelTest, TextThenExportWritesBothKinds) {
  ASSERT_EQ(Qvlogo("text " + Path("doc.qvlogo") + " --text Hi --font \"DejaVu Sans\"").status, 0);
  for (const char* kind : {"webgl", "webgpu"}) {
    const Output exported = Qvlogo("export " + Path("doc.qvlogo") + " --" + kind + " " + Path("site/Hi.html"));
    ASSERT_EQ(exported.status, 0) << exported.text;
    EXPECT_TRUE(fs::exists(dir_ / "site" / kind / "Model_Hi.js"));
  }
  EXPECT_NE(Qvlogo("export " + Path("doc.qvlogo") + " " + Path("site/Hi.html")).status, 0);  // no kind
  EXPECT_NE(Qvlogo("export " + Path("doc.qvlogo") + " --webgl " + Path("site/.html")).status, 0);  // no title
}

TEST_F(CliModelTest, CharactersFromAnotherFontAreToldInEnglish) {
  const Output made = Qvlogo("text " + Path("doc.qvlogo") + " --text \"A\xE3\x81\x82\" --font \"Kaushan Script\"");
  ASSERT_EQ(made.status, 0) << made.text;
  EXPECT_NE(made.text.find("characters missing from \"Kaushan Script\" were taken from \""), std::string::npos)
      << made.text;
  EXPECT_EQ(made.text.find("\xE4\xBD\x9C\xE3\x82\x8A"), std::string::npos) << made.text;  // no Japanese sentence
}

}  // namespace
}  // namespace qv
