#include "geometry/contour_union.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Orientation of c against the line a-b, in double precision (exact for float inputs of the
// sizes glyphs have).
int Orientation(const PointF& a, const PointF& b, const PointF& c) {
  const double v = (double{b.x} - a.x) * (double{c.y} - a.y) - (double{b.y} - a.y) * (double{c.x} - a.x);
  return (v > 0) - (v < 0);
}

bool AllOnOneLine(const std::vector<PointF>& points) {
  // The line through the first point and the first point that differs from it.
  size_t second = 1;
  while (second < points.size() && points[second] == points[0]) ++second;
  for (size_t i = second + 1; i < points.size(); ++i)
    if (Orientation(points[0], points[second], points[i]) != 0) return false;
  return true;
}

bool Between(float v, float a, float b) { return v >= std::min(a, b) && v <= std::max(a, b); }

struct Segment;
bool OnSegment(const PointF& p, const Segment& s);

struct Segment {
  PointF a, b;
  int32_t contour, index;
  float MinX() const { return std::min(a.x, b.x); }
  float MaxX() const { return std::max(a.x, b.x); }
};

// p on the line of s (known) and within its extent.
bool OnSegment(const PointF& p, const Segment& s) { return Between(p.x, s.a.x, s.b.x) && Between(p.y, s.a.y, s.b.y); }

// Collinear segments that share more than a point.
bool OverlapAlongALine(const Segment& s, const Segment& t) {
  // Project on the longer axis of s.
  const bool alongX = std::fabs(s.b.x - s.a.x) >= std::fabs(s.b.y - s.a.y);
  auto coord = [&](const PointF& p) { return alongX ? p.x : p.y; };
  const float s0 = std::min(coord(s.a), coord(s.b)), s1 = std::max(coord(s.a), coord(s.b));
  const float t0 = std::min(coord(t.a), coord(t.b)), t1 = std::max(coord(t.a), coord(t.b));
  return std::min(s1, t1) > std::max(s0, t0);
}

bool EdgesCrossOrOverlap(const std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  std::vector<Segment> segments;
  std::vector<int32_t> sizes;
  std::vector<PointF> distinct;
  for (size_t c = 0; c < polygons.size(); ++c) {
    // Repeated points make edges of no length, which cross nothing and would hide that the edges
    // around them are neighbours.
    distinct.clear();
    for (const PointF& p : polygons[c]->m_points)
      if (distinct.empty() || !(distinct.back() == p)) distinct.push_back(p);
    while (distinct.size() > 1 && distinct.back() == distinct.front()) distinct.pop_back();
    const int32_t n = static_cast<int32_t>(distinct.size());
    sizes.push_back(n);
    for (int32_t i = 0; i < n; ++i) segments.push_back({distinct[i], distinct[(i + 1) % n], int32_t(c), i});
  }
  std::sort(segments.begin(), segments.end(), [](const Segment& l, const Segment& r) { return l.MinX() < r.MinX(); });
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    const float sy0 = std::min(s.a.y, s.b.y), sy1 = std::max(s.a.y, s.b.y);
    for (size_t j = i + 1; j < segments.size() && segments[j].MinX() <= s.MaxX(); ++j) {
      const Segment& t = segments[j];
      if (std::max(t.a.y, t.b.y) < sy0 || std::min(t.a.y, t.b.y) > sy1) continue;
      const int o1 = Orientation(s.a, s.b, t.a), o2 = Orientation(s.a, s.b, t.b);
      const int o3 = Orientation(t.a, t.b, s.a), o4 = Orientation(t.a, t.b, s.b);
      if (o1 * o2 < 0 && o3 * o4 < 0) return true;
      const int32_t n = sizes[s.contour];
      const bool adjacent = s.contour == t.contour && ((s.index + 1) % n == t.index || (t.index + 1) % n == s.index);
      // Contours that touch, or a contour that passes through one of its own points: a point of
      // one edge on another edge that is not its neighbour.
      if (!adjacent && ((o1 == 0 && OnSegment(t.a, s)) || (o2 == 0 && OnSegment(t.b, s)) ||
                        (o3 == 0 && OnSegment(s.a, t)) || (o4 == 0 && OnSegment(s.b, t))))
        return true;
      if (o1 == 0 && o2 == 0 && !adjacent && OverlapAlongALine(s, t)) return true;
    }
  }
  return false;
}

// Nonzero winding number of all contours around p.
int Winding(const std::vector<std::unique_ptr<OutlineContour>>& polygons, double px, double py) {
  int w = 0;
  for (const auto& polygon : polygons) {
    const auto& v = polygon->m_points;
    const size_t n = v.size();
    for (size_t i = 0; i < n; ++i) {
      const double ax = v[i].x, ay = v[i].y, bx = v[(i + 1) % n].x, by = v[(i + 1) % n].y;
      const double side = (bx - ax) * (py - ay) - (by - ay) * (px - ax);
      if (ay <= py) {
        if (by > py && side > 0) ++w;
      } else if (by <= py && side < 0) {
        --w;
      }
    }
  }
  return w;
}

