#include "scene/matrix4.h"

#include <cstring>

namespace qv {

bool Matrix4::operator==(const Matrix4& o) const { return std::memcmp(m, o.m, sizeof m) == 0; }

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

CVector TransformPoint(const CVector& p, const Matrix4& m) {
  return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
          p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
          p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

CVector TransformDirection(const CVector& d, const Matrix4& m) {
  return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
          d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
          d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

}  // namespace qv
