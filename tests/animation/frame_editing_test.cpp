#include "animation/frame_editing.h"

#include <gtest/gtest.h>

#include "support/animated_scene.h"

namespace qv {
namespace {

using testing::CurrentTrack;

class FrameEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MakeAnimatedScene(scene, {"A", "B"});
    for (int f : {0, 11, 30, 60}) {
      CurrentTrack(scene, 0)[f].m_key = 1;
      CurrentTrack(scene, 0)[f].m_position.x = float(f);
    }
  }
  Scene scene;
};

TEST_F(FrameEditingTest, InsertMovesPosesWithTheirKeys) {
  scene.m_currentFrame = 25;
  scene.m_undoStack.push_back({});
  ASSERT_TRUE(InsertFrames(scene, 10, 3));
  EXPECT_EQ(scene.m_lastFrame, 63);
  EXPECT_EQ(scene.m_previousLastFrame, 63);
  EXPECT_EQ(scene.m_currentFrame, 0);
  EXPECT_TRUE(scene.m_undoStack.empty());
  const Track& track = CurrentTrack(scene, 0);
  ASSERT_EQ(track.size(), 64u);
  EXPECT_EQ(CurrentTrack(scene, 1).size(), 64u);
  for (int f : {14, 33, 63}) {
    EXPECT_EQ(track[f].m_key, 1) << f;
    EXPECT_EQ(track[f].m_position.x, float(f - 3)) << f;
  }
  for (int f : {11, 12, 13}) EXPECT_EQ(track[f].m_key, 0) << f;
}

TEST_F(FrameEditingTest, InsertAfterTheLastFrameAndZeroFrames) {
  ASSERT_TRUE(InsertFrames(scene, 60, 2));
  EXPECT_EQ(CurrentTrack(scene, 0)[62].m_position.x, 60.0f);  // holds the last key
  scene.m_currentFrame = 5;
  ASSERT_TRUE(InsertFrames(scene, 3, 0));
  EXPECT_EQ(scene.m_lastFrame, 62);
  EXPECT_EQ(scene.m_currentFrame, 0);
}

TEST_F(FrameEditingTest, DeleteFromFrameZero) {
  ASSERT_TRUE(DeleteFrames(scene, 0, 5));
  EXPECT_EQ(scene.m_lastFrame, 54);
  EXPECT_EQ(scene.m_previousLastFrame, 60);
  const Track& track = CurrentTrack(scene, 0);
  ASSERT_EQ(track.size(), 55u);
  EXPECT_EQ(track[0].m_key, 0);  // pose 6 was no key
  EXPECT_EQ(track[5].m_key, 1);  // the key of frame 11
  EXPECT_EQ(track[54].m_position.x, 60.0f);
}

TEST_F(FrameEditingTest, OutOfRangeRequestsAreRefusedAndChangeNothing) {
  const Scene before = scene;
  const struct {
    bool insert;
    int32_t a, b;
  } refused[] = {
      {true, -1, 1}, {true, 61, 1}, {true, 0, -1}, {true, 0, kMaxLastFrame},
      {false, 5, 4}, {false, -1, 3}, {false, 3, 61}, {false, 0, 60},  // every frame
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(r.insert ? InsertFrames(scene, r.a, r.b) : DeleteFrames(scene, r.a, r.b)) << r.a << " " << r.b;
    EXPECT_EQ(scene.m_lastFrame, 60);
    EXPECT_EQ(CurrentTrack(scene, 0), before.m_models[0].m_tracks[0]);
  }
}

TEST_F(FrameEditingTest, WithoutModelsTheLastFrameNeverGoesBelowZero) {
  scene.m_models.clear();
  EXPECT_FALSE(DeleteFrames(scene, 0, 60));
  EXPECT_TRUE(DeleteFrames(scene, 0, 59));
  EXPECT_EQ(scene.m_lastFrame, 0);
  EXPECT_FALSE(DeleteFrames(scene, 0, 0));
}

TEST_F(FrameEditingTest, LastFrameChangesFitEveryTrack) {
  ASSERT_TRUE(ApplyLastFrame(scene, 30));
  EXPECT_EQ(CurrentTrack(scene, 0).size(), 31u);
  ASSERT_TRUE(ApplyLastFrame(scene, 40));
  EXPECT_EQ(CurrentTrack(scene, 0)[40], IdentityPose());
  EXPECT_EQ(CurrentTrack(scene, 0)[30].m_key, 1);
  EXPECT_FALSE(ApplyLastFrame(scene, -1));
  EXPECT_EQ(scene.m_lastFrame, 40);
}

TEST_F(FrameEditingTest, AllFramesClipboard) {
  EXPECT_FALSE(CopyAllFrames(scene));
  scene.m_selectedModel = 0;
  ASSERT_TRUE(CopyAllFrames(scene));
  scene.m_frameClipboard.resize(100, scene.m_frameClipboard.back());
  scene.m_selectedModel = 1;
  scene.m_currentFrame = 7;
  ASSERT_TRUE(PasteAllFrames(scene));
  EXPECT_EQ(CurrentTrack(scene, 1), CurrentTrack(scene, 0));  // 61 poses, the rest ignored
  EXPECT_EQ(scene.m_currentFrame, 7);
}

}  // namespace
}  // namespace qv
