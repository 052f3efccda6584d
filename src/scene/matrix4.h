#pragma once
// 4x4 single-precision matrix, stored row by row, transforming row vectors: (x, y, z, 1) * M.
// In a product A * B, A is applied first.
#include "scene/vector.h"

namespace qv {

struct Matrix4 {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  static constexpr Matrix4 Identity() { return Matrix4{}; }
  bool operator==(const Matrix4& o) const;
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);

// (x, y, z, 1) * M, without the division by w.
CVector TransformPoint(const CVector& p, const Matrix4& m);
// (x, y, z, 0) * M.
CVector TransformDirection(const CVector& d, const Matrix4& m);

}  // namespace qv
