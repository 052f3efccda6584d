#include "document/text_preview.h"

#include <algorithm>
#include <cmath>

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
constexpr float kMargin = 0.85f;            // of the view the model may fill
constexpr float kDegrees = 0.017453292f;

}  // namespace

TextPreview BuildTextPreview(const TextParameters& parameters) {
  TextPreview preview;
  CZiduderizo& scene = preview.scene;
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

void PoseTextPreview(CZiduderizo& scene, float aspect, float turnDegrees) {
  float zoom = 1.0f;
  if (!scene.m_models.empty()) {
    CModel& model = scene.m_models.front();
    if (CAnimation* pose = CurrentPoseOf(scene, model)) pose->m_rotation = {0.0f, turnDegrees, 0.0f};
    if (!model.m_vertices.empty()) {
      const CVector& hi = model.m_boundsMax;
      const CVector& lo = model.m_boundsMin;
      const float width = hi.x - lo.x, height = hi.y - lo.y, depth = hi.z - lo.z;
      // Turned about y, the model's width on screen never passes the diagonal of its top view;
      // seen from above, its depth adds to its height.
      const float across = std::hypot(width, depth);
      const float up = height * std::cos(kTiltDegrees * kDegrees) + across * std::sin(kTiltDegrees * kDegrees);
      const float halfView = kCameraDistance * std::tan(scene.m_fieldOfView * kDegrees / 2.0f) * kMargin;
      const float fitUp = up > 0.0f ? 2.0f * halfView / up : 1.0f;
      const float fitAcross = across > 0.0f ? 2.0f * halfView * std::max(aspect, 0.01f) / across : 1.0f;
      zoom = std::max(std::min(fitUp, fitAcross), kMinimumZoom);
    }
  }
  CAnimation& camera = CameraPose(scene);
  camera.m_position = {0.0f, 0.0f, -kCameraDistance};
  camera.m_rotation = {kTiltDegrees, 0.0f, 0.0f};
  camera.m_scale = {zoom, zoom, zoom};
}

}  // namespace qv
