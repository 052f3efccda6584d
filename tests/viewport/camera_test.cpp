#include "viewport/camera.h"

#include <gtest/gtest.h>

#include "scene_fixture.h"
#include "viewport/view_math.h"

namespace qv {
namespace {

class CameraTest : public ::testing::Test {
 protected:

  // Normalised device coordinates of a world point.
  static CVector Project(const CVector& p, const Matrix4& view, const Matrix4& projection) {
    const Matrix4 m = view * projection;
    const float x = p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0];
    const float y = p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1];
    const float z = p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2];
    const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
    return {x / w, y / w, z / w};
  }

  Scene scene;
};

TEST_F(CameraTest, AfterAResetTheOriginIsInTheMiddleOfA4By3Viewport) {
  scene.m_cameras[0].m_position = {300, -20, 5};
  scene.m_cameras[0].m_key = 1;
  scene.ResetCamera();
  EXPECT_EQ(scene.m_cameras[0].m_key, 1);  // the reset keeps the key flag
  const CVector ndc = Project({0, 0, 0}, ComposeViewMatrix(scene), ProjectionMatrix(20, 800, 600));
  EXPECT_NEAR(ndc.x, 0, 1e-6);
  EXPECT_NEAR(ndc.y, 0, 1e-6);
  EXPECT_GT(ndc.z, 0);
  EXPECT_LT(ndc.z, 1);
  // The camera looks along its -z: a point 1400 units from it lies between near and far.
  const Matrix4 view = ComposeViewMatrix(scene);
  EXPECT_NEAR(view.m[3][2], -1500, 1e-3);
}

TEST_F(CameraTest, ProjectionIsARightHandedPerspectiveWithDepthZeroToOne) {
  const Matrix4 p = ProjectionMatrix(20, 800, 600);
  const float y = std::cos(10 * kDegreesToRadians) / std::sin(10 * kDegreesToRadians);
  EXPECT_NEAR(p.m[1][1], y, 1e-5);
  EXPECT_NEAR(p.m[0][0], y / (800.0f / 600.0f), 1e-5);
  EXPECT_FLOAT_EQ(p.m[2][2], 10000.0f / (100.0f - 10000.0f));
  EXPECT_FLOAT_EQ(p.m[2][3], -1);
  EXPECT_FLOAT_EQ(p.m[3][2], 100.0f * 10000.0f / (100.0f - 10000.0f));
  EXPECT_EQ(p.m[3][3], 0);
  // Points at the near and far distances in front of the camera get depth 0 and 1.
  const Matrix4 identity;
  EXPECT_NEAR(Project({0, 0, -100}, identity, p).z, 0, 1e-6);
  EXPECT_NEAR(Project({0, 0, -10000}, identity, p).z, 1, 1e-6);
}

TEST_F(CameraTest, ZoomNeverGoesBelowOneHundredth) {
  ZoomCamera(scene, -6);  // a drag that would bring the scale to -5
  EXPECT_EQ(scene.m_cameras[0].m_scale, CVector(0.01f, 0.01f, 0.01f));
  ZoomCamera(scene, 0.24f);
  EXPECT_FLOAT_EQ(scene.m_cameras[0].m_scale.x, 0.25f);
}

TEST_F(CameraTest, PanMovesRightAndUpOnScreen) {
  PanCamera(scene, 10, 4);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(10, -4, -1500));
}

TEST_F(CameraTest, OrbitIsMirroredWhileTheCameraIsUpsideDown) {
  struct Case {
    float tilt;
    float expectedYaw;
  };
  for (const Case& c : {Case{80, 10}, Case{100, -10}, Case{-100, -10}, Case{269, -10}, Case{270, 10}, Case{90, 10}}) {
    scene.m_cameras[0].m_rotation = {c.tilt, 0, 0};
    const float applied = OrbitCamera(scene, 10, 0);
    EXPECT_EQ(scene.m_cameras[0].m_rotation.y, c.expectedYaw) << "tilt " << c.tilt;
    EXPECT_EQ(applied, c.expectedYaw);
  }
  scene.m_cameras[0].m_rotation = {20, 10, 0};
  OrbitCamera(scene, 3, 4);
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(24, 13, 0));
}

TEST_F(CameraTest, OrbitBringsAnglesIntoPlusMinus360) {
  struct Case {
    float before, after;
  };
  for (const Case& c : {Case{725, 5}, Case{715, 355}, Case{-360, -360}, Case{360, 360}, Case{-370, -10}, Case{1090, 10}}) {
    scene.m_cameras[0].m_rotation = {0, c.before, 0};
    OrbitCamera(scene, 0, 0);
    EXPECT_EQ(scene.m_cameras[0].m_rotation.y, c.after) << c.before;
  }
  scene.m_cameras[0].m_rotation = {715, 0, 0};
  OrbitCamera(scene, 0, 10);  // 725 becomes 5
  EXPECT_EQ(scene.m_cameras[0].m_rotation.x, 5);
}

