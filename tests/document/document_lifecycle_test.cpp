#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/motion_doc.h"
#include "scene/document_file.h"
#include "support/animated_scene.h"
#include "support/change_recorder.h"
#include "support/sample_scene.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class ScriptedInteraction : public SilentInteraction {
 public:
  std::optional<SavePathChoice> AskSavePath(bool) override { return savePath; }
  SaveChangesAnswer AskSaveChanges(std::string_view) override { return answer; }
  std::optional<SavePathChoice> savePath;
  SaveChangesAnswer answer = SaveChangesAnswer::kCancel;
};

class DocumentLifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_.AddView(&view_);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  const testing::ScratchFolder scratch_{"qvlogo doc"};
  const fs::path dir_ = scratch_.path();
  ScriptedInteraction ui_;
  Scene scene_;
  CMotionDoc doc_{ui_, scene_};
  testing::ChangeRecorder view_;
};

TEST_F(DocumentLifecycleTest, OpenFitsTheFrameRangeAndNotifies) {
  testing::MakeAnimatedScene(scene_, {"A", "B"}, 29);
  ASSERT_FALSE(StoreDocumentFile(Path("a.QVLOGO"), scene_));
  scene_.Reset();
  ASSERT_TRUE(doc_.OnOpenDocument(Path("a.QVLOGO")));
  EXPECT_EQ(scene_.m_lastFrame, 29);
  EXPECT_EQ(scene_.m_models.size(), 2u);
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(doc_.path(), Path("a.QVLOGO"));
  EXPECT_EQ(view_.notices.back(), Change::kDocument | Change::kModels);
  EXPECT_FALSE(scene_.m_hierarchyWalk.empty());

  // another extension loads nothing but still resets the frame range and the selection
  scene_.m_selectedModel = 1;
  std::ofstream(Path("notes.txt")) << "x";
  ASSERT_TRUE(doc_.OnOpenDocument(Path("notes.txt")));
  EXPECT_EQ(scene_.m_selectedModel, kNoModel);
  EXPECT_EQ(scene_.m_models.size(), 2u);
}

TEST_F(DocumentLifecycleTest, FailedOpenLeavesTheDocumentAsItWas) {
  testing::MakeAnimatedScene(scene_, {"Kept"}, 40);
  doc_.SetModifiedFlag();
  std::ofstream(Path("bad.qvlogo"), std::ios::binary) << std::string("\xCD\xCC\x2C\x40\x05\x00", 6);
  EXPECT_FALSE(doc_.OnOpenDocument(Path("bad.qvlogo")));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], "予期しないファイル形式です。");
  EXPECT_EQ(scene_.m_models.size(), 1u);
  EXPECT_EQ(scene_.m_lastFrame, 40);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(view_.releases, 0);
}

TEST_F(DocumentLifecycleTest, MissingTextureIsReportedAndItsNameSurvivesASave) {
  Scene stored;
  stored.m_materials.emplace_back();
  stored.m_materials[0].m_texture = "gone\\wood.png";
  ASSERT_FALSE(StoreDocumentFile(Path("t.qvlogo"), stored));
  ASSERT_TRUE(doc_.OnOpenDocument(Path("t.qvlogo")));
  EXPECT_EQ(ui_.messages,
            std::vector<std::string>{"ファイルが見つからないか、この画像ファイルには対応していません！\n\ngone\\wood.png：見つかりません"});
  EXPECT_TRUE(scene_.m_materials[0].m_image.empty());
  ASSERT_TRUE(doc_.DoStore(Path("t.qvlogo")));
  Scene reloaded;
  ASSERT_FALSE(LoadDocumentFile(Path("t.qvlogo"), reloaded));
  EXPECT_EQ(reloaded.m_materials[0].m_texture, "gone\\wood.png");
}

TEST_F(DocumentLifecycleTest, EmptyFileOpensWithoutError) {
  testing::MakeAnimatedScene(scene_, {"Kept"}, 30);
  std::ofstream(Path("empty.qvlogo")).close();
  EXPECT_TRUE(doc_.OnOpenDocument(Path("empty.qvlogo")));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(scene_.m_models.size(), 1u);
  EXPECT_EQ(scene_.m_lastFrame, 30);
}

TEST_F(DocumentLifecycleTest, SavingAnUntitledDocumentGoesThroughSaveAsAndStaysModified) {
  ui_.savePath = SavePathChoice{Path("b.qvlogo"), SaveType::kDocument};
  doc_.OnFileSave();
  EXPECT_TRUE(fs::exists(Path("b.qvlogo")));
  EXPECT_EQ(doc_.path(), Path("b.qvlogo"));
  EXPECT_TRUE(doc_.IsModified());
  doc_.OnFileSave();  // now titled: a plain store
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(DocumentLifecycleTest, SaveAsWebTypeCallsTheExporterAndKeepsThePath) {
  std::string exported;
  doc_.SetWebExporter([&](CMotionDoc&, const std::string& path, SaveType type) {
    exported = path + (type == SaveType::kWebGPU ? " gpu" : " gl");
  });
  ui_.savePath = SavePathChoice{Path("page.html"), SaveType::kWebGPU};
  doc_.OnFileSaveAs();
  EXPECT_EQ(exported, Path("page.html") + " gpu");
  EXPECT_TRUE(doc_.path().empty());
}

TEST_F(DocumentLifecycleTest, NewAsksToSaveAModifiedDocument) {
  testing::MakeAnimatedScene(scene_, {"A"});
  doc_.SetModifiedFlag();
  EXPECT_FALSE(doc_.OnNewDocument());  // cancelled
  EXPECT_EQ(scene_.m_models.size(), 1u);
  ui_.answer = SaveChangesAnswer::kNo;
  scene_.m_fps = 24.0f;
  EXPECT_TRUE(doc_.OnNewDocument());
  EXPECT_TRUE(scene_.m_models.empty());
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(scene_.m_fps, 24.0f);  // a new document keeps the frame rate
  EXPECT_EQ(view_.notices.back(), Change::kDocument);
}

TEST_F(DocumentLifecycleTest, AFailedWriteLeavesTheOldFileIntact) {
  const std::string target = Path("keep.qvlogo");
  Scene small;
  ASSERT_FALSE(StoreDocumentFile(target, small));
  const std::string before = ReadFile(target);

  // In a child whose files may not grow past 4 KB, save a much larger document.
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    Scene big = testing::MakeSampleScene();
    auto failure = StoreDocumentFile(target, big);
    _exit(failure && failure->text == "/" + fs::path(target).relative_path().string() +
                             " へのアクセス中にディスクがいっぱいになりました。"
              ? 0
              : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the store did not report the full disk";
  EXPECT_EQ(ReadFile(target), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "a temporary file was left";
}

TEST_F(DocumentLifecycleTest, StoreFailuresNameTheirCause) {
  std::ofstream(Path("plain.txt")) << "x";
  const struct {
    std::string path, text;
  } cases[] = {
      {Path("missing/x.qvlogo"), " が見つかりませんでした。"},
      {Path("plain.txt/x.qvlogo"), " に正しくないパスが含まれています。"},
  };
  for (const auto& c : cases) {
    ui_.messages.clear();
    EXPECT_FALSE(doc_.DoStore(c.path));
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0], c.path + c.text);
  }
}

TEST_F(DocumentLifecycleTest, UnwritableFolderIsReportedAndNothingChanges) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(doc_.DoStore(Path("x.qvlogo")));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find("へのアクセスは拒否されました。"), std::string::npos);
}

}  // namespace
}  // namespace qv
