#include "glyph_checks.h"

#include <algorithm>

namespace qv::testing {

namespace {

struct Segment {
  PointF a, b;
  int32_t contour, index;
};

int Orientation(const PointF& a, const PointF& b, const PointF& c) {
  double v = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
             (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
  return (v > 0) - (v < 0);
}

bool OnSegment(const PointF& p, const Segment& s) {
  return Orientation(s.a, s.b, p) == 0 && p.x >= std::min(s.a.x, s.b.x) && p.x <= std::max(s.a.x, s.b.x) &&
         p.y >= std::min(s.a.y, s.b.y) && p.y <= std::max(s.a.y, s.b.y);
}

}  // namespace

OutlineShape ShapeOf(const MOutline& outline) {
  std::vector<Segment> segments;
  std::vector<int32_t> sizes;
  for (int32_t c = 0; c < outline.PolygonCount(); ++c) {
    const auto& points = outline.m_polygons[c]->m_points;
    const int32_t n = static_cast<int32_t>(points.size());
    sizes.push_back(n);
    for (int32_t i = 0; i < n; ++i) segments.push_back({points[i], points[(i + 1) % n], c, i});
  }
  // Sweep over x: only segments whose x ranges overlap are compared.
  auto minX = [](const Segment& s) { return std::min(s.a.x, s.b.x); };
  auto maxX = [](const Segment& s) { return std::max(s.a.x, s.b.x); };
  std::sort(segments.begin(), segments.end(), [&](const Segment& l, const Segment& r) { return minX(l) < minX(r); });
  bool touching = false;
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    for (size_t j = i + 1; j < segments.size() && minX(segments[j]) <= maxX(s); ++j) {
      const Segment& t = segments[j];
      const bool sameContour = s.contour == t.contour;
      const int32_t n = sizes[s.contour];
      const bool adjacent = sameContour && ((s.index + 1) % n == t.index || (t.index + 1) % n == s.index);
      int o1 = Orientation(s.a, s.b, t.a), o2 = Orientation(s.a, s.b, t.b);
      int o3 = Orientation(t.a, t.b, s.a), o4 = Orientation(t.a, t.b, s.b);
      if (o1 * o2 < 0 && o3 * o4 < 0) return OutlineShape::kCrossing;
      if (adjacent) continue;
      // A point of one edge on the other edge: the outline touches itself there.
      if (OnSegment(t.a, s) || OnSegment(t.b, s) || OnSegment(s.a, t) || OnSegment(s.b, t)) touching = true;
    }
  }
  return touching ? OutlineShape::kTouching : OutlineShape::kSimple;
}

}  // namespace qv::testing
