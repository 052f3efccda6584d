#pragma once
// The pose of a model that drawing and picking use: the current animation's track at the
// current frame.
#include "scene/model.h"
#include "scene/scene.h"

namespace qv {

// Null when the model has no such track or frame (a model whose tracks were not fitted yet):
// it is then drawn and picked with the identity pose and cannot be manipulated.
inline CAnimation* CurrentPoseOf(CModel& model) {
  if (g_currentAnimation < 0 || g_currentAnimation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  Track& track = model.m_tracks[g_currentAnimation];
  if (g_currentFrame < 0 || g_currentFrame >= static_cast<int32_t>(track.size())) return nullptr;
  return &track[g_currentFrame];
}

inline const CAnimation& CurrentPoseOrIdentity(CModel& model) {
  static const CAnimation identity;
  const CAnimation* pose = CurrentPoseOf(model);
  return pose ? *pose : identity;
}

}  // namespace qv
