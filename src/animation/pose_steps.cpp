#include "animation/pose_steps.h"

namespace qv {

void AddToRotation(CAnimation& pose, float dx, float dy, float dz) { pose.m_rotation += CVector{dx, dy, dz}; }

void AddToScale(CAnimation& pose, float dx, float dy, float dz) {
  CVector& s = pose.m_scale;
  s += CVector{dx, dy, dz};
  if (s.x < kMinimumScale) s.x = kMinimumScale;
  if (s.y < kMinimumScale) s.y = kMinimumScale;
  if (s.z < kMinimumScale) s.z = kMinimumScale;
}

}  // namespace qv
