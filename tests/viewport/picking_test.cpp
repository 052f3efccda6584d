#include "viewport/picking.h"

#include <gtest/gtest.h>

#include "document/document_mouse_host.h"
#include "document/motion_doc.h"
#include "scene_fixture.h"
#include "support/change_recorder.h"
#include "viewport/recording_device.h"
#include "viewport/viewport_mouse.h"

namespace qv {
namespace {

using testing::AddBox;
using testing::AddMaterial;
using testing::ChangeRecorder;
using testing::PoseOf;

// The document side of the mouse plus what a window would show.
class RecordingHost : public DocumentMouseHost {
 public:
  using DocumentMouseHost::DocumentMouseHost;
  void CaptureMouse() override { ++captures; }
  void ReleaseMouse() override { ++releases; }
  void Redraw() override { ++redraws; }
  void ShowValues(const CVector& values) override { shown = values; }
  int captures = 0, releases = 0, redraws = 0;
  CVector shown{-1, -1, -1};
};

class PickingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(renderer.InitDevice(&device), 0);
    document.AddView(&views);
    material = AddMaterial(scene, 1, 1, 1);
  }

  // Draws a frame so that picking has this frame's matrices.
  void Draw() { renderer.RenderFrame(); }

  // The client pixel where a world point appears.
  std::pair<int, int> PixelOf(const CVector& world) const {
    const Matrix4 m = renderer.m_view * renderer.m_projection;
    const float x = world.x * m.m[0][0] + world.y * m.m[1][0] + world.z * m.m[2][0] + m.m[3][0];
    const float y = world.x * m.m[0][1] + world.y * m.m[1][1] + world.z * m.m[2][1] + m.m[3][1];
    const float w = world.x * m.m[0][3] + world.y * m.m[1][3] + world.z * m.m[2][3] + m.m[3][3];
    return {static_cast<int>(std::lround((x / w + 1) / 2 * 800)), static_cast<int>(std::lround((1 - y / w) / 2 * 600))};
  }

  void Drag(MouseButton button, std::pair<int, int> from, int dx, int dy, MouseKeys keys) {
    mouse.OnButtonDown(button, from.first, from.second);
    mouse.OnMouseMove(from.first + dx, from.second + dy, keys);
    mouse.OnButtonUp(button, from.first + dx, from.second + dy);
  }

  Scene scene;
  SilentInteraction ui;
  CMotionDoc document{ui, scene};
  ChangeRecorder views;
  RecordingHost host{document};
  RecordingDevice device{800, 600};
  SceneRenderer renderer{scene};
  ViewportMouse mouse{renderer, host};
  int material = 0;
};

TEST_F(PickingTest, ScreenRayThroughTheCentreGoesFromTheEyeThroughTheOrigin) {
  Draw();
  const Ray ray = ScreenRay(renderer, 400, 300, Matrix4{});
  // The eye sits 1500 units from the origin; the ray reaches the origin at t = 1500 because its
  // view-space direction (0, 0, -1) has unit length.
  const CVector at = ray.origin + ray.direction * 1500.0f;
  EXPECT_NEAR(at.x, 0, 1e-2);
  EXPECT_NEAR(at.y, 0, 1e-2);
  EXPECT_NEAR(at.z, 0, 1e-2);
}

TEST_F(PickingTest, AClickOnAModelSelectsItAndLocksTheCentre) {
  AddBox(scene, "left", {-200, 0, 0}, {50, 50, 50}, material);
  const int right = AddBox(scene, "right", {200, 0, 0}, {50, 50, 50}, material);
  scene.m_selectedModel = 0;
  Draw();
  const auto [x, y] = PixelOf({200, 0, 0});
  mouse.OnButtonDown(MouseButton::kLeft, x, y);
  EXPECT_EQ(scene.m_selectedModel, right);
  EXPECT_EQ(scene.m_axisLock, 3);
  EXPECT_EQ(document.m_mouseMode, kMouseAnimation);
  EXPECT_EQ(views.notices, (std::vector<Change>{Change::kSelection}));
  EXPECT_EQ(host.captures, 1);
  // The picked model's outline was rebuilt from its bounds.
  EXPECT_EQ(scene.m_models[right].m_boxOutline[0].x, 250);
  mouse.OnButtonUp(MouseButton::kLeft, x, y);
  EXPECT_EQ(host.releases, 1);
}

TEST_F(PickingTest, AClickOnEmptySpaceKeepsTheSelection) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, material);
  scene.m_selectedModel = box;
  Draw();
  EXPECT_FALSE(PickAt(renderer, 5, 5));
  EXPECT_EQ(scene.m_selectedModel, box);
  EXPECT_EQ(scene.m_axisLock, -1);  // the handle was tested and missed
}

