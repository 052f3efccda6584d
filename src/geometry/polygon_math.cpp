#include "geometry/polygon_math.h"

#include <algorithm>

namespace qv {

namespace {

// Sign of cross(b - a, c - a), in double precision: products of float differences are exact.
int Orientation(const PointF& a, const PointF& b, const PointF& c) {
  double value = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                 (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
  return (value > 0) - (value < 0);
}

// Position of p along b -> v (0 at b, 1 at v), for points on that line.
double Along(const PointF& b, const PointF& v, const PointF& p) {
  double dx = static_cast<double>(v.x) - b.x, dy = static_cast<double>(v.y) - b.y;
  return ((static_cast<double>(p.x) - b.x) * dx + (static_cast<double>(p.y) - b.y) * dy) / (dx * dx + dy * dy);
}

}  // namespace

bool EdgeBlocksDiagonal(const PointF& b, const PointF& v, const PointF& e1, const PointF& e2) {
  if (b == v) return false;
  int o1 = Orientation(b, v, e1), o2 = Orientation(b, v, e2);
  if (o1 * o2 > 0) return false;  // the edge stays on one side of the diagonal's line
  if (o1 != 0 && o2 != 0) {
    // The edge's ends lie on both sides: it crosses unless the crossing is at b or v or beyond.
    int o3 = Orientation(e1, e2, b), o4 = Orientation(e1, e2, v);
    return o3 * o4 < 0;
  }
  auto inside = [&](const PointF& p) {
    if (p == b || p == v) return false;
    double t = Along(b, v, p);
    return t > 0.0 && t < 1.0;
  };
  if (o1 == 0 && inside(e1)) return true;
  if (o2 == 0 && inside(e2)) return true;
  if (o1 == 0 && o2 == 0) {
    // Collinear: blocks when it covers part of the diagonal. An edge that is the diagonal itself
    // (points of touching contours at both ends) blocks too: splitting along it only cuts off a
    // sliver of no area.
    if ((e1 == b && e2 == v) || (e1 == v && e2 == b)) return true;
    double t1 = Along(b, v, e1), t2 = Along(b, v, e2);
    return std::min(std::max(t1, t2), 1.0) - std::max(std::min(t1, t2), 0.0) > 0.0;
  }
  return false;
}

bool LocallyInside(const PointF& p, const PointF& v, const PointF& n, const PointF& b) {
  if (Orientation(p, v, n) >= 0)
    return Orientation(v, n, b) >= 0 && Orientation(v, b, p) >= 0;  // convex: inside both edges
  return Orientation(v, n, b) >= 0 || Orientation(v, b, p) >= 0;    // reflex: outside the notch
}

}  // namespace qv
