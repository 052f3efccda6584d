// The command table: one entry for every command the menus, toolbars and keys send, its enable and
// check rules over document states, and what running a command reaches (the document or the host).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "document/command_ids.h"
#include "document/command_layout.h"
#include "document/command_table.h"
#include "document/motion_doc.h"
#include "support/animated_scene.h"
#include "support/change_recorder.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

using enum CommandId;

// Records what the commands ask of the window.
class RecordingHost : public CommandHost {
 public:
  FrameState& frameState() override { return bars; }
  void ShowBars() override { calls.push_back("ShowBars"); }
  void OpenCreateTextDialog() override { calls.push_back("OpenCreateTextDialog"); }
  void OpenSettingsDialog() override { calls.push_back("OpenSettingsDialog"); }
  void ChooseBackgroundColor() override { calls.push_back("ChooseBackgroundColor"); }
  void AddModel() override { calls.push_back("AddModel"); }
  void Exit() override { calls.push_back("Exit"); }
  void ShowHelp() override { calls.push_back("ShowHelp"); }
  void ShowAbout() override { calls.push_back("ShowAbout"); }
  void Unregister() override { calls.push_back("Unregister"); }

  FrameState bars;
  std::vector<std::string> calls;
};

// Every id the menus, the toolbars and the key table send, with where it was found.
std::multimap<CommandId, std::string> LaidOutCommands() {
  std::multimap<CommandId, std::string> ids;
  for (const Menu& menu : MenuBar())
    for (const MenuItem& item : menu.items)
      if (item.command != kNone) ids.emplace(item.command, std::string("menu ") + menu.title);
  for (const auto* bar : {&MainToolbar(), &ControlToolbar()})
    for (const ToolbarButton& button : *bar)
      if (button.command != kNone) ids.emplace(button.command, std::string("button ") + button.label);
  for (const Accelerator& accelerator : Accelerators()) ids.emplace(accelerator.command, accelerator.key);
  return ids;
}

TEST(CommandTable, EveryCommandOfTheMenusToolbarsAndKeysHasExactlyOneEntry) {
  const auto laidOut = LaidOutCommands();
  ASSERT_EQ(Accelerators().size(), 55u);
  for (const auto& [id, where] : laidOut) {
    int entries = 0;
    for (const Command& command : Commands()) entries += command.id == id;
    EXPECT_EQ(entries, 1) << int(id) << " (" << where << ")";
    const Command* found = FindCommand(id);
    ASSERT_NE(found, nullptr) << int(id);
    EXPECT_EQ(found->id, id);
  }
  // And the table holds nothing else but the panes' context-menu commands and the model mouse mode,
  // which has no menu item and no key.
  const std::set<CommandId> notLaidOut{kMaterialColor, kRenameMaterial, kDeleteMaterial, kMouseModel};
  for (const Command& command : Commands())
    EXPECT_TRUE(laidOut.count(command.id) || notLaidOut.count(command.id)) << int(command.id);
  EXPECT_EQ(FindCommand(kNone), nullptr);
}

TEST(CommandTable, EachRecentFileEntrySendsItsOwnIdAndSharesTheFirstEntry) {
  for (size_t index = 0; index < RecentFileList::kSize; ++index) {
    const CommandId id = RecentFileCommand(index);
    EXPECT_EQ(int(id), 57616 + int(index));
    EXPECT_EQ(RecentFileIndex(id), index);
    ASSERT_NE(FindCommand(id), nullptr);
    EXPECT_EQ(FindCommand(id)->id, kRecentFileFirst);
    EXPECT_EQ(StatusPrompt(id), "このﾌｧｲﾙを開く");
    EXPECT_EQ(CommandName(id), "ﾌｧｲﾙを開く");
  }
  EXPECT_EQ(RecentFileIndex(RecentFileCommand(RecentFileList::kSize)), std::nullopt);
  EXPECT_EQ(FindCommand(RecentFileCommand(RecentFileList::kSize)), nullptr);
  EXPECT_EQ(RecentFileIndex(kExit), std::nullopt);
}

