#pragma once
// CAnimation: one pose of a track (and the camera pose).
#include <cstdint>

#include "scene/vector.h"

namespace qv {

struct CAnimation {
  CVector m_position{0, 0, 0};
  CVector m_rotation{0, 0, 0};  // degrees about x, y, z
  CVector m_scale{1, 1, 1};
  int32_t m_key = 0;  // 1: key frame, 0: filled by interpolation

  void Serialize(CArchive& ar);

  // Copies position, rotation and scale, keeping this pose's key flag.
  void CopyPoseFrom(const CAnimation& o) {
    m_position = o.m_position;
    m_rotation = o.m_rotation;
    m_scale = o.m_scale;
  }
  bool operator==(const CAnimation& o) const = default;
};
// Tracks are read and written in bulk as packed 40-byte records.
static_assert(sizeof(CAnimation) == 40);

inline CAnimation IdentityPose() { return CAnimation{}; }

}  // namespace qv
