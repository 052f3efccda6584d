#pragma once
// The pose of a model that drawing and picking use: an animation's track at a frame. The editor
// draws and picks at the scene's current animation and frame; stills and movies name their own
// frame and leave the scene as it is.
#include "scene/model.h"
#include "scene/scene.h"

namespace qv {

// Null when the model has no such track or frame (a model whose tracks were not fitted yet):
// it is then drawn and picked with the identity pose and cannot be manipulated.
inline CAnimation* PoseAt(CModel& model, int32_t animation, int32_t frame) {
  if (animation < 0 || animation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  Track& track = model.m_tracks[animation];
  if (frame < 0 || frame >= static_cast<int32_t>(track.size())) return nullptr;
  return &track[frame];
}

inline const CAnimation& PoseOrIdentity(CModel& model, int32_t animation, int32_t frame) {
  static const CAnimation identity;
  const CAnimation* pose = PoseAt(model, animation, frame);
  return pose ? *pose : identity;
}

inline CAnimation* CurrentPoseOf(const Scene& scene, CModel& model) {
  return PoseAt(model, scene.m_currentAnimation, scene.m_currentFrame);
}

}  // namespace qv
