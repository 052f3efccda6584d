#include "animation/key_editing.h"

#include "animation/interpolation.h"
#include "animation/undo.h"
#include "scene/scene.h"

namespace qv {

namespace {

// The pose at `frame` of the model's current track, or null where the track is too short.
CAnimation* CurrentTrackPose(const Scene& scene, CModel& model, int32_t frame) {
  const int32_t animation = scene.m_currentAnimation;
  if (animation < 0 || animation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  Track& track = model.m_tracks[animation];
  if (frame < 0 || frame >= static_cast<int32_t>(track.size())) return nullptr;
  return &track[frame];
}

template <typename Change>
void ForConcernedModels(Scene& scene, bool allModels, Change change) {
  if (!scene.HasValidSelection()) return;
  if (!allModels) {
    change(scene.m_selectedModel);
    return;
  }
  for (int32_t i = 0; i < static_cast<int32_t>(scene.m_models.size()); ++i) change(i);
}

void StepToKey(Scene& scene, int32_t step) {
  if (!scene.HasValidSelection() || scene.m_lastFrame < 0) return;
  CModel& model = scene.m_models[scene.m_selectedModel];
  const int32_t frames = scene.m_lastFrame + 1;
  int32_t frame = scene.m_currentFrame;
  for (int32_t i = 0; i < frames; ++i) {
    frame = ((frame + step) % frames + frames) % frames;
    if (const CAnimation* pose = CurrentTrackPose(scene, model, frame); pose && pose->m_key == 1) {
      scene.m_currentFrame = frame;
      return;
    }
  }
}

}  // namespace

void AddKey(Scene& scene, bool allModels, int32_t k) {
  if (k != scene.m_currentFrame && (k < 0 || k > scene.m_lastFrame)) return;
  ForConcernedModels(scene, allModels, [&](int32_t index) {
    CModel& model = scene.m_models[index];
    CAnimation* pose = CurrentTrackPose(scene, model, k);
    if (!pose) return;
    RecordUndo(scene, index, k);
    if (k != scene.m_currentFrame) {
      // Adding a key at another frame freezes the current pose there.
      if (const CAnimation* current = CurrentTrackPose(scene, model, scene.m_currentFrame)) pose->CopyPoseFrom(*current);
    }
    pose->m_key = 1;
    InterpolateModel(model, scene.m_hermite);
  });
}

void DeleteKey(Scene& scene, bool allModels, int32_t k) {
  if (k <= 0 || k > scene.m_lastFrame) return;
  ForConcernedModels(scene, allModels, [&](int32_t index) {
    CModel& model = scene.m_models[index];
    CAnimation* pose = CurrentTrackPose(scene, model, k);
    if (!pose) return;
    RecordUndo(scene, index, k);
    pose->m_key = 0;
    InterpolateModel(model, scene.m_hermite);
  });
}

void CopyCurrentPose(Scene& scene) {
  for (CModel& model : scene.m_models)
    if (const CAnimation* pose = CurrentTrackPose(scene, model, scene.m_currentFrame)) model.m_poseClipboard = *pose;
}

void PasteCurrentPose(Scene& scene) {
  for (CModel& model : scene.m_models)
    if (CAnimation* pose = CurrentTrackPose(scene, model, scene.m_currentFrame)) *pose = model.m_poseClipboard;
}

void NextKey(Scene& scene) { StepToKey(scene, +1); }
void PreviousKey(Scene& scene) { StepToKey(scene, -1); }

}  // namespace qv
