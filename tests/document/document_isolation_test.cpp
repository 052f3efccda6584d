// Two documents in one process: each has its own scene, timeline and modes; nothing one does is
// seen by the other.
#include <gtest/gtest.h>

#include "document/motion_doc.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

TEST(DocumentIsolation, TwoDocumentsNeverSeeEachOther) {
  SilentInteraction uiA, uiB;
  CMotionDoc a(uiA), b(uiB);
  ASSERT_NE(&a.scene(), &b.scene());
  testing::MakeAnimatedScene(a.scene(), {"A0", "A1"}, 30);
  testing::MakeAnimatedScene(b.scene(), {"B0"}, 30);
  const Scene untouched = b.scene();

  Scene& sa = a.scene();
  sa.m_fps = 24.0f;
  sa.m_selectedModel = 1;
  sa.m_followModel = true;
  sa.m_currentFrame = 10;
  a.OnAddKey(false);              // a key, an interpolation, an undo entry
  ASSERT_TRUE(a.SetLastFrame(45));
  a.OnTransformMode(kTransformScale);
  a.OnMouseMode(kMouseAnimation);
  a.m_playing = true;
  a.UpdateAllViews(Change::kSelection);  // the follow reset of a's camera

  const Scene& sb = b.scene();
  EXPECT_EQ(sb.m_fps, 30.0f);
  EXPECT_EQ(sb.m_currentFrame, untouched.m_currentFrame);
  EXPECT_EQ(sb.m_lastFrame, 30);
  EXPECT_EQ(sb.m_previousLastFrame, 30);
  EXPECT_EQ(sb.m_models[0].m_tracks[0].size(), 31u);
  EXPECT_EQ(sb.m_selectedModel, kNoModel);
  EXPECT_EQ(sb.m_transformMode, 0);
  EXPECT_FALSE(sb.m_followModel);
  EXPECT_EQ(sb.m_lastFollowedModel, -1);
  EXPECT_EQ(sb.m_cameras[0], untouched.m_cameras[0]);
  EXPECT_TRUE(sb.m_undoStack.empty());
  EXPECT_EQ(b.m_mouseMode, 0);
  EXPECT_FALSE(b.m_playing);
  EXPECT_FALSE(b.IsModified());

  // And the other way round: a new document in b leaves a as it is.
  ASSERT_TRUE(b.OnNewDocument());
  EXPECT_EQ(sa.m_lastFrame, 45);
  EXPECT_EQ(sa.m_fps, 24.0f);
  EXPECT_EQ(sa.m_models.size(), 2u);
  EXPECT_TRUE(a.m_playing);
}

}  // namespace
}  // namespace qv