TEST_F(PickingTest, OverlappingModelsPickTheNearerAndTiesTheLowerIndex) {
  AddBox(scene, "far", {0, 0, 0}, {50, 50, 50}, material);
  const int nearer = AddBox(scene, "near", {0, 0, 300}, {50, 50, 50}, material);  // towards the camera
  scene.m_cameras[0].m_rotation = {0, 0, 0};  // looking straight at both
  Draw();
  const auto [x, y] = PixelOf({0, 0, 300});
  ASSERT_TRUE(PickModel(renderer, scene.m_models[0], x, y).has_value());
  ASSERT_TRUE(PickAt(renderer, x, y));
  EXPECT_EQ(scene.m_selectedModel, nearer);

  AddBox(scene, "twin", {0, 0, 300}, {50, 50, 50}, material);
  scene.m_selectedModel = kNoModel;
  Draw();
  ASSERT_TRUE(PickAt(renderer, x, y));
  EXPECT_EQ(scene.m_selectedModel, nearer);  // same distance as index 2: the lower index

  scene.m_models[nearer].m_visible = 0;  // hidden models are not picked
  scene.m_selectedModel = kNoModel;
  Draw();
  ASSERT_TRUE(PickAt(renderer, x, y));
  EXPECT_EQ(scene.m_selectedModel, 2);
}

TEST_F(PickingTest, AQuadrilateralIsHitAnywhereInsideItsOutline) {
  CModel quad;
  quad.m_vertices = {{-100, -100, 0}, {100, -100, 0}, {100, 100, 0}, {-100, 100, 0}};
  CFace face;
  face.m_indices = {0, 1, 2, 3};
  quad.m_faces.push_back(face);
  // Both halves of the outline, near each corner.
  scene.m_cameras[0].m_rotation = {0, 0, 0};
  Draw();
  for (const CVector& p : {CVector{-90, -85, 0}, CVector{90, -85, 0}, CVector{90, 85, 0}, CVector{-90, 85, 0}}) {
    const auto [x, y] = PixelOf(p);
    EXPECT_TRUE(PickModel(renderer, quad, x, y).has_value()) << p.x << "," << p.y;
  }
  const auto [x, y] = PixelOf({120, 0, 0});
  EXPECT_FALSE(PickModel(renderer, quad, x, y).has_value());
}

TEST_F(PickingTest, YRingDraggedTenPixelsRightTurnsFiveDegreesOnlyWithTheYBoxOn) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {20, 20, 20}, material);
  scene.m_selectedModel = box;
  scene.m_transformMode = 1;
  document.m_mouseMode = kMouseAnimation;
  Draw();
  // Middle of the Y ring's sloped band between its stations 1 and 2, on the camera's side.
  const auto pixel = PixelOf({29.6f, 1.5f, 71.5f});
  ASSERT_EQ(PickHandle(renderer, pixel.first, pixel.second), 1);

  MouseKeys left;
  left.left = true;
  Drag(MouseButton::kLeft, pixel, 10, 0, left);  // the default boxes: only X on
  EXPECT_EQ(scene.m_axisLock, 1);
  EXPECT_EQ(PoseOf(scene, box).m_rotation, CVector(0, 0, 0));

  scene.m_axisEnabledY = 1;
  Drag(MouseButton::kLeft, pixel, 10, 0, left);
  EXPECT_EQ(PoseOf(scene, box).m_rotation, CVector(0, 5, 0));
  EXPECT_EQ(host.shown, CVector(0, 5, 0));
  EXPECT_TRUE(document.IsModified());
}

TEST_F(PickingTest, MoveArrowsAndScaleCentreFollowTheManipulationTable) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {20, 20, 20}, material);
  scene.m_selectedModel = box;
  document.m_mouseMode = kMouseAnimation;
  scene.m_axisEnabledX = scene.m_axisEnabledY = scene.m_axisEnabledZ = 1;
  MouseKeys left;
  left.left = true;

  Draw();
  const auto tip = PixelOf({92, 0, 0});  // on the X arrowhead
  ASSERT_EQ(PickHandle(renderer, tip.first, tip.second), 0);
  Drag(MouseButton::kLeft, tip, 7, -3, left);  // x += dx - dy
  EXPECT_EQ(PoseOf(scene, box).m_position, CVector(10, 0, 0));

  PoseOf(scene, box).m_position = {0, 0, 0};
  scene.m_transformMode = 2;
  Draw();
  const auto centre = PixelOf({0, 0, 0});
  ASSERT_EQ(PickHandle(renderer, centre.first, centre.second), 3);
  Drag(MouseButton::kLeft, centre, 0, -40, left);  // 40 pixels up: +2 on each axis
  EXPECT_EQ(PoseOf(scene, box).m_scale, CVector(3, 3, 3));
  Drag(MouseButton::kLeft, centre, 0, 200, left);  // never below 0.01
  EXPECT_EQ(PoseOf(scene, box).m_scale, CVector(0.01f, 0.01f, 0.01f));
}

