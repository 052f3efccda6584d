#include "animation/key_editing.h"

#include "animation/interpolation.h"
#include "animation/undo.h"
#include "scene/scene.h"

namespace qv {

namespace {

// The pose at `frame` of the model's current track, or null where the track is too short.
CAnimation* CurrentTrackPose(CModel& model, int32_t frame) {
  if (g_currentAnimation < 0 || g_currentAnimation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  Track& track = model.m_tracks[g_currentAnimation];
  if (frame < 0 || frame >= static_cast<int32_t>(track.size())) return nullptr;
  return &track[frame];
}

template <typename Change>
void ForConcernedModels(CZiduderizo& scene, bool allModels, Change change) {
  if (!scene.HasValidSelection()) return;
  if (!allModels) {
    change(scene.m_selectedModel);
    return;
  }
  for (int32_t i = 0; i < static_cast<int32_t>(scene.m_models.size()); ++i) change(i);
}

void StepToKey(CZiduderizo& scene, int32_t step) {
  if (!scene.HasValidSelection() || g_lastFrame < 0) return;
  CModel& model = scene.m_models[scene.m_selectedModel];
  const int32_t frames = g_lastFrame + 1;
  int32_t frame = g_currentFrame;
  for (int32_t i = 0; i < frames; ++i) {
    frame = ((frame + step) % frames + frames) % frames;
    if (const CAnimation* pose = CurrentTrackPose(model, frame); pose && pose->m_key == 1) {
      g_currentFrame = frame;
      return;
    }
  }
}

}  // namespace

void AddKey(CZiduderizo& scene, bool allModels, int32_t k) {
  if (k != g_currentFrame && (k < 0 || k > g_lastFrame)) return;
  ForConcernedModels(scene, allModels, [&](int32_t index) {
    CModel& model = scene.m_models[index];
    CAnimation* pose = CurrentTrackPose(model, k);
    if (!pose) return;
    RecordUndo(scene, index, k);
    if (k != g_currentFrame) {
      // Adding a key at another frame freezes the current pose there.
      if (const CAnimation* current = CurrentTrackPose(model, g_currentFrame)) pose->CopyPoseFrom(*current);
    }
    pose->m_key = 1;
    InterpolateModel(model, scene.m_hermite);
  });
}

void DeleteKey(CZiduderizo& scene, bool allModels, int32_t k) {
  if (k <= 0 || k > g_lastFrame) return;
  ForConcernedModels(scene, allModels, [&](int32_t index) {
    CModel& model = scene.m_models[index];
    CAnimation* pose = CurrentTrackPose(model, k);
    if (!pose) return;
    RecordUndo(scene, index, k);
    pose->m_key = 0;
    InterpolateModel(model, scene.m_hermite);
  });
}

void CopyCurrentPose(CZiduderizo& scene) {
  for (CModel& model : scene.m_models)
    if (const CAnimation* pose = CurrentTrackPose(model, g_currentFrame)) model.m_poseClipboard = *pose;
}

void PasteCurrentPose(CZiduderizo& scene) {
  for (CModel& model : scene.m_models)
    if (CAnimation* pose = CurrentTrackPose(model, g_currentFrame)) *pose = model.m_poseClipboard;
}

void NextKey(CZiduderizo& scene) { StepToKey(scene, +1); }
void PreviousKey(CZiduderizo& scene) { StepToKey(scene, -1); }

}  // namespace qv
