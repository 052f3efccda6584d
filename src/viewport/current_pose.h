#pragma once
// The pose of a model that drawing and picking use: the current animation's track at the
// current frame.
#include "scene/model.h"
#include "scene/scene.h"

namespace qv {

// Null when the model has no such track or frame (a model whose tracks were not fitted yet):
// it is then drawn and picked with the identity pose and cannot be manipulated.
inline CAnimation* CurrentPoseOf(const Scene& scene, CModel& model) {
  const int32_t animation = scene.m_currentAnimation;
  const int32_t frame = scene.m_currentFrame;
  if (animation < 0 || animation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  Track& track = model.m_tracks[animation];
  if (frame < 0 || frame >= static_cast<int32_t>(track.size())) return nullptr;
  return &track[frame];
}

inline const CAnimation& CurrentPoseOrIdentity(const Scene& scene, CModel& model) {
  static const CAnimation identity;
  const CAnimation* pose = CurrentPoseOf(scene, model);
  return pose ? *pose : identity;
}

}  // namespace qv
