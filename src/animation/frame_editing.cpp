#include "animation/frame_editing.h"

#include <algorithm>

#include "animation/interpolation.h"
#include "animation/undo.h"
#include "animation/track_fit.h"
#include "scene/scene.h"

namespace qv {

namespace {

Track* CurrentTrack(const Scene& scene, CModel& model) {
  const int32_t animation = scene.m_currentAnimation;
  if (animation < 0 || animation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  return &model.m_tracks[animation];
}

}  // namespace

bool InsertFrames(Scene& scene, int32_t a, int32_t n) {
  if (a < 0 || a > scene.m_lastFrame || n < 0 || n > kMaxLastFrame - scene.m_lastFrame) return false;
  // Every model grows by n poses: refused before any track grows.
  if (!FittedPosesAllowed(scene, static_cast<int32_t>(scene.m_animationNames.size()), scene.m_lastFrame + n))
    return false;
  const int32_t oldLast = scene.m_lastFrame;
  scene.m_lastFrame += n;
  scene.m_previousLastFrame = scene.m_lastFrame;
  scene.m_animationCount = static_cast<int32_t>(scene.m_animationNames.size());
  for (CModel& model : scene.m_models) {
    FitFrames(scene, model, oldLast + 1);
    Track* track = CurrentTrack(scene, model);
    if (!track) continue;
    Track& poses = *track;
    for (int32_t i = scene.m_lastFrame; i >= a + n + 1; --i) poses[i] = poses[i - n];
    for (int32_t i = a + 1; i <= a + n; ++i) poses[i] = IdentityPose();
  }
  RecomputeAllFrames(scene);
  ClearHistory(scene, true);
  return true;
}

bool DeleteFrames(Scene& scene, int32_t s, int32_t e) {
  if (e < s || s < 0 || s > scene.m_lastFrame || e < 0 || e > scene.m_lastFrame) return false;
  const int32_t c = e - s + 1;
  // Not every frame can be deleted: a track keeps at least one pose and the last frame stays >= 0.
  if (c > scene.m_lastFrame) return false;
  if (!scene.m_models.empty()) {
    const Track* first = CurrentTrack(scene, scene.m_models[0]);
    if (first && c >= static_cast<int32_t>(first->size())) return false;
  }
  for (CModel& model : scene.m_models) {
    Track* track = CurrentTrack(scene, model);
    if (!track) continue;
    Track& poses = *track;
    const auto size = static_cast<int32_t>(poses.size());
    if (scene.m_lastFrame >= e + 1)
      for (int32_t f = s; f <= scene.m_lastFrame - c && f + c < size; ++f) poses[f] = poses[f + c];
    poses.resize(static_cast<size_t>(std::max(1, size - c)));
  }
  scene.m_lastFrame -= c;
  scene.m_currentFrame = 0;
  scene.m_animationCount = static_cast<int32_t>(scene.m_animationNames.size());
  RecomputeAllFrames(scene);
  ClearHistory(scene, true);
  return true;
}

bool ApplyLastFrame(Scene& scene, int32_t n) {
  if (n < 0 || n > kMaxLastFrame) return false;
  if (!FittedPosesAllowed(scene, scene.m_animationCount, n)) return false;
  scene.m_previousLastFrame = scene.m_lastFrame;
  scene.m_lastFrame = n;
  for (CModel& model : scene.m_models) FitFrames(scene, model, scene.m_previousLastFrame + 1);
  ClearHistory(scene, true);
  return true;
}

bool CopyAllFrames(Scene& scene) {
  CModel* model = scene.SelectedModel();
  if (!model) return false;
  const Track* track = CurrentTrack(scene, *model);
  scene.m_frameClipboard = track ? *track : Track{};
  return true;
}

bool PasteAllFrames(Scene& scene) {
  CModel* model = scene.SelectedModel();
  if (!model) return false;
  if (Track* track = CurrentTrack(scene, *model)) {
    const size_t count = std::min(scene.m_frameClipboard.size(), track->size());
    std::copy_n(scene.m_frameClipboard.begin(), count, track->begin());
  }
  ClearHistory(scene, false);
  return true;
}

}  // namespace qv
