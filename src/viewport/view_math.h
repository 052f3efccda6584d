#pragma once
// Matrix and vector helpers of the viewport: the right-handed perspective, the general inverse,
// normalising and the ray-triangle test. Row-vector convention as everywhere in the scene
// ((x, y, z, 1) · M, A · B applies A first); translation, scaling and the axis rotations are
// those of animation/pose_matrix.h.
#include <optional>

#include "scene/matrix4.h"
#include "scene/vector.h"

namespace qv::vmath {

// Zero except m11 = x, m22 = y, m33 = far / (near − far), m34 = −1, m43 = near·far / (near − far),
// with y = cot(fovy / 2) and x = y / aspect: depth 0 at the near plane, 1 at the far plane.
Matrix4 PerspectiveRH(float fovy, float aspect, float nearZ, float farZ);
// Inverse of a general 4×4 matrix; nullopt when it is singular.
std::optional<Matrix4> Inverse(const Matrix4& m);
// The inverse, or identity for a singular matrix.
Matrix4 InverseOrIdentity(const Matrix4& m);
// The unit vector; a vector whose squared length is not above FLT_MIN becomes (0, 0, 0).
CVector Normalize(const CVector& v);

// A ray from `origin` along `direction` (not necessarily unit) against the triangle (a, b, c),
// both sides, edges included. Returns t ≥ 0 (in units of `direction`) of the hit.
std::optional<float> IntersectTriangle(const CVector& origin, const CVector& direction, const CVector& a,
                                       const CVector& b, const CVector& c);

}  // namespace qv::vmath