TEST_F(CameraTest, FollowResetHappensOncePerSelection) {
  for (int i = 0; i < 3; ++i) testing::AddBox(scene, "m" + std::to_string(i), {0, 0, 0}, {10, 10, 10}, 0);
  scene.m_cameras[0].m_position = {50, 60, -1200};
  scene.m_selectedModel = 2;
  ApplyFollowReset(scene);  // not following: nothing moves
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(50, 60, -1200));

  scene.m_followModel = true;
  ApplyFollowReset(scene);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(0, -100, -1200));
  EXPECT_EQ(scene.m_lastFollowedModel, 2);

  scene.m_cameras[0].m_position = {7, 8, -1200};
  ApplyFollowReset(scene);  // same selection: kept
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(7, 8, -1200));

  scene.m_selectedModel = 1;  // another selection: reset again
  ApplyFollowReset(scene);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(0, -100, -1200));

  scene.m_cameras[0].m_position = {7, 8, -1200};
  scene.m_selectedModel = 2;
  ComposeViewMatrix(scene);  // drawing never moves the camera
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(7, 8, -1200));

  scene.m_selectedModel = kNoModel;  // even no model counts as a new selection
  ApplyFollowReset(scene);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(0, -100, -1200));
}

TEST_F(CameraTest, FollowTargetIsTheSelectedPivotCarriedThroughItsAncestors) {
  const int parent = testing::AddBox(scene, "parent", {0, 0, 0}, {10, 10, 10}, 0);
  const int child = testing::AddBox(scene, "child", {0, 0, 0}, {10, 10, 10}, 0, parent);
  scene.m_models[child].m_origin = {5, 0, 0};
  testing::PoseOf(scene, child).m_position = {10, 0, 0};
  testing::PoseOf(scene, child).m_scale = {3, 3, 3};  // scale plays no part
  testing::PoseOf(scene, parent).m_position = {0, 100, 0};
  testing::PoseOf(scene, parent).m_rotation = {0, 0, 90};
  scene.m_selectedModel = child;
  scene.m_followModel = true;
  ApplyFollowReset(scene);  // the document does this before its views draw
  const Matrix4 view = ComposeViewMatrix(scene);
  // Child pivot + position = (15, 0, 0); the parent turns it by 90° about z to (0, 15, 0) and
  // moves it up by 100.
  EXPECT_NEAR(scene.m_followTarget.x, 0, 1e-4);
  EXPECT_NEAR(scene.m_followTarget.y, 115, 1e-4);
  EXPECT_NEAR(scene.m_followTarget.z, 0, 1e-4);
  // The view then orbits the target: it lands where the origin would without following.
  const CVector atTarget = TransformPoint(scene.m_followTarget, view);
  EXPECT_NEAR(atTarget.x, 0, 1e-3);
  EXPECT_NEAR(atTarget.y, -100, 1e-3);  // the follow reset's y = -100
  EXPECT_NEAR(atTarget.z, -1500, 1e-3);

  // Hidden: the walk does not reach it and the target keeps its value.
  scene.m_models[child].m_visible = 0;
  testing::PoseOf(scene, parent).m_position = {0, 0, 0};
  ComposeViewMatrix(scene);
  EXPECT_NEAR(scene.m_followTarget.y, 115, 1e-4);
}

TEST_F(CameraTest, FixedViewsKeepScaleAndTheOtherPositionComponents) {
  scene.m_cameras[0].m_position = {10, 20, -900};
  scene.m_cameras[0].m_scale = {2, 2, 2};
  ApplyCameraView(scene, CameraView::kLeft);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(0, 20, -900));
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(0, -90, 0));
  ApplyCameraView(scene, CameraView::kRight);
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(0, 90, 0));
  ApplyCameraView(scene, CameraView::kTop);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(0, 0, -900));
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(90, 0, 0));
  ApplyCameraView(scene, CameraView::kBottom);
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(-90, 0, 0));
  ApplyCameraView(scene, CameraView::kBack);
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(0, 180, 0));
  ApplyCameraView(scene, CameraView::kFront);
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(0, 0, 0));
  EXPECT_EQ(scene.m_cameras[0].m_scale, CVector(2, 2, 2));
}

TEST_F(CameraTest, ViewMatrixComposesZoomThenRotationsZYXThenPosition) {
  scene.m_cameras[0].m_position = {1, 2, -300};
  scene.m_cameras[0].m_rotation = {30, 40, 50};
  scene.m_cameras[0].m_scale = {2, 2, 2};
  const Matrix4 expected = ScalingMatrix(2, 2, 2) * RotationZMatrix(50 * kDegreesToRadians) *
                           RotationYMatrix(40 * kDegreesToRadians) * RotationXMatrix(30 * kDegreesToRadians) *
                           TranslationMatrix(1, 2, -300);
  const Matrix4 view = ComposeViewMatrix(scene);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(view.m[r][c], expected.m[r][c], 1e-5) << r << c;
}

}  // namespace
}  // namespace qv
