#include "viewport/view_math.h"

#include <cfloat>
#include <cmath>

namespace qv::vmath {

Matrix4 PerspectiveRH(float fovy, float aspect, float nearZ, float farZ) {
  const float y = std::cos(fovy / 2) / std::sin(fovy / 2);
  const float x = y / aspect;
  Matrix4 m;
  m.m[0][0] = x;
  m.m[1][1] = y;
  m.m[2][2] = farZ / (nearZ - farZ);
  m.m[2][3] = -1;
  m.m[3][2] = nearZ * farZ / (nearZ - farZ);
  m.m[3][3] = 0;
  return m;
}

std::optional<Matrix4> Inverse(const Matrix4& matrix) {
  // Cofactor expansion in double precision; the result is rounded once to float.
  double a[16];
  for (int i = 0; i < 16; ++i) a[i] = matrix.m[i / 4][i % 4];
  double inv[16];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
           a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
            a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
           a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
  const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  if (det == 0 || !std::isfinite(det)) return std::nullopt;
  Matrix4 result;
  for (int i = 0; i < 16; ++i) result.m[i / 4][i % 4] = static_cast<float>(inv[i] / det);
  return result;
}

Matrix4 InverseOrIdentity(const Matrix4& m) { return Inverse(m).value_or(Matrix4{}); }

CVector Normalize(const CVector& v) {
  const float squared = v.x * v.x + v.y * v.y + v.z * v.z;
  if (squared <= FLT_MIN) return {0, 0, 0};
  const float inverse = 1.0f / std::sqrt(squared);
  return {v.x * inverse, v.y * inverse, v.z * inverse};
}

std::optional<float> IntersectTriangle(const CVector& origin, const CVector& direction, const CVector& a,
                                       const CVector& b, const CVector& c) {
  // Möller–Trumbore, without culling; barycentric coordinates on the edges count as inside.
  const CVector edge1 = b - a;
  const CVector edge2 = c - a;
  const CVector p = Cross(direction, edge2);
  const float det = Dot(edge1, p);
  if (det == 0.0f) return std::nullopt;  // parallel to the plane
  const float inverse = 1.0f / det;
  const CVector s = origin - a;
  const float u = Dot(s, p) * inverse;
  if (u < 0.0f || u > 1.0f) return std::nullopt;
  const CVector q = Cross(s, edge1);
  const float v = Dot(direction, q) * inverse;
  if (v < 0.0f || u + v > 1.0f) return std::nullopt;
  const float t = Dot(edge2, q) * inverse;
  if (t < 0.0f) return std::nullopt;
  return t;
}

}  // namespace qv::vmath
