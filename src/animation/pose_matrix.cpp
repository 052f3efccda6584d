#include "animation/pose_matrix.h"

#include <cmath>

namespace qv {

Matrix4 TranslationMatrix(float x, float y, float z) {
  Matrix4 m;
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

Matrix4 ScalingMatrix(float x, float y, float z) {
  Matrix4 m;
  m.m[0][0] = x;
  m.m[1][1] = y;
  m.m[2][2] = z;
  return m;
}

Matrix4 RotationXMatrix(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  Matrix4 m;
  m.m[1][1] = c;
  m.m[1][2] = s;
  m.m[2][1] = -s;
  m.m[2][2] = c;
  return m;
}

Matrix4 RotationYMatrix(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  Matrix4 m;
  m.m[0][0] = c;
  m.m[0][2] = -s;
  m.m[2][0] = s;
  m.m[2][2] = c;
  return m;
}

Matrix4 RotationZMatrix(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  Matrix4 m;
  m.m[0][0] = c;
  m.m[0][1] = s;
  m.m[1][0] = -s;
  m.m[1][1] = c;
  return m;
}

Matrix4 PoseRotationMatrix(const CVector& degrees) {
  return RotationZMatrix(degrees.z * kDegreesToRadians) * RotationXMatrix(degrees.x * kDegreesToRadians) *
         RotationYMatrix(degrees.y * kDegreesToRadians);
}

Matrix4 PoseModelMatrix(const CAnimation& pose, const CVector& pivot) {
  return TranslationMatrix(-pivot) * ScalingMatrix(pose.m_scale) * PoseRotationMatrix(pose.m_rotation) *
         TranslationMatrix(pose.m_position + pivot);
}

Matrix4 PoseFollowMatrix(const CAnimation& pose, const CVector& pivot) {
  return TranslationMatrix(-pivot) * PoseRotationMatrix(pose.m_rotation) * TranslationMatrix(pose.m_position) *
         TranslationMatrix(pivot);
}

}  // namespace qv
