#pragma once
// Single-precision plane geometry shared by the outline code. Square roots and arc cosines are
// taken in double precision and rounded back, so results do not depend on the float library.
#include <cmath>

#include "geometry/outline_contour.h"

namespace qv {

inline constexpr float kTwoPi = 6.2831855f;

inline float Length(float x, float y) {
  return static_cast<float>(std::sqrt(static_cast<double>(x * x + y * y)));
}
inline float Acos(float c) { return static_cast<float>(std::acos(static_cast<double>(c))); }

// u.x w.y - w.x u.y
inline float Cross(float ux, float uy, float wx, float wy) { return ux * wy - wx * uy; }

// Angle at C between the edges to P and N: 0 to π for a convex corner of a counter-clockwise
// contour, 2π minus that for a reflex one, 0 when an edge has no length.
inline float CornerAngleOf(const PointF& p, const PointF& c, const PointF& n) {
  float ux = p.x - c.x, uy = p.y - c.y;
  float wx = n.x - c.x, wy = n.y - c.y;
  float lu = Length(ux, uy), lw = Length(wx, wy);
  if (lu == 0.0f || lw == 0.0f) return 0.0f;
  float cosine = (wx * ux + wy * uy) / lu / lw;
  cosine = cosine < -1.0f ? -1.0f : cosine > 1.0f ? 1.0f : cosine;
  float angle = Acos(cosine);
  float d = (n.y - c.y) * (c.x - p.x) - (n.x - c.x) * (c.y - p.y);
  if (d < 0.0f) angle = kTwoPi - angle;
  return angle;
}

// V inside or on the counter-clockwise triangle ABC.
inline bool InsideOrOn(const PointF& a, const PointF& b, const PointF& c, const PointF& v) {
  return Cross(b.x - a.x, b.y - a.y, v.x - b.x, v.y - b.y) >= 0.0f &&
         Cross(c.x - b.x, c.y - b.y, v.x - c.x, v.y - c.y) >= 0.0f &&
         Cross(a.x - c.x, a.y - c.y, v.x - a.x, v.y - a.y) >= 0.0f;
}

// Whether the edge e1-e2 meets the segment b-v anywhere but at b or v themselves, or lies
// exactly on it.
bool EdgeBlocksDiagonal(const PointF& b, const PointF& v, const PointF& e1, const PointF& e2);

// Whether the direction from corner v (between prev p and next n of a counter-clockwise
// contour) towards b points into the contour's inside, edges included. Where a point number
// occurs twice in a list (the ends of a bridge), this tells which of its corners a diagonal
// really reaches.
bool LocallyInside(const PointF& p, const PointF& v, const PointF& n, const PointF& b);

}  // namespace qv