TEST(CommandTable, PromptsAndNamesAreTheStringTablesHalves) {
  const struct {
    CommandId id;
    std::string_view prompt, name;
  } cases[] = {
      {kMouseAnimation, "ﾏｳｽでの操作をｱﾆﾒｰｼｮﾝにする", "ﾏｳｽでｱﾆﾒｰｼｮﾝ操作"},
      {kSaveAs, "ﾌｧｲﾙに名前を付けて保存、またはWebﾍﾟｰｼﾞ(WebGL, WebGPU)として書き出す", "名前を付けて保存"},
      {kControlToolbar, "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示/非表示", "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示切り替え"},
      {kDeleteMaterial, "選択した材質を削除する", "削除"},
      {kUnusedAltD, "", ""},
      {kNextPane, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StatusPrompt(c.id), c.prompt) << int(c.id);
    EXPECT_EQ(CommandName(c.id), c.name) << int(c.id);
  }
  // A command the user can reach has both halves; a key that does nothing has neither.
  for (const Command& command : Commands()) {
    EXPECT_EQ(command.prompt.empty(), command.name.empty()) << int(command.id);
    EXPECT_EQ(command.prompt.find('\n'), std::string_view::npos) << int(command.id);
    if (command.run) {
      EXPECT_FALSE(command.prompt.empty()) << int(command.id);
    }
  }
}

// A document in a given state, and what the rules say there.
class CommandRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeAnimatedScene(scene_, {"A", "B"}, 30); }
  Scene scene_;
  SilentInteraction ui_;
  CMotionDoc doc_{ui_, scene_};
};

TEST(CommandRules, EnabledAndCheckedFollowTheDocumentsState) {
  struct Row {
    const char* state;
    std::function<void(Scene&, CMotionDoc&, FrameState&)> make;
    CommandId id;
    bool enabled, checked;
  };
  const auto none = [](Scene&, CMotionDoc&, FrameState&) {};
  const auto select = [](Scene& s, CMotionDoc&, FrameState&) { s.m_selectedModel = 1; };
  const auto selectPastTheEnd = [](Scene& s, CMotionDoc&, FrameState&) { s.m_selectedModel = 2; };
  const Row rows[] = {
      {"no selection", none, kAddKeySelected, false, false},
      {"no selection", none, kAddKeyAll, false, false},
      {"no selection", none, kDeleteKeySelected, false, false},
      {"no selection", none, kDeleteKeyAll, false, false},
      {"no selection", none, kKeyFrameDialog, false, false},
      {"no selection", none, kCopyAllFrames, false, false},
      {"no selection", none, kPasteAllFrames, false, false},
      {"no selection", none, kPlay, true, false},
      {"no selection", none, kInsertFrames, true, false},
      {"selection past the last model", selectPastTheEnd, kAddKeyAll, false, false},
      {"a model selected", select, kAddKeySelected, true, false},
      {"a model selected", select, kDeleteKeyAll, true, false},
      {"a model selected", select, kKeyFrameDialog, true, false},
      {"a model selected", select, kPasteAllFrames, true, false},
      {"empty history", none, kUndo, false, false},
      {"empty history", none, kRedo, false, false},
      {"an undo entry", [](Scene& s, CMotionDoc&, FrameState&) { s.m_undoStack.emplace_back(); }, kUndo, true, false},
      {"an undo entry", [](Scene& s, CMotionDoc&, FrameState&) { s.m_undoStack.emplace_back(); }, kRedo, false, false},
      {"a redo entry", [](Scene& s, CMotionDoc&, FrameState&) { s.m_redoStack.emplace_back(); }, kRedo, true, false},
      {"animation 0", none, kCopyCurrentPose, true, false},
      {"animation 0", none, kPasteCurrentPose, true, false},
      {"no animation", [](Scene& s, CMotionDoc&, FrameState&) { s.m_currentAnimation = -1; }, kCopyCurrentPose, false,
       false},
      {"animation past the last",
       [](Scene& s, CMotionDoc&, FrameState&) { s.m_currentAnimation = int32_t(s.m_animationNames.size()); },
       kPasteCurrentPose, false, false},
      {"move mode", none, kMoveMode, true, true},
      {"move mode", none, kRotateMode, true, false},
      {"rotate mode", [](Scene& s, CMotionDoc&, FrameState&) { s.m_transformMode = kTransformRotate; }, kRotateMode,
       true, true},
      {"scale mode", [](Scene& s, CMotionDoc&, FrameState&) { s.m_transformMode = kTransformScale; }, kScaleMode, true,
       true},
      {"scale mode", [](Scene& s, CMotionDoc&, FrameState&) { s.m_transformMode = kTransformScale; }, kMoveMode, true,
       false},
      {"following", [](Scene& s, CMotionDoc&, FrameState&) { s.m_followModel = true; }, kFollowModel, true, true},
      {"not following", none, kFollowModel, true, false},
      {"linear", [](Scene& s, CMotionDoc&, FrameState&) { s.m_hermite = false; }, kHermite, true, false},
      {"Hermite", [](Scene& s, CMotionDoc&, FrameState&) { s.m_hermite = true; }, kHermite, true, true},
      {"flat shading", [](Scene& s, CMotionDoc&, FrameState&) { s.m_smoothShading = 0; }, kSmoothShading, true, false},
      {"shading 7", [](Scene& s, CMotionDoc&, FrameState&) { s.m_smoothShading = 7; }, kSmoothShading, true, true},
      {"camera mouse", none, kMouseCamera, true, true},
      {"camera mouse", none, kMouseModel, false, false},
      {"model mouse", [](Scene&, CMotionDoc& d, FrameState&) { d.m_mouseMode = MouseMode::kMouseModel; }, kMouseModel, false,
       true},
      {"animation mouse", [](Scene&, CMotionDoc& d, FrameState&) { d.m_mouseMode = MouseMode::kMouseAnimation; }, kMouseAnimation,
       true, true},
      {"bars shown", none, kMainToolbar, true, true},
      {"bars shown", none, kStatusBar, true, true},
      {"control toolbar hidden", [](Scene&, CMotionDoc&, FrameState& f) { f.controlToolbarVisible = false; },
       kControlToolbar, true, false},
      {"control toolbar hidden", [](Scene&, CMotionDoc&, FrameState& f) { f.controlToolbarVisible = false; },
       kMainToolbar, true, true},
      {"status bar hidden", [](Scene&, CMotionDoc&, FrameState& f) { f.statusBarVisible = false; }, kStatusBar, true,
       false},
      {"a key nothing answers", none, kUnusedAltK, true, false},
      {"an id in no table", none, CommandId(12345), true, false},
  };
  for (const Row& row : rows) {
    Scene scene;
    testing::MakeAnimatedScene(scene, {"A", "B"}, 30);
    SilentInteraction ui;
    CMotionDoc doc(ui, scene);
    FrameState bars;
    row.make(scene, doc, bars);
    EXPECT_EQ(IsCommandEnabled(row.id, doc), row.enabled) << row.state << ", " << int(row.id);
    EXPECT_EQ(IsCommandChecked(row.id, doc, bars), row.checked) << row.state << ", " << int(row.id);
  }
}

