// A whole session through the document alone, as the desktop program will drive it: new, create
// text, select, move by the X field, add a key, step ten frames, play three ticks, stop, insert
// frames, save, reopen, export. The same session through qvlogo commands must store the same
// bytes and export the same files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/control_bar_model.h"
#include "document/model_tree.h"
#include "document/web_export_command.h"
#include "platform/font_catalog.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

using testing::Qvlogo;

// The dialogs of the session, answered as the user would.
class SessionDialogs : public SilentInteraction {
 public:
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t afterFrame, int32_t count) override {
    presetInsert = {afterFrame, count};
    return std::pair{afterFrame, 5};
  }
  std::optional<SavePathChoice> AskSavePath(bool) override { return SavePathChoice{savePath, SaveType::kDocument}; }
  std::pair<int32_t, int32_t> presetInsert;
  std::string savePath;
};

class ScriptedSession : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  }
  void TearDown() override {
    if (HasFailure()) folder_.Keep();  // for a look at what differed
  }
  testing::ScratchFolder folder_{"qvlogo session"};
  const fs::path& dir_ = folder_.path();
};

TEST_F(ScriptedSession, DocumentAloneMatchesTheCommandLine) {
  SessionDialogs ui;
  ui.savePath = (dir_ / "session.qvlogo").string();
  {
    CMotionDoc doc(ui);
    ModelTreeModel tree(doc);
    ControlBarModel bar(doc);
    ASSERT_TRUE(doc.OnNewDocument());

    TextParameters text = doc.m_textDefaults;  // the dialog opens with the remembered values
    text.fontName = "DejaVu Sans";
    text.text = "Q";
    ASSERT_TRUE(doc.CreateText(text));
    ASSERT_EQ(tree.Rows().size(), 2u);  // the root and the new model

    tree.Click(1);  // the model's row: selected, animation mouse mode
    ASSERT_EQ(doc.scene().m_selectedModel, 0);
    EXPECT_EQ(doc.m_mouseMode, 2);
    EXPECT_EQ(bar.xText, "0.000000");

    bar.xText = "120";
    bar.CommitXYZ();
    doc.OnAddKey(false);
    for (int i = 0; i < 10; ++i) doc.OnNextFrame();
    EXPECT_EQ(bar.currentFrameText, "10");

    doc.OnPlay();
    EXPECT_EQ(bar.TimerPeriod(), 33);
    for (int i = 0; i < 3; ++i) bar.Tick();
    doc.OnStop();
    EXPECT_FALSE(bar.TimerRunning());
    EXPECT_EQ(doc.scene().m_currentFrame, 13);

    doc.OnInsertFrames();
    EXPECT_EQ(ui.presetInsert, (std::pair{13, 1}));
    EXPECT_EQ(doc.scene().m_lastFrame, 65);
    doc.OnFileSave();  // untitled: save as
    ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
  }

  // The same through qvlogo.
  const std::string cli = (dir_ / "cli.qvlogo").string();
  ASSERT_EQ(Qvlogo({"new", cli}).status, 0);
  ASSERT_EQ(Qvlogo({"text", cli, "--text", "Q", "--font", "DejaVu Sans"}).status, 0);
  ASSERT_EQ(Qvlogo({"key", cli, "--model", "Q", "--frame", "0", "--position", "120,0,0"}).status, 0);
  ASSERT_EQ(Qvlogo({"frames", cli, "--insert-after", "13", "--count", "5"}).status, 0);
  const std::string stored = ReadBytes(ui.savePath);
  ASSERT_FALSE(stored.empty());
  EXPECT_TRUE(stored == ReadBytes(cli)) << "the two sessions stored different bytes";

  // Reopened and exported, both ways.
  CMotionDoc reopened(ui);
  reopened.m_programFolder = QV_BIN_DIR;
  ASSERT_TRUE(reopened.OnOpenDocument(ui.savePath));
  EXPECT_EQ(reopened.scene().m_lastFrame, 65);
  EXPECT_EQ(reopened.scene().m_models[0].m_tracks[0][0].m_position, CVector(120, 0, 0));
  fs::create_directories(dir_ / "doc");  // a save dialog offers an existing folder
  const WebExportResult result = ExportWebPage(reopened, WebExportKind::kWebGL, (dir_ / "doc/Logo.html").string());
  ASSERT_TRUE(result.Succeeded());
  EXPECT_TRUE(reopened.IsModified());  // exporting is not saving
  ASSERT_EQ(Qvlogo({"export", "--webgl", cli, (dir_ / "cli/Logo.html").string()}).status, 0);
  for (const char* file : {"Logo.html", "css/styles.css", "webgl/Logo.js", "webgl/Model_Logo.js"})
    EXPECT_TRUE(ReadBytes(dir_ / "doc" / file) == ReadBytes(dir_ / "cli" / file)) << file;
}

}  // namespace
}  // namespace qv
