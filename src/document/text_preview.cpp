#include "document/text_preview.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "animation/pose_matrix.h"

#include "document/text_checks.h"
#include "viewport/camera.h"
#include "viewport/current_pose.h"
#include "viewport/headless_render.h"

namespace qv {

namespace {

constexpr float kSwingDegrees = 30.0f;
constexpr double kSwingSeconds = 8.0;
constexpr float kTiltDegrees = 12.0f;
constexpr float kCameraDistance = 1500.0f;  // the reset camera's
constexpr float kMargin = 0.92f;            // of the view the model may fill
constexpr float kDegrees = 0.017453292f;

}  // namespace

TextPreview BuildTextPreview(const TextParameters& parameters) {
  TextPreview preview;
  Scene& scene = preview.scene;
  // One pose is all a still model needs.
  scene.m_lastFrame = 0;
  scene.m_previousLastFrame = 0;
  if (const std::string_view problem = CheckBevel(parameters); !problem.empty()) {
    preview.note = problem;
    return preview;
  }
  if (CodePoints(parameters.text).size() > kMaxTextCharacters) {
    preview.note = kTextTooLargeMessage;
    return preview;
  }
  TextModelNotes notes;
  if (CreateTextModel(scene, parameters, &notes) < 0) {
    preview.note = notes.refused ? notes.refused : kTextTooLargeMessage;
    return preview;
  }
  PrepareSceneForDrawing(scene);
  return preview;
}

float TextPreviewTurn(double seconds) {
  const double phase = std::fmod(seconds, kSwingSeconds) / kSwingSeconds;
  return kSwingDegrees * static_cast<float>(std::sin(phase * 2.0 * 3.14159265358979));
}

void PoseTextPreview(Scene& scene, float aspect, float turnDegrees) {
  // Seen from the camera, a point may reach `wide` times its distance to either side and `high`
  // times it up or down.
  const float high = std::tan(scene.m_fieldOfView * kDegrees / 2.0f) * kMargin;
  const float wide = high * std::max(aspect, 0.01f);
  float zoom = 1.0f;
  if (!scene.m_models.empty()) {
    CModel& model = scene.m_models.front();
    if (CAnimation* pose = CurrentPoseOf(scene, model)) pose->m_rotation = {0.0f, turnDegrees, 0.0f};
    if (!model.m_vertices.empty()) {
      // The zoom that keeps every corner of the model's box in view at every turn of the swing
      // (and so the whole model: the picture of a box is the outline of its corners' pictures).
      // A corner q (turned and tilted, zoom 1) is drawn at s * q, distance D - s * q.z away;
      // s * |q.x| <= wide * (D - s * q.z) gives s <= wide * D / (|q.x| + wide * q.z).
      float most = std::numeric_limits<float>::max();
      const CVector& hi = model.m_boundsMax;
      const CVector& lo = model.m_boundsMin;
      const Matrix4 tilt = RotationXMatrix(kTiltDegrees * kDegrees);
      for (float turn = -kSwingDegrees; turn <= kSwingDegrees; turn += 2.5f) {
        const Matrix4 turned = RotationYMatrix(turn * kDegrees) * tilt;
        for (int i = 0; i < 8; ++i) {
          const CVector q = TransformPoint({i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z}, turned);
          if (const float across = std::fabs(q.x) + wide * q.z; across > 0.0f)
            most = std::min(most, wide * kCameraDistance / across);
          if (const float up = std::fabs(q.y) + high * q.z; up > 0.0f)
            most = std::min(most, high * kCameraDistance / up);
        }
      }
      if (most < std::numeric_limits<float>::max()) zoom = std::max(most, kMinimumZoom);
    }
  }
  CAnimation& camera = CameraPose(scene);
  camera.m_position = {0.0f, 0.0f, -kCameraDistance};
  camera.m_rotation = {kTiltDegrees, 0.0f, 0.0f};
  camera.m_scale = {zoom, zoom, zoom};
}

}  // namespace qv
