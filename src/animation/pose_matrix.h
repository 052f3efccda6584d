#pragma once
// Pose transforms. Matrices transform row vectors ((x, y, z, 1) * M) and a product A * B applies
// A first. All arithmetic is single precision; the products are evaluated left to right with
// the full 4x4 multiply, so results (signs of zeros included) match across callers.
#include "scene/matrix4.h"
#include "scene/pose.h"
#include "scene/vector.h"

namespace qv {

Matrix4 TranslationMatrix(float x, float y, float z);
inline Matrix4 TranslationMatrix(const CVector& t) { return TranslationMatrix(t.x, t.y, t.z); }
Matrix4 ScalingMatrix(float x, float y, float z);
inline Matrix4 ScalingMatrix(const CVector& s) { return ScalingMatrix(s.x, s.y, s.z); }
// Rotations about one axis by an angle in radians (c = cosf, s = sinf):
// X (1,0,0,0)(0,c,s,0)(0,-s,c,0)(0,0,0,1); Y (c,0,-s,0)(0,1,0,0)(s,0,c,0)(0,0,0,1);
// Z (c,s,0,0)(-s,c,0,0)(0,0,1,0)(0,0,0,1).
Matrix4 RotationXMatrix(float radians);
Matrix4 RotationYMatrix(float radians);
Matrix4 RotationZMatrix(float radians);

// Rz(rz) * Rx(rx) * Ry(ry) for angles in degrees (each times kDegreesToRadians): roll about z
// first, then pitch about x, then yaw about y.
Matrix4 PoseRotationMatrix(const CVector& degrees);

// A model's local matrix at a pose about its pivot c:
//   T(-c) * S(scale) * PoseRotationMatrix(rotation) * T(position + c)
// A child's world matrix is its local matrix followed by its parent's world matrix.
Matrix4 PoseModelMatrix(const CAnimation& pose, const CVector& pivot);

// The scale-free local matrix of the follow-target and handle walks:
//   T(-c) * PoseRotationMatrix(rotation) * T(position) * T(c)
Matrix4 PoseFollowMatrix(const CAnimation& pose, const CVector& pivot);

}  // namespace qv