TEST(CommandTable, ExactlyTheModeAndBarCommandsCarryACheckMark) {
  const std::set<CommandId> checkable{kFollowModel, kMoveMode,      kRotateMode,  kScaleMode,
                                      kHermite,     kSmoothShading, kMainToolbar, kControlToolbar,
                                      kStatusBar,   kMouseCamera,   kMouseModel,  kMouseAnimation};
  for (const Command& command : Commands())
    EXPECT_EQ(IsCommandCheckable(command.id), checkable.count(command.id) == 1) << int(command.id);
}

TEST_F(CommandRulesTest, ADisabledCommandDoesNotRun) {
  testing::ChangeRecorder views;
  doc_.AddView(&views);
  RecordingHost host;
  ASSERT_FALSE(scene_.HasValidSelection());
  scene_.m_currentFrame = 12;
  for (CommandId id : {kAddKeySelected, kAddKeyAll, kDeleteKeySelected, kDeleteKeyAll, kKeyFrameDialog, kCopyAllFrames,
                       kPasteAllFrames, kUndo, kRedo, kMouseModel})
    EXPECT_FALSE(RunCommand(id, doc_, host)) << int(id);
  EXPECT_TRUE(views.notices.empty());
  EXPECT_TRUE(ui_.messages.empty());  // the clipboard commands would have asked for a model
  EXPECT_EQ(scene_.m_models[0].m_tracks[0][12].m_key, 0);
  EXPECT_EQ(doc_.m_mouseMode, MouseMode::kMouseCamera);
  EXPECT_FALSE(doc_.IsModified());

  // Enabled, the same command runs.
  scene_.m_selectedModel = 0;
  EXPECT_TRUE(RunCommand(kAddKeySelected, doc_, host));
  EXPECT_EQ(scene_.m_models[0].m_tracks[0][12].m_key, 1);
  EXPECT_EQ(views.notices, std::vector<Change>{Change::kPoses});
  EXPECT_TRUE(RunCommand(kUndo, doc_, host));
  EXPECT_EQ(scene_.m_models[0].m_tracks[0][12].m_key, 0);
  EXPECT_TRUE(host.calls.empty());
  doc_.RemoveView(&views);
}