TEST_F(PickingTest, BothButtonsZoomWhateverTheMode) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {20, 20, 20}, material);
  for (MouseMode mode : {kMouseCamera, kMouseModel, kMouseAnimation}) {
    scene.m_cameras[0].m_scale = {1, 1, 1};
    scene.m_selectedModel = box;
    scene.m_axisLock = 3;
    document.m_mouseMode = mode;
    Draw();
    MouseKeys both;
    both.left = both.right = true;
    mouse.OnButtonDown(MouseButton::kRight, 10, 10);
    mouse.OnButtonDown(MouseButton::kLeft, 10, 10);
    mouse.OnMouseMove(30, 0, both);  // (dx - dy) / 200 = 0.15
    EXPECT_FLOAT_EQ(scene.m_cameras[0].m_scale.x, 1.15f) << "mouse mode " << mode;
    EXPECT_EQ(PoseOf(scene, box).m_position, CVector(0, 0, 0));
    mouse.OnButtonUp(MouseButton::kLeft, 30, 0);
    mouse.OnButtonUp(MouseButton::kRight, 30, 0);
  }
  EXPECT_EQ(host.captures, 3);
  EXPECT_EQ(host.releases, 3);
}

TEST_F(PickingTest, AClickOnAModelLeavesTwoUndoEntries) {
  AddBox(scene, "a", {-200, 0, 0}, {50, 50, 50}, material);
  const int b = AddBox(scene, "b", {200, 0, 0}, {50, 50, 50}, material);
  scene.m_selectedModel = 0;
  Draw();
  const auto [x, y] = PixelOf({200, 0, 0});
  mouse.OnButtonDown(MouseButton::kLeft, x, y);
  ASSERT_EQ(scene.m_undoStack.size(), 2u);
  EXPECT_EQ(scene.m_undoStack[0].modelName, "a");  // the selection before the click
  EXPECT_EQ(scene.m_undoStack[1].modelName, "b");  // the newly picked model
  EXPECT_EQ(scene.m_selectedModel, b);
}

TEST_F(PickingTest, CameraGesturesPanOrbitAndWheel) {
  Draw();
  MouseKeys left;
  left.left = true;
  Drag(MouseButton::kLeft, {100, 100}, 5, 3, left);  // camera mouse mode: pan
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(5, -3, -1500));
  EXPECT_EQ(host.shown, CVector(5, -3, -1500));

  MouseKeys right;
  right.right = true;
  Drag(MouseButton::kRight, {100, 100}, 4, 2, right);  // orbit
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(22, 14, 0));

  MouseKeys middle;
  middle.middle = true;
  Drag(MouseButton::kMiddle, {100, 100}, 1, 1, middle);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(6, -4, -1500));

  mouse.OnWheel(120);
  EXPECT_FLOAT_EQ(scene.m_cameras[0].m_scale.x, 1.24f);
  mouse.OnWheel(-120);
  EXPECT_FLOAT_EQ(scene.m_cameras[0].m_scale.x, 1.0f);
  EXPECT_EQ(host.shown, scene.m_cameras[0].m_scale);
  EXPECT_GE(host.redraws, 5);
  EXPECT_FALSE(document.IsModified());
}

TEST_F(PickingTest, WithoutASelectionMoveAndRotateDragTheCamera) {
  Draw();
  document.m_mouseMode = kMouseAnimation;
  scene.m_axisLock = 0;
  MouseKeys left;
  left.left = true;
  mouse.OnButtonDown(MouseButton::kLeft, 5, 5);  // misses everything
  mouse.OnMouseMove(9, 5, left);
  EXPECT_EQ(scene.m_cameras[0].m_position, CVector(4, 0, -1500));
  scene.m_transformMode = 1;
  mouse.OnMouseMove(9, 805, left);  // x += (dx + dy) / 2, without angle wrapping
  EXPECT_EQ(scene.m_cameras[0].m_rotation, CVector(420, 10, 0));
  scene.m_transformMode = 2;
  mouse.OnMouseMove(20, 805, left);
  EXPECT_EQ(host.shown, CVector(0, 0, 0));
  EXPECT_EQ(scene.m_cameras[0].m_scale, CVector(1, 1, 1));
}

}  // namespace
}  // namespace qv
