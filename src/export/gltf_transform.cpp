#include "export/gltf_transform.h"

#include <cmath>

namespace qv {

namespace {

using Quat = std::array<double, 4>;

// a * b: the rotation b applied first, then a (column vectors).
Quat Multiply(const Quat& a, const Quat& b) {
  return {a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1],
          a[3] * b[1] - a[0] * b[2] + a[1] * b[3] + a[2] * b[0],
          a[3] * b[2] + a[0] * b[1] - a[1] * b[0] + a[2] * b[3],
          a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2]};
}

// The angle as the pose matrix takes it: degrees times the single-precision factor.
double Radians(float degrees) { return static_cast<double>(degrees * kDegreesToRadians); }

Quat AxisQuat(int axis, float degrees) {
  const double half = Radians(degrees) / 2.0;
  Quat q{0, 0, 0, std::cos(half)};
  q[axis] = std::sin(half);
  return q;
}

// glTF numbers must be finite; a document may still hold a NaN or an infinity.
float FiniteOr(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

std::array<float, 4> PoseQuaternion(const CVector& degrees) {
  // Row vectors turned by Rz * Rx * Ry are column vectors turned by Ry * Rx * Rz.
  const Quat q = Multiply(Multiply(AxisQuat(1, degrees.y), AxisQuat(0, degrees.x)), AxisQuat(2, degrees.z));
  const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0, 1};
  return {static_cast<float>(q[0] / length), static_cast<float>(q[1] / length), static_cast<float>(q[2] / length),
          static_cast<float>(q[3] / length)};
}

NodeTransform OuterNodeTransform(const CAnimation& pose, const CVector& pivot) {
  NodeTransform t;
  const CVector moved = pose.m_position + pivot;
  t.translation = {FiniteOr(moved.x, 0), FiniteOr(moved.y, 0), FiniteOr(moved.z, 0)};
  t.rotation = PoseQuaternion(pose.m_rotation);
  t.scale = {FiniteOr(pose.m_scale.x, 1), FiniteOr(pose.m_scale.y, 1), FiniteOr(pose.m_scale.z, 1)};
  return t;
}

std::array<float, 4> NearestQuaternion(const std::array<float, 4>& q, const std::array<float, 4>& previous) {
  const float dot = q[0] * previous[0] + q[1] * previous[1] + q[2] * previous[2] + q[3] * previous[3];
  if (dot >= 0) return q;
  return {-q[0], -q[1], -q[2], -q[3]};
}

Matrix4 NodeMatrix(const NodeTransform& t) {
  const double x = t.rotation[0], y = t.rotation[1], z = t.rotation[2], w = t.rotation[3];
  // Rows of the row-vector rotation: the transpose of the usual column-vector matrix.
  const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w)},
                          {2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w)},
                          {2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y)}};
  Matrix4 m;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) m.m[row][col] = static_cast<float>(r[row][col] * t.scale[row]);
  for (int col = 0; col < 3; ++col) m.m[3][col] = t.translation[col];
  return m;
}

}  // namespace qv