TEST_F(CommandRulesTest, CommandsReachTheDocumentOrTheHost) {
  const struct {
    CommandId id;
    const char* hostCall;  // null: the document's own
  } cases[] = {
      {kCreateText, "OpenCreateTextDialog"},
      {kSettings, "OpenSettingsDialog"},
      {kBackgroundColor, "ChooseBackgroundColor"},
      {kAddModel, "AddModel"},
      {kExit, "Exit"},
      {kHelp, "ShowHelp"},
      {kAbout, "ShowAbout"},
      {kUnregister, "Unregister"},
      {kRotateMode, nullptr},
      {kCameraTop, nullptr},
      {kMouseAnimation, nullptr},
      {kLastFrame, nullptr},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    EXPECT_TRUE(RunCommand(c.id, doc_, host)) << int(c.id);
    EXPECT_EQ(host.calls, c.hostCall ? std::vector<std::string>{c.hostCall} : std::vector<std::string>{}) << int(c.id);
  }
  EXPECT_EQ(scene_.m_transformMode, kTransformRotate);
  EXPECT_EQ(doc_.m_mouseMode, MouseMode::kMouseAnimation);
  EXPECT_EQ(scene_.m_currentFrame, scene_.m_lastFrame);

  // Keys nothing answers, the panes' own commands and ids in no table run nothing, but are not
  // refused either.
  testing::ChangeRecorder views;
  doc_.AddView(&views);
  RecordingHost host;
  for (CommandId id : {kUnusedAltD, kEditCut, kNextPane, kDeleteModel, kRenameMaterial, CommandId(12345)})
    EXPECT_TRUE(RunCommand(id, doc_, host)) << int(id);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(views.notices.empty());
  doc_.RemoveView(&views);
}

TEST_F(CommandRulesTest, BarTogglesFlipTheirBarAndAreCheckedWhileItIsVisible) {
  RecordingHost host;
  const struct {
    CommandId id;
    bool FrameState::*flag;
  } bars[] = {{kMainToolbar, &FrameState::mainToolbarVisible},
              {kControlToolbar, &FrameState::controlToolbarVisible},
              {kStatusBar, &FrameState::statusBarVisible}};
  for (const auto& bar : bars) {
    EXPECT_TRUE(IsCommandChecked(bar.id, doc_, host.bars)) << int(bar.id);
    EXPECT_TRUE(RunCommand(bar.id, doc_, host));
    EXPECT_FALSE(host.bars.*bar.flag) << int(bar.id);
    EXPECT_FALSE(IsCommandChecked(bar.id, doc_, host.bars)) << int(bar.id);
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ShowBars", "ShowBars", "ShowBars"}));
  EXPECT_TRUE(RunCommand(kStatusBar, doc_, host));
  EXPECT_TRUE(host.bars.statusBarVisible);
  EXPECT_FALSE(host.bars.mainToolbarVisible);
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(CommandRulesTest, ARecentFileEntryOpensItsDocumentAndOneThatFailsLeavesTheList) {
  testing::ScratchFolder folder("qv recent files");
  const std::string a = folder.Path("a.qvlogo");
  const std::string b = folder.Path("b.qvlogo");
  ASSERT_TRUE(doc_.DoStore(a));
  ASSERT_TRUE(doc_.DoStore(b));
  doc_.m_recentFiles.Add(a);
  doc_.m_recentFiles.Add(b);  // b first, a second
  RecordingHost host;
  EXPECT_TRUE(RunCommand(RecentFileCommand(1), doc_, host));
  EXPECT_EQ(doc_.path(), a);
  EXPECT_EQ(doc_.m_recentFiles.Entries(), (std::vector<std::string>{a, b}));

  std::filesystem::remove(b);
  EXPECT_TRUE(RunCommand(RecentFileCommand(1), doc_, host));  // b, which is gone
  EXPECT_EQ(doc_.path(), a);
  EXPECT_EQ(doc_.m_recentFiles.Entries(), std::vector<std::string>{a});
  EXPECT_EQ(ui_.messages.size(), 1u);
  // Past the list's end: nothing.
  EXPECT_TRUE(RunCommand(RecentFileCommand(3), doc_, host));
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace qv
