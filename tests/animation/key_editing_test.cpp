#include "animation/key_editing.h"

#include <gtest/gtest.h>

#include "animation/undo.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

using testing::CurrentTrack;

class KeyEditingTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeAnimatedScene(scene, {"A", "B", "C"}, 20); }
  Scene scene;
};

TEST_F(KeyEditingTest, KeysAtTheCurrentFrameInterpolateTheTrack) {
  scene.m_selectedModel = 0;
  for (auto [frame, x] : {std::pair{10, 100.0f}, {20, 0.0f}}) {
    scene.m_currentFrame = frame;
    CurrentTrack(scene, 0)[frame].m_position.x = x;
    AddKey(scene, false, frame);
  }
  EXPECT_FLOAT_EQ(CurrentTrack(scene, 0)[5].m_position.x, 56.25f);
  EXPECT_FLOAT_EQ(CurrentTrack(scene, 0)[15].m_position.x, 56.25f);
  EXPECT_EQ(CurrentTrack(scene, 1)[10].m_key, 0);  // only the selected model
  EXPECT_EQ(scene.m_undoStack.size(), 2u);
}

TEST_F(KeyEditingTest, KeyAtAnotherFrameFreezesTheCurrentPose) {
  scene.m_selectedModel = 1;
  scene.m_currentFrame = 10;
  CurrentTrack(scene, 0)[10].m_position.y = 7;
  CurrentTrack(scene, 1)[10].m_position.y = 3;
  AddKey(scene, true, 20);
  for (int m : {0, 1}) {
    EXPECT_EQ(CurrentTrack(scene, m)[20].m_key, 1);
    EXPECT_EQ(CurrentTrack(scene, m)[20].m_position.y, m == 0 ? 7 : 3);
  }
  EXPECT_EQ(scene.m_undoStack.size(), 3u);  // one step per model
}

TEST_F(KeyEditingTest, RefusedRequestsChangeNothing) {
  const Scene before = scene;
  AddKey(scene, true, 5);  // no selection
  scene.m_selectedModel = 0;
  AddKey(scene, false, -3);
  AddKey(scene, false, 21);
  DeleteKey(scene, false, 0);  // frame 0 stays a key
  DeleteKey(scene, false, -1);
  DeleteKey(scene, true, 21);
  EXPECT_EQ(CurrentTrack(scene, 0), before.m_models[0].m_tracks[0]);
  EXPECT_TRUE(scene.m_undoStack.empty());
}

TEST_F(KeyEditingTest, NextAndPreviousKeyWrapAndStopAfterOneRound) {
  scene.m_selectedModel = 0;
  CurrentTrack(scene, 0)[12].m_key = 1;
  scene.m_currentFrame = 3;
  NextKey(scene);
  EXPECT_EQ(scene.m_currentFrame, 12);
  NextKey(scene);
  EXPECT_EQ(scene.m_currentFrame, 0);  // wrapped
  PreviousKey(scene);
  EXPECT_EQ(scene.m_currentFrame, 12);

  CurrentTrack(scene, 0)[12].m_key = 0;
  CurrentTrack(scene, 0)[0].m_key = 0;  // a track without keys
  scene.m_currentFrame = 7;
  NextKey(scene);
  EXPECT_EQ(scene.m_currentFrame, 7);
  PreviousKey(scene);
  EXPECT_EQ(scene.m_currentFrame, 7);
}

TEST_F(KeyEditingTest, PoseClipboardCopiesEveryModelsCurrentPose) {
  scene.m_currentFrame = 4;
  CurrentTrack(scene, 2)[4].m_rotation = {1, 2, 3};
  CurrentTrack(scene, 2)[4].m_key = 1;
  CopyCurrentPose(scene);
  scene.m_currentFrame = 9;
  PasteCurrentPose(scene);
  EXPECT_EQ(CurrentTrack(scene, 2)[9], CurrentTrack(scene, 2)[4]);
  EXPECT_EQ(CurrentTrack(scene, 0)[9], IdentityPose());
}

}  // namespace
}  // namespace qv
