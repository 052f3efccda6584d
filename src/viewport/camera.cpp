#include "viewport/camera.h"

#include <cmath>

#include "animation/pose_matrix.h"
#include "viewport/current_pose.h"
#include "viewport/view_math.h"

namespace qv {

namespace {
// A document may carry a zero zoom (only the mouse keeps it above 0.01).
float InverseZoom(float zoom) { return 1.0f / (zoom != 0.0f ? zoom : kMinimumZoom); }
}  // namespace

CAnimation& CameraPose(Scene& scene) {
  if (scene.m_cameras.empty()) scene.m_cameras.push_back(DefaultCameraPose());
  return scene.m_cameras[0];
}

void PanCamera(Scene& scene, float dx, float dy) {
  CAnimation& camera = CameraPose(scene);
  camera.m_position.x += dx;
  camera.m_position.y += -dy;
}

float OrbitCamera(Scene& scene, float dx, float dy) {
  CAnimation& camera = CameraPose(scene);
  const double tilt = std::fabs(static_cast<double>(camera.m_rotation.x));
  if (tilt > 90.0 && tilt < 270.0) dx = -dx;  // upside down: horizontal drags are mirrored
  camera.m_rotation.x += dy;
  camera.m_rotation.y += dx;
  NormalizeCameraAngles(scene);
  return dx;
}

void ZoomCamera(Scene& scene, float amount) {
  CVector& scale = CameraPose(scene).m_scale;
  for (float* c : {&scale.x, &scale.y, &scale.z}) {
    *c += amount;
    if (*c < kMinimumZoom) *c = kMinimumZoom;
  }
}

void NormalizeCameraAngles(Scene& scene) {
  CVector& rotation = CameraPose(scene).m_rotation;
  for (float* angle : {&rotation.x, &rotation.y, &rotation.z}) {
    if (!std::isfinite(*angle)) {
      *angle = 0;  // a typed NaN or infinity would never leave the loops below
      continue;
    }
    while (*angle < -360.0f) *angle += 360.0f;
    while (*angle > 360.0f) *angle -= 360.0f;
  }
}

bool RunFollowWalk(Scene& scene, const ShownFrame& shown, MatrixStack& stack, const FollowVisitor& atSelected) {
  stack.Reset();
  const CModel* selected = ShownSelection(scene, shown);
  const int32_t modelCount = static_cast<int32_t>(scene.m_models.size());
  const CVector zoom = CameraPose(scene).m_scale;
  for (const WalkStep& step : scene.m_hierarchyWalk) {
    if (step.model < 0 || step.model >= modelCount) continue;
    CModel& model = scene.m_models[step.model];
    switch (step.kind) {
      case kWalkStart: stack.LoadIdentity(); break;
      case kWalkEnter:
        stack.Push();
        stack.PreMultiply(PoseFollowMatrix(PoseOrIdentity(model, shown.animation, shown.frame), model.m_origin));
        break;
      case kWalkLeave: {
        stack.Pop();
        stack.Push();
        stack.PreMultiply(
            TranslationMatrix(model.m_origin + PoseOrIdentity(model, shown.animation, shown.frame).m_position));
        if (selected && model.m_id == selected->m_id && model.m_visible) {
          // The handle keeps its size on screen: the inverse zoom cancels the camera's.
          stack.PreMultiply(ScalingMatrix(InverseZoom(zoom.x), InverseZoom(zoom.y), InverseZoom(zoom.z)));
          const Matrix4& top = stack.Top();
          scene.m_followTarget = {top.m[3][0], top.m[3][1], top.m[3][2]};
          if (atSelected) atSelected(stack, model);
          return true;
        }
        stack.Pop();
        break;
      }
      case kWalkEnd: return false;
      default: break;
    }
  }
  return false;
}

bool ApplyFollowReset(Scene& scene) {
  if (!scene.m_followModel || scene.m_selectedModel == scene.m_lastFollowedModel) return false;
  CAnimation& camera = CameraPose(scene);
  camera.m_position.x = 0;
  camera.m_position.y = -100;
  scene.m_lastFollowedModel = scene.m_selectedModel;
  return true;
}

Matrix4 ComposeViewMatrix(Scene& scene, const ShownFrame& shown) {
  const CAnimation& camera = CameraPose(scene);
  CVector target{0, 0, 0};
  if (scene.m_followModel && ShownSelection(scene, shown)) {
    MatrixStack stack;
    RunFollowWalk(scene, shown, stack);
    target = scene.m_followTarget;
  }
  const CVector& r = camera.m_rotation;
  return TranslationMatrix(-target) * ScalingMatrix(camera.m_scale) * RotationZMatrix(r.z * kDegreesToRadians) *
         RotationYMatrix(r.y * kDegreesToRadians) * RotationXMatrix(r.x * kDegreesToRadians) *
         TranslationMatrix(camera.m_position);
}

Matrix4 ProjectionMatrix(float fieldOfView, float viewportWidth, float viewportHeight) {
  // A window not sized yet has no aspect ratio: draw as if it were square.
  const float aspect = (viewportWidth > 0 && viewportHeight > 0) ? viewportWidth / viewportHeight : 1.0f;
  return vmath::PerspectiveRH(fieldOfView * kDegreesToRadians, aspect, kCameraNear, kCameraFar);
}

void ApplyCameraView(Scene& scene, CameraView view) {
  CAnimation& camera = CameraPose(scene);
  camera.m_position.x = 0;
  if (view == CameraView::kTop || view == CameraView::kBottom) camera.m_position.y = 0;
  switch (view) {
    case CameraView::kLeft: camera.m_rotation = {0, -90, 0}; break;
    case CameraView::kTop: camera.m_rotation = {90, 0, 0}; break;
    case CameraView::kFront: camera.m_rotation = {0, 0, 0}; break;
    case CameraView::kRight: camera.m_rotation = {0, 90, 0}; break;
    case CameraView::kBottom: camera.m_rotation = {-90, 0, 0}; break;
    case CameraView::kBack: camera.m_rotation = {0, 180, 0}; break;
  }
}

}  // namespace qv
