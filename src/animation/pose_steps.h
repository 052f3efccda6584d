#pragma once
// Step changes of a pose by the mouse tools and the camera.
#include "scene/pose.h"

namespace qv {

inline constexpr float kMinimumScale = 0.01f;

// m_rotation += (dx, dy, dz) degrees; angles are not wrapped.
void AddToRotation(CAnimation& pose, float dx, float dy, float dz);

// m_scale += (dx, dy, dz); then each component below kMinimumScale becomes kMinimumScale, so a
// model can never be scaled to nothing or mirrored.
void AddToScale(CAnimation& pose, float dx, float dy, float dz);

}  // namespace qv
