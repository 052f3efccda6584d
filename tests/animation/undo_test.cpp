#include "animation/undo.h"

#include <gtest/gtest.h>

#include "animation/key_editing.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

using testing::CurrentTrack;

class UndoTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeAnimatedScene(scene, {"A", "B", "C"}, 30); }
  Scene scene;
};

TEST_F(UndoTest, UndoRestoresThePoseAndJumpsToItsFrameRedoReappliesIt) {
  scene.m_selectedModel = 1;
  scene.m_currentFrame = 10;
  RecordUndoSelected(scene);
  CurrentTrack(scene, 1)[10].m_position = {5, 6, 7};
  scene.m_currentFrame = 20;
  scene.m_selectedModel = 0;
  ASSERT_TRUE(Undo(scene));
  EXPECT_EQ(scene.m_currentFrame, 10);
  EXPECT_EQ(scene.m_selectedModel, 1);
  EXPECT_EQ(CurrentTrack(scene, 1)[10].m_position, CVector(0, 0, 0));
  ASSERT_TRUE(Redo(scene));
  EXPECT_EQ(CurrentTrack(scene, 1)[10].m_position, CVector(5, 6, 7));
  EXPECT_EQ(scene.m_undoStack.size(), 1u);
  EXPECT_TRUE(scene.m_redoStack.empty());
}

TEST_F(UndoTest, KeysForAllModelsUndoOneModelAtATime) {
  scene.m_selectedModel = 0;
  scene.m_currentFrame = 5;
  AddKey(scene, true, 5);
  for (int expected : {2, 1, 0}) {
    ASSERT_TRUE(Undo(scene));
    EXPECT_EQ(scene.m_selectedModel, expected);
    EXPECT_EQ(CurrentTrack(scene, expected)[5].m_key, 0);
  }
  EXPECT_FALSE(Undo(scene));
}

TEST_F(UndoTest, NewEditEmptiesRedo) {
  RecordUndo(scene, 0, 3);
  Undo(scene);
  ASSERT_EQ(scene.m_redoStack.size(), 1u);
  RecordUndo(scene, 2, 4);
  EXPECT_TRUE(scene.m_redoStack.empty());
}

TEST_F(UndoTest, StepOfARenamedModelIsDroppedAndChangesNothing) {
  scene.m_selectedModel = 2;
  scene.m_currentFrame = 3;
  RecordUndo(scene, 1, 3);
  scene.m_models[1].m_name = "Renamed";
  const Scene before = scene;
  EXPECT_FALSE(Undo(scene));
  EXPECT_TRUE(scene.m_undoStack.empty());
  EXPECT_TRUE(scene.m_redoStack.empty());
  EXPECT_EQ(scene.m_selectedModel, 2);
  EXPECT_EQ(scene.m_currentFrame, 3);
  EXPECT_EQ(scene.m_models[1].m_tracks, before.m_models[1].m_tracks);
}

TEST_F(UndoTest, ParentLinksComeBackUnlessTheyWouldCloseALoop) {
  RecordUndo(scene, 1, 0);  // B top level
  scene.m_models[1].m_parent = 0;
  ASSERT_TRUE(Undo(scene));
  EXPECT_EQ(scene.m_models[1].m_parent, kNoModel);
  ASSERT_TRUE(Redo(scene));
  EXPECT_EQ(scene.m_models[1].m_parent, 0);

  // B under A recorded, then A moved under B: restoring B under A would make a loop
  RecordUndo(scene, 1, 0);
  scene.m_models[1].m_parent = kNoModel;
  scene.m_models[0].m_parent = 1;
  ASSERT_TRUE(Undo(scene));
  EXPECT_EQ(scene.m_models[1].m_parent, kNoModel);
}

TEST_F(UndoTest, ClearHistory) {
  RecordUndo(scene, 0, 1);
  scene.m_currentFrame = 9;
  ClearHistory(scene, false);
  EXPECT_EQ(scene.m_currentFrame, 9);
  RecordUndo(scene, 0, 1);
  ClearHistory(scene, true);
  EXPECT_EQ(scene.m_currentFrame, 0);
  EXPECT_TRUE(scene.m_undoStack.empty());
}

}  // namespace
}  // namespace qv