// Without crossings the contours nest, and the nonzero rule fills what the alternation of outer
// contours and holes describes only when no region is wound more than once. Every region lies
// beside some contour: the two sides of each contour's longest edge are tested.
bool SomeRegionWoundTwice(const std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  for (const auto& polygon : polygons) {
    const auto& v = polygon->m_points;
    const size_t n = v.size();
    size_t longest = 0;
    double best = -1;
    for (size_t i = 0; i < n; ++i) {
      const double dx = double{v[(i + 1) % n].x} - v[i].x, dy = double{v[(i + 1) % n].y} - v[i].y;
      if (dx * dx + dy * dy > best) {
        best = dx * dx + dy * dy;
        longest = i;
      }
    }
    const PointF& a = v[longest];
    const PointF& b = v[(longest + 1) % n];
    const double mx = (double{a.x} + b.x) / 2, my = (double{a.y} + b.y) / 2;
    // A step of a millionth of the edge to each side, along its normal.
    const double nx = -(double{b.y} - a.y) * 1e-6, ny = (double{b.x} - a.x) * 1e-6;
    if (std::abs(Winding(polygons, mx + nx, my + ny)) > 1 || std::abs(Winding(polygons, mx - nx, my - ny)) > 1)
      return true;
  }
  return false;
}

constexpr double kGrid = 1099511627776.0;  // 2^40 grid steps per cell unit
constexpr double kLargest = 1 << 20;       // cell units beyond which the grid would overflow
constexpr double kInset = 1.0 / (1 << 20);  // cell units: several float steps at glyph coordinates

}  // namespace

void DropRepeatedPoints(std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  for (auto& polygon : polygons) {
    std::vector<PointF>& points = polygon->m_points;
    points.erase(std::unique(points.begin(), points.end()), points.end());
    while (points.size() > 1 && points.back() == points.front()) points.pop_back();
  }
}

void DropEmptyContours(std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  std::erase_if(polygons, [](const std::unique_ptr<OutlineContour>& polygon) {
    const auto& points = polygon->m_points;
    size_t distinct = 0;
    for (size_t i = 0; i < points.size() && distinct < 3; ++i)
      if (std::find(points.begin(), points.begin() + i, points[i]) == points.begin() + i) ++distinct;
    return distinct < 3 || AllOnOneLine(points);
  });
}

bool ContoursNeedUnion(const std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  return EdgesCrossOrOverlap(polygons) || SomeRegionWoundTwice(polygons);
}

void UniteContours(std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  ClipperLib::Paths paths;
  for (const auto& polygon : polygons) {
    ClipperLib::Path path;
    path.reserve(polygon->m_points.size());
    for (const PointF& p : polygon->m_points) {
      if (!(std::fabs(p.x) < kLargest && std::fabs(p.y) < kLargest)) return;  // not a glyph: left as it is
      path.emplace_back(static_cast<ClipperLib::cInt>(std::llround(p.x * kGrid)),
                        static_cast<ClipperLib::cInt>(std::llround(p.y * kGrid)));
    }
    paths.push_back(std::move(path));
  }
  ClipperLib::Clipper clipper;
  // Strictly simple: no contour touches itself or another one, so hole joining and
  // triangulation see well-separated boundaries.
  clipper.StrictlySimple(true);
  clipper.AddPaths(paths, ClipperLib::ptSubject, true);
  ClipperLib::Paths united;
  if (!clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero)) return;

  // Where the united boundaries still meet at a point (pixel corners, a hole touching its
  // contour) hole joining and triangulation would see two points in one place. Drawing the
  // boundary in by a millionth of the cell parts them, and changes the area by far less than
  // anyone can see.
  ClipperLib::ClipperOffset inset;
  inset.AddPaths(united, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
  ClipperLib::Paths parted;
  inset.Execute(parted, -kInset * kGrid);
  if (!parted.empty()) united = std::move(parted);

  polygons.clear();
  for (const ClipperLib::Path& path : united) {
    auto polygon = std::make_unique<OutlineContour>();
    polygon->m_points.reserve(path.size());
    for (const ClipperLib::IntPoint& p : path) {
      const PointF point{static_cast<float>(p.X / kGrid), static_cast<float>(p.Y / kGrid)};
      // Points that become the same float are one point.
      if (polygon->m_points.empty() || !(polygon->m_points.back() == point)) polygon->m_points.push_back(point);
    }
    while (polygon->m_points.size() > 1 && polygon->m_points.back() == polygon->m_points.front())
      polygon->m_points.pop_back();
    polygons.push_back(std::move(polygon));
  }
  DropEmptyContours(polygons);
}

}  // namespace qv
