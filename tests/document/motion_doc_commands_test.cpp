#include <gtest/gtest.h>

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/motion_doc.h"
#include "support/animated_scene.h"
#include "support/change_recorder.h"

namespace qv {
namespace {

using testing::ChangeRecorder;

class ScriptedDialogs : public SilentInteraction {
 public:
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t a, int32_t n) override {
    asked = {a, n};
    return answer;
  }
  std::optional<std::pair<int32_t, int32_t>> asked, answer;
};

class MotionDocCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MakeAnimatedScene(scene_, {"A", "B"}, 30);
    doc_.AddView(&first_);
    doc_.AddView(&second_);
  }
  Scene scene_;
  ScriptedDialogs ui_;
  CMotionDoc doc_{ui_, scene_};
  ChangeRecorder first_, second_;
};

TEST_F(MotionDocCommandsTest, KeyCommandsNeedASelectionAndNotifyEveryView) {
  for (CommandId id : {CommandId::kAddKeySelected, CommandId::kAddKeyAll, CommandId::kDeleteKeySelected,
                       CommandId::kKeyFrameDialog, CommandId::kCopyAllFrames, CommandId::kPasteAllFrames})
    EXPECT_FALSE(IsCommandEnabled(id, doc_)) << int(id);
  EXPECT_FALSE(IsCommandEnabled(CommandId::kMouseModel, doc_));
  scene_.m_selectedModel = 1;
  EXPECT_TRUE(IsCommandEnabled(CommandId::kAddKeyAll, doc_));
  scene_.m_currentFrame = 12;
  doc_.OnAddKey(false);
  EXPECT_EQ(scene_.m_models[1].m_tracks[0][12].m_key, 1);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(first_.notices, std::vector<Change>{Change::kPoses});
  EXPECT_EQ(second_.notices, first_.notices);
  EXPECT_TRUE(IsCommandEnabled(CommandId::kUndo, doc_));
}

TEST_F(MotionDocCommandsTest, InsertDialogIsPresetAndRefusalsShowTheMessage) {
  scene_.m_currentFrame = 7;
  ui_.answer = std::pair{40, 1};
  doc_.OnInsertFrames();
  EXPECT_EQ(ui_.asked, (std::pair{7, 1}));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], "フレーム番号が範囲外です！");
  EXPECT_FALSE(doc_.IsModified());
  ui_.answer = std::pair{30, 5};
  doc_.OnInsertFrames();
  EXPECT_EQ(scene_.m_lastFrame, 35);
  EXPECT_EQ(first_.notices.back(), Change::kFrames);
}

TEST_F(MotionDocCommandsTest, ClipboardWithoutSelectionAsksForAModel) {
  doc_.OnCopyAllFrames();
  doc_.OnPasteAllFrames();
  EXPECT_EQ(ui_.messages, (std::vector<std::string>{"モデルを選択してください！", "モデルを選択してください！"}));
}

TEST_F(MotionDocCommandsTest, ModesAndInterpolationToggle) {
  doc_.OnTransformMode(kTransformRotate);
  EXPECT_TRUE(IsCommandChecked(CommandId::kRotateMode, doc_));
  scene_.m_selectedModel = 0;
  doc_.OnMouseMode(kMouseCamera);
  EXPECT_EQ(scene_.m_selectedModel, kNoModel);
  EXPECT_EQ(first_.notices, (std::vector<Change>{Change::kTransformMode, Change::kSelection}));
  doc_.OnToggleHermite();
  EXPECT_FALSE(IsCommandChecked(CommandId::kHermite, doc_));
  EXPECT_FALSE(doc_.IsModified());  // the mode is stored, but flipping it is not an edit
}

}  // namespace
}  // namespace qv
