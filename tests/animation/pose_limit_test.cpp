// Models x frames: the frame edits refuse, with nothing changed, what would make the scene hold
// more than kMaxStoredPoses poses. The scenes here keep their tracks short and only claim a long
// frame range: the count follows the frame range, so no test allocates the poses it refuses.
#include <gtest/gtest.h>

#include "animation/frame_editing.h"
#include "animation/track_fit.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

// `models` models with one-pose tracks in a scene whose frame range claims `lastFrame`.
Scene SceneOf(int models, int32_t lastFrame) {
  Scene scene;
  testing::MakeAnimatedScene(scene, {}, 0);
  for (int i = 0; i < models; ++i) {
    CModel model;
    model.m_id = ++scene.m_nextModelId;
    FitFrames(scene, model, 0);
    scene.m_models.push_back(std::move(model));
  }
  scene.m_lastFrame = scene.m_previousLastFrame = lastFrame;
  return scene;
}

TEST(PoseLimit, CountsEveryModelsTracksAsTheyWillBeFitted) {
  Scene scene = SceneOf(3, 9);
  scene.m_animationNames = {"A", "B"};
  scene.m_animationCount = 2;
  scene.m_models[0].m_tracks.resize(2);
  scene.m_models[0].m_tracks[1].resize(7);  // another animation keeps its poses
  const struct {
    int32_t animations, lastFrame;
    int64_t newModels, expected;
  } cases[] = {
      {1, 9, 0, 3 * 10},
      {1, 99, 0, 3 * 100},
      {1, 99, 2, 5 * 100},
      {2, 9, 0, 3 * 10 + 7 + 1 + 1},  // an empty track counts as one pose
      {2, 9, 1, 3 * 10 + 7 + 1 + 1 + 11},
      {0, 9, 4, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FittedPoseCount(scene, c.animations, c.lastFrame, c.newModels), c.expected)
        << c.animations << " animations, last frame " << c.lastFrame << ", " << c.newModels << " new";
}

TEST(PoseLimit, TheLimitItselfIsAllowed) {
  // 11 models x 909,091 frames is one pose too many; a frame less fits.
  const Scene scene = SceneOf(11, 0);
  EXPECT_FALSE(FittedPosesAllowed(scene, 1, 909'090));
  EXPECT_TRUE(FittedPosesAllowed(scene, 1, 909'089));
  EXPECT_TRUE(FittedPosesAllowed(SceneOf(10, 0), 1, kMaxLastFrame - 1));
}

TEST(PoseLimit, LastFrameBeyondIsRefusedWithNothingChanged) {
  // 10,001 models (one import) at 1,000 frames: over ten million poses.
  Scene scene = SceneOf(10'001, 0);
  EXPECT_FALSE(ApplyLastFrame(scene, 1000));
  EXPECT_EQ(scene.m_lastFrame, 0);
  EXPECT_EQ(scene.m_models.back().m_tracks[0].size(), 1u);
  EXPECT_TRUE(ApplyLastFrame(scene, 10));
  EXPECT_EQ(scene.m_models.back().m_tracks[0].size(), 11u);
}

TEST(PoseLimit, InsertingBeyondIsRefusedWithNothingChanged) {
  Scene scene = SceneOf(11, 60);
  for (CModel& model : scene.m_models) model.m_tracks[0].resize(61);
  EXPECT_FALSE(InsertFrames(scene, 10, 909'100));
  EXPECT_EQ(scene.m_lastFrame, 60);
  for (const CModel& model : scene.m_models) EXPECT_EQ(model.m_tracks[0].size(), 61u);
  EXPECT_TRUE(InsertFrames(scene, 10, 100));
  EXPECT_EQ(scene.m_models[0].m_tracks[0].size(), 161u);
}

}  // namespace
}  // namespace qv
