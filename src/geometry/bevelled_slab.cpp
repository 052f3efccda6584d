#include "geometry/bevelled_slab.h"

#include <clipper.hpp>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <memory>
#include <unordered_map>
#include <vector>

#include "geometry/bevel_profile.h"
#include "geometry/glyph_outline.h"
#include "platform/parallel_for.h"
#include "scene/model.h"

namespace qv {

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Model coordinates are carried on a grid whose largest coordinate stays below 2^29, where
// Clipper computes in 64-bit integers.
constexpr double kGridReach = 536870912.0;
// Inner corners of the outline are cut to a point (one point per corner, as in the outline, and
// the crease along the corner's bisector that bevels show) unless sharper than this allows.
constexpr double kMiterLimit = 2.0;
// Steps closer than this fraction of the part's size merge with their neighbour: rings a few
// float steps apart would make triangles too thin to tell their sides.
constexpr double kMinStepFraction = 1.0 / 65536;
// How far a ring that touches another is drawn in to part them, as a fraction of the part's size.
constexpr double kPartFraction = 1.0 / 1048576;

struct RingVertex {
  PointF local;  // relative to the part's centre, for the triangulation
  IntPoint grid; // where it lies in the model
};

// Connected regions, each its outer boundary followed by its holes.
using Shape = std::vector<Paths>;

Shape ShapeOf(const ClipperLib::PolyTree& tree) {
  Shape shape;
  for (const ClipperLib::PolyNode* node = tree.GetFirst(); node; node = node->GetNext()) {
    if (node->IsHole()) continue;
    Paths component{node->Contour};
    for (const ClipperLib::PolyNode* hole : node->Childs) component.push_back(hole->Contour);
    shape.push_back(std::move(component));
  }
  return shape;
}

// A closed ring of vertex numbers with the region it bounds on its left.
using Ring = std::vector<int32_t>;

// One connected region of a step: its outer ring (counter-clockwise) and its holes (clockwise).
struct Component {
  std::vector<int32_t> rings;
  double minX = 0, minY = 0, maxX = 0, maxY = 0;  // of the outer ring
};

struct Level {
  float zFront = 0, zBack = 0;
  std::vector<int32_t> rings;  // ring numbers of this step
  std::vector<Component> components;
};

uint64_t Key(const PointF& p) {
  return (uint64_t{std::bit_cast<uint32_t>(p.x)} << 32) | std::bit_cast<uint32_t>(p.y);
}

// The quadrilateral of two counter-clockwise triangles sharing an edge, its corners in order
// so that its first and third corners are that edge's ends (drawn split there, the two
// triangles come back); false when they share no edge.
bool JoinAcrossSharedEdge(const std::array<int32_t, 3>& a, const std::array<int32_t, 3>& b, std::array<int32_t, 4>& quad) {
  for (int k = 0; k < 3; ++k) {
    const int32_t u = a[k], v = a[(k + 1) % 3];
    for (int j = 0; j < 3; ++j) {
      if (b[j] == v && b[(j + 1) % 3] == u) {
        quad = {v, a[(k + 2) % 3], u, b[(j + 2) % 3]};
        return true;
      }
    }
  }
  return false;
}

// Whether d lies in the plane of a, b and c, to within a thousandth of the quadrilateral's size
// (points of a text far from the origin are only a few float steps apart at that scale).
bool Flat(const CVector& a, const CVector& b, const CVector& c, const CVector& d) {
  const double ux = double{b.x} - a.x, uy = double{b.y} - a.y, uz = double{b.z} - a.z;
  const double vx = double{c.x} - a.x, vy = double{c.y} - a.y, vz = double{c.z} - a.z;
  const double wx = double{d.x} - a.x, wy = double{d.y} - a.y, wz = double{d.z} - a.z;
  const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
  const double size = std::max({std::fabs(ux), std::fabs(uy), std::fabs(uz), std::fabs(vx), std::fabs(vy),
                                std::fabs(vz), std::fabs(wx), std::fabs(wy), std::fabs(wz)});
  return n > 0 && std::fabs(nx * wx + ny * wy + nz * wz) <= 1e-3 * size * n;
}

// The bevelled solid of one connected part of the outline (an outer boundary with its holes).
class PartBuilder {
 public:
  PartBuilder(const Paths& outline, double scale, const std::vector<BevelStep>& profile, float thickness, float depth)
      : outline_(outline), scale_(scale), profile_(profile), thickness_(thickness), depth_(depth) {
    cInt minX = outline[0][0].X, maxX = minX, minY = outline[0][0].Y, maxY = minY;
    for (const Path& path : outline)
      for (const IntPoint& p : path) {
        minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
      }
    centre_ = {minX / 2 + maxX / 2, minY / 2 + maxY / 2};
    size_ = static_cast<double>(std::max(maxX - minX, maxY - minY));
  }

  // The bevelled part; false when a band could not be triangulated cleanly.
  bool BuildBevelled() {
    Reset();
    const double minGap = std::max(16.0, size_ * kMinStepFraction);
    Level first;
    first.zFront = -depth_;
    first.zBack = -thickness_ - first.zFront;
    if (!MakeLevel({outline_}, first)) return false;
    levels_.push_back(std::move(first));
    double lastInset = 0;
    const size_t n = profile_.size() - 1;
    for (size_t k = 1; k <= n; ++k) {
      const double inset = std::min(profile_[k].inset * scale_, size_);
      // A step too close to the last one kept, or to the cap's, is left out.
      if (inset - lastInset < minGap) continue;
      if (k < n && std::min(profile_[n].inset * scale_, size_) - inset < minGap) continue;
      ClipperLib::ClipperOffset offset(kMiterLimit);
      offset.AddPaths(outline_, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
      ClipperLib::PolyTree drawnIn;
      offset.Execute(drawnIn, -inset);
      lastInset = inset;
      Level level;
      const float rise = static_cast<float>(profile_[k].rise);
      level.zFront = rise - depth_;
      level.zBack = -thickness_ - level.zFront;
      if (!MakeLevel(ShapeOf(drawnIn), level)) return false;
      const bool empty = level.components.empty();
      levels_.push_back(std::move(level));
      if (empty) break;  // the strokes are all thinner than twice this inset
    }
    return Emit();
  }

  // The part as a flat slab from z = -thickness to 0.
  void BuildFlat() {
    Reset();
    Level level;
    level.zFront = 0;
    level.zBack = -thickness_;
    MakeLevel({outline_}, level, /*allowTouching=*/true);
    levels_.push_back(std::move(level));
    Emit();
  }

  std::vector<CVector> vertices;
  std::vector<std::array<int32_t, 4>> faces;  // the fourth corner -1 for a triangle

 private:
  void Reset() {
    vertices_.clear();
    rings_.clear();
    levels_.clear();
    vertices.clear();
    faces.clear();
  }

  // The regions of one step as rings of new vertices. False when rings touch (where a stroke is
  // exactly twice the inset) even after being parted, unless that is allowed: they are kept then.
  bool MakeLevel(Shape shape, Level& level, bool allowTouching = false) {
    if (Touching(shape)) {
      Paths touching, parted;
      for (const Paths& component : shape) touching.insert(touching.end(), component.begin(), component.end());
      ClipperLib::ClipperOffset inset;
      inset.AddPaths(touching, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
      inset.Execute(parted, -std::max(4.0, size_ * kPartFraction));
      ClipperLib::Clipper clipper;
      clipper.StrictlySimple(true);
      clipper.AddPaths(parted, ClipperLib::ptSubject, true);
      ClipperLib::PolyTree tree;
      clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
      shape = ShapeOf(tree);
      if (Touching(shape) && !allowTouching) return false;
    }
    for (const Paths& paths : shape) {
      Component component;
      const int32_t outer = AddRing(paths[0], false);
      if (outer < 0) continue;
      component.rings.push_back(outer);
      for (size_t h = 1; h < paths.size(); ++h) {
        const int32_t ring = AddRing(paths[h], true);
        if (ring >= 0) component.rings.push_back(ring);
      }
      const Ring& ring = rings_[outer];
      component.minX = component.maxX = vertices_[ring[0]].local.x;
      component.minY = component.maxY = vertices_[ring[0]].local.y;
      for (int32_t v : ring) {
        const PointF& p = vertices_[v].local;
        component.minX = std::min<double>(component.minX, p.x), component.maxX = std::max<double>(component.maxX, p.x);
        component.minY = std::min<double>(component.minY, p.y), component.maxY = std::max<double>(component.maxY, p.y);
      }
      for (int32_t r : component.rings) level.rings.push_back(r);
      level.components.push_back(std::move(component));
    }
    return true;
  }

  // Whether two rings meet at a point, or one passes through a point twice, once placed on floats.
  bool Touching(const Shape& shape) const {
    std::vector<uint64_t> keys;
    for (const Paths& component : shape) {
      for (const Path& path : component) {
        const size_t first = keys.size();
        for (const IntPoint& p : path) keys.push_back(Key(Local(p)));
        // Repeats next to each other in one ring are dropped later; only other repeats count.
        auto end = std::unique(keys.begin() + first, keys.end());
        if (end - keys.begin() > static_cast<ptrdiff_t>(first) + 1 && *(end - 1) == keys[first]) --end;
        keys.erase(end, keys.end());
      }
    }
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
  }

  PointF Local(const IntPoint& p) const {
    return {static_cast<float>(static_cast<double>(p.X - centre_.X) / scale_),
            static_cast<float>(static_cast<double>(p.Y - centre_.Y) / scale_)};
  }

  // A ring of new vertices turned to have its region on the left; -1 for a ring that encloses
  // nothing once on floats.
  int32_t AddRing(const Path& path, bool hole) {
    std::vector<RingVertex> points;
    for (const IntPoint& p : path) {
      const RingVertex v{Local(p), p};
      if (points.empty() || !(points.back().local == v.local)) points.push_back(v);
    }
    while (points.size() > 1 && points.back().local == points.front().local) points.pop_back();
    if (points.size() < 3) return -1;
    double twice = 0;
    for (size_t i = 0; i < points.size(); ++i) {
      const PointF& a = points[i].local;
      const PointF& b = points[(i + 1) % points.size()].local;
      twice += double{a.x} * b.y - double{b.x} * a.y;
    }
    if (twice == 0) return -1;
    if ((twice < 0) != hole) std::reverse(points.begin(), points.end());
    Ring ring;
    ring.reserve(points.size());
    for (const RingVertex& v : points) {
      ring.push_back(static_cast<int32_t>(vertices_.size()));
      vertices_.push_back(v);
    }
    rings_.push_back(std::move(ring));
    return static_cast<int32_t>(rings_.size()) - 1;
  }

  // Whether p lies in the component (inside its outer ring, outside its holes).
  bool Inside(const Component& c, const PointF& p) const {
    if (p.x < c.minX || p.x > c.maxX || p.y < c.minY || p.y > c.maxY) return false;
    bool inside = false;
    for (int32_t r : c.rings) {
      const Ring& ring = rings_[r];
      for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const PointF& a = vertices_[ring[i]].local;
        const PointF& b = vertices_[ring[j]].local;
        if ((a.y > p.y) != (b.y > p.y) &&
            p.x < (double{b.x} - a.x) * (double{p.y} - a.y) / (double{b.y} - a.y) + a.x)
          inside = !inside;
      }
    }
    return inside;
  }

  // Triangles (counter-clockwise, as vertex numbers) of the region on the left of `outer` rings
  // and on the right of `inner` ones; false unless they cover it exactly: every ring edge is run
  // once by one triangle, every other edge once each way. Holes are bridged here, each from its
  // leftmost point to the boundary it sees on its left; should that triangulation not come out
  // exact, the glyph path's hole joining (slower, searching nearest bridges) has a go.
  bool Triangulate(const std::vector<int32_t>& outer, const std::vector<int32_t>& inner,
                   std::vector<std::array<int32_t, 3>>& triangles) const {
    // The rings as the band sees them, region on the left, and the edges it must be bounded by.
    std::vector<Ring> rings;
    for (int32_t r : outer) rings.push_back(rings_[r]);
    for (int32_t r : inner) rings.emplace_back(rings_[r].rbegin(), rings_[r].rend());
    const size_t first = triangles.size();
    if (BridgeAndTriangulate(rings, triangles) && Exact(rings, triangles, first)) return true;
    triangles.resize(first);
    return JoinAndTriangulate(rings, triangles) && Exact(rings, triangles, first);
  }

  double Cross(int32_t o, int32_t a, int32_t b) const {
    const PointF& p = vertices_[o].local;
    const PointF& q = vertices_[a].local;
    const PointF& r = vertices_[b].local;
    return (double{q.x} - p.x) * (double{r.y} - p.y) - (double{q.y} - p.y) * (double{r.x} - p.x);
  }

  double TwiceArea(const Ring& ring) const {
    double twice = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
      const PointF& a = vertices_[ring[i]].local;
      const PointF& b = vertices_[ring[(i + 1) % ring.size()]].local;
      twice += double{a.x} * b.y - double{b.x} * a.y;
    }
    return twice;
  }

  bool InRing(const Ring& ring, const PointF& p) const {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
      const PointF& a = vertices_[ring[i]].local;
      const PointF& b = vertices_[ring[j]].local;
      if ((a.y > p.y) != (b.y > p.y) && p.x < (double{b.x} - a.x) * (double{p.y} - a.y) / (double{b.y} - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  }

  // Each hole goes to the smallest outer ring around it; each outer ring with its holes becomes
  // one boundary, the holes joined in order of their leftmost points by a bridge to the left.
  bool BridgeAndTriangulate(const std::vector<Ring>& rings, std::vector<std::array<int32_t, 3>>& triangles) const {
    std::vector<double> area(rings.size());
    std::vector<size_t> outers, holes;
    for (size_t i = 0; i < rings.size(); ++i) {
      area[i] = TwiceArea(rings[i]);
      (area[i] > 0 ? outers : holes).push_back(i);
    }
    std::vector<std::vector<size_t>> holesOf(rings.size());
    for (size_t h : holes) {
      const PointF& probe = vertices_[rings[h][0]].local;
      size_t best = SIZE_MAX;
      for (size_t o : outers)
        if ((best == SIZE_MAX || area[o] < area[best]) && InRing(rings[o], probe)) best = o;
      if (best == SIZE_MAX) return false;
      holesOf[best].push_back(h);
    }
    for (size_t o : outers) {
      // A band that keeps its shape between two steps is a ring between two rings: zipped.
      if (holesOf[o].size() == 1 && Zip(rings[o], rings[holesOf[o][0]], triangles)) continue;
      std::vector<int32_t> list = rings[o];
      // Leftmost point of each hole, holes taken from left to right.
      std::vector<std::pair<size_t, size_t>> order;  // (hole, position of its leftmost point)
      for (size_t h : holesOf[o]) {
        const Ring& ring = rings[h];
        size_t left = 0;
        for (size_t i = 1; i < ring.size(); ++i) {
          const PointF& p = vertices_[ring[i]].local;
          const PointF& q = vertices_[ring[left]].local;
          if (p.x < q.x || (p.x == q.x && p.y < q.y)) left = i;
        }
        order.emplace_back(h, left);
      }
      std::sort(order.begin(), order.end(), [&](const auto& l, const auto& r) {
        const PointF& a = vertices_[rings[l.first][l.second]].local;
        const PointF& b = vertices_[rings[r.first][r.second]].local;
        return a.x < b.x || (a.x == b.x && a.y < b.y);
      });
      for (const auto& [h, left] : order) {
        const Ring& ring = rings[h];
        const size_t at = BridgeEnd(list, ring[left]);
        if (at == SIZE_MAX) return false;
        std::vector<int32_t> inserted;
        inserted.reserve(ring.size() + 2);
        for (size_t i = 0; i <= ring.size(); ++i) inserted.push_back(ring[(left + i) % ring.size()]);
        inserted.push_back(list[at]);
        list.insert(list.begin() + static_cast<ptrdiff_t>(at) + 1, inserted.begin(), inserted.end());
      }
      OutlineContour polygon;
      polygon.m_points.reserve(list.size());
      for (int32_t v : list) polygon.m_points.push_back(vertices_[v].local);
      polygon.Triangulate();
      for (const Triangle& t : polygon.m_triangles) triangles.push_back({list[t.a], list[t.b], list[t.c]});
    }
    return true;
  }

  // Triangles between an outer ring and the one hole in it, made in a single walk round both
  // (each step advancing on the ring whose next point is nearer the other's): false, with
  // nothing added, unless every triangle turns counter-clockwise, so the band is covered once.
  bool Zip(const Ring& outer, const Ring& hole, std::vector<std::array<int32_t, 3>>& triangles) const {
    const size_t n = outer.size(), m = hole.size();
    // The hole walked counter-clockwise, like the outer ring.
    auto O = [&](size_t k) { return outer[k % n]; };
    size_t start = 0;
    auto distance2 = [&](int32_t u, int32_t v) {
      const PointF& p = vertices_[u].local;
      const PointF& q = vertices_[v].local;
      return (double{p.x} - q.x) * (double{p.x} - q.x) + (double{p.y} - q.y) * (double{p.y} - q.y);
    };
    for (size_t k = 1; k < m; ++k)
      if (distance2(outer[0], hole[k]) < distance2(outer[0], hole[start])) start = k;
    auto H = [&](size_t k) { return hole[(start + m - k % m) % m]; };
    const size_t first = triangles.size();
    size_t a = 0, b = 0;
    while (a < n || b < m) {
      const int32_t o0 = O(a), o1 = O(a + 1), h0 = H(b), h1 = H(b + 1);
      const bool onOuter = b == m || (a < n && distance2(o1, h0) <= distance2(o0, h1));
      const std::array<int32_t, 3> t = onOuter ? std::array<int32_t, 3>{o0, o1, h0} : std::array<int32_t, 3>{o0, h1, h0};
      if (!(Cross(t[0], t[1], t[2]) > 0)) {
        triangles.resize(first);
        return false;
      }
      triangles.push_back(t);
      (onOuter ? a : b) += 1;
    }
    return true;
  }

  // The position in `list` (a boundary with the region on its left) of the point a bridge from
  // hole point m runs to: the boundary hit first by the ray from m to the left, or the point
  // inside the triangle between m, that hit and the hit edge's left end that is seen at the
  // smallest angle from the ray.
  size_t BridgeEnd(const std::vector<int32_t>& list, int32_t m) const {
    const PointF& M = vertices_[m].local;
    const size_t n = list.size();
    double hitX = -INFINITY;
    size_t hit = SIZE_MAX;
    for (size_t i = 0; i < n; ++i) {
      const PointF& p = vertices_[list[i]].local;
      const PointF& q = vertices_[list[(i + 1) % n]].local;
      // Edges running down have the region on their right side, where m is.
      if (!(p.y >= M.y && q.y <= M.y && p.y != q.y)) continue;
      const double x = p.x + (double{M.y} - p.y) * (double{q.x} - p.x) / (double{q.y} - p.y);
      if (x <= M.x && x > hitX) {
        hitX = x;
        hit = q.x < p.x ? (i + 1) % n : i;
        if (x == M.x) return SIZE_MAX;  // the hole touches the boundary
      }
    }
    if (hit == SIZE_MAX) return SIZE_MAX;
    const PointF hitPoint{static_cast<float>(hitX), M.y};
    const PointF& P = vertices_[list[hit]].local;
    // Points of the boundary inside the triangle M, hit point, P would block the bridge to P.
    auto inTriangle = [](const PointF& a, const PointF& b, const PointF& c, const PointF& p) {
      auto side = [](const PointF& u, const PointF& v, const PointF& w) {
        return (double{v.x} - u.x) * (double{w.y} - u.y) - (double{v.y} - u.y) * (double{w.x} - u.x);
      };
      const double d1 = side(a, b, p), d2 = side(b, c, p), d3 = side(c, a, p);
      return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
    };
    size_t best = hit;
    double bestTan = INFINITY;
    for (size_t i = 0; i < n; ++i) {
      const PointF& v = vertices_[list[i]].local;
      if (list[i] == list[hit] || v.x > hitX || v.x < P.x || v.x >= M.x) continue;
      if (!inTriangle(M, hitPoint, P, v)) continue;
      const double tan = std::fabs(double{M.y} - v.y) / (double{M.x} - v.x);
      if ((tan < bestTan || (tan == bestTan && v.x > vertices_[list[best]].local.x)) && LocallyInside(list, i, m)) {
        best = i;
        bestTan = tan;
      }
    }
    // The end point may be on the boundary more than once (an earlier bridge): the occurrence
    // whose corner the bridge leaves into the region.
    for (size_t i = 0; i < n; ++i)
      if (list[i] == list[best] && LocallyInside(list, i, m)) return i;
    return SIZE_MAX;
  }

  // Whether the segment from list[i] to m leaves the boundary's corner there into the region.
  bool LocallyInside(const std::vector<int32_t>& list, size_t i, int32_t m) const {
    const size_t n = list.size();
    const int32_t a = list[(i + n - 1) % n], v = list[i], b = list[(i + 1) % n];
    if (Cross(a, v, b) >= 0) return Cross(a, v, m) > 0 && Cross(v, b, m) > 0;
    return Cross(a, v, m) > 0 || Cross(v, b, m) > 0;
  }

  // The glyph path's hole joining and triangulation, the corners found again by their points.
  bool JoinAndTriangulate(const std::vector<Ring>& rings, std::vector<std::array<int32_t, 3>>& triangles) const {
    GlyphOutline outline;
    std::unordered_map<uint64_t, int32_t> vertexAt;
    for (const Ring& ring : rings) {
      auto polygon = std::make_unique<OutlineContour>();
      polygon->m_points.reserve(ring.size());
      for (int32_t v : ring) {
        polygon->m_points.push_back(vertices_[v].local);
        vertexAt.emplace(Key(vertices_[v].local), v);
      }
      outline.m_polygons.push_back(std::move(polygon));
    }
    outline.PrepareSeparateContours();
    for (const auto& polygon : outline.m_polygons) {
      for (const Triangle& t : polygon->m_triangles) {
        std::array<int32_t, 3> corners;
        const int32_t at[3] = {t.a, t.b, t.c};
        for (int k = 0; k < 3; ++k) {
          const auto it = vertexAt.find(Key(polygon->m_points[at[k]]));
          if (it == vertexAt.end()) return false;
          corners[k] = it->second;
        }
        triangles.push_back(corners);
      }
    }
    return true;
  }

  // Whether the triangles from `first` on bound exactly the region of the rings: every ring edge
  // run once, in its direction, every other edge once each way.
  bool Exact(const std::vector<Ring>& rings, const std::vector<std::array<int32_t, 3>>& triangles, size_t first) const {
    std::vector<int32_t>& localOf = localOf_;
    localOf.resize(vertices_.size(), -1);
    std::vector<int32_t> ids;
    for (const Ring& ring : rings)
      for (int32_t v : ring) {
        if (localOf[v] >= 0) return Forget(ids), false;  // a point on two rings
        localOf[v] = static_cast<int32_t>(ids.size());
        ids.push_back(v);
      }
    const size_t m = ids.size();
    std::vector<int32_t> boundaryNext(m), runs(m, 0);
    for (const Ring& ring : rings)
      for (size_t i = 0; i < ring.size(); ++i) boundaryNext[localOf[ring[i]]] = localOf[ring[(i + 1) % ring.size()]];
    // The edges leaving each point.
    std::vector<uint32_t> start(m + 1, 0);
    for (size_t t = first; t < triangles.size(); ++t)
      for (int k = 0; k < 3; ++k) {
        const int32_t u = triangles[t][k];
        if (u < 0 || static_cast<size_t>(u) >= vertices_.size() || localOf[u] < 0) return Forget(ids), false;
        ++start[localOf[u] + 1];
      }
    for (size_t i = 0; i < m; ++i) start[i + 1] += start[i];
    std::vector<int32_t> to(start[m]);
    {
      std::vector<uint32_t> fill(start.begin(), start.end() - 1);
      for (size_t t = first; t < triangles.size(); ++t)
        for (int k = 0; k < 3; ++k) to[fill[localOf[triangles[t][k]]]++] = localOf[triangles[t][(k + 1) % 3]];
    }
    Forget(ids);
    auto runsEdge = [&](int32_t u, int32_t v) {
      int count = 0;
      for (uint32_t i = start[u]; i < start[u + 1]; ++i) count += to[i] == v;
      return count;
    };
    for (size_t u = 0; u < m; ++u) {
      for (uint32_t i = start[u]; i < start[u + 1]; ++i) {
        const int32_t v = to[i];
        if (v == static_cast<int32_t>(u) || runsEdge(static_cast<int32_t>(u), v) != 1) return false;
        if (boundaryNext[u] == v) {
          ++runs[u];
          if (runsEdge(v, static_cast<int32_t>(u)) != 0) return false;
        } else if (boundaryNext[v] == static_cast<int32_t>(u) || runsEdge(v, static_cast<int32_t>(u)) != 1) {
          return false;
        }
      }
    }
    return std::all_of(runs.begin(), runs.end(), [](int32_t r) { return r == 1; });
  }

  void Forget(const std::vector<int32_t>& ids) const {
    for (int32_t v : ids) localOf_[v] = -1;
  }

  // Faces of every level: the bands between successive steps, the top step's region, the walls.
  bool Emit() {
    bool clean = true;
    // Each ring vertex gets a front and a back vertex; at the wall's ends they are one when the
    // walls have no height.
    std::vector<int32_t> front(vertices_.size(), -1), back(vertices_.size(), -1);
    auto place = [&](int32_t v, float z) {
      const IntPoint& g = vertices_[v].grid;
      vertices.push_back({static_cast<float>(g.X / scale_), static_cast<float>(g.Y / scale_), z});
      return static_cast<int32_t>(vertices.size()) - 1;
    };
    for (const Level& level : levels_) {
      for (int32_t r : level.rings) {
        for (int32_t v : rings_[r]) {
          front[v] = place(v, level.zFront);
          back[v] = level.zBack == level.zFront && &level == &levels_.front() ? front[v] : place(v, level.zBack);
        }
      }
    }
    std::vector<std::array<int32_t, 3>> triangles;
    // Band triangles that follow each other across a shared edge and lie in one plane (a
    // straight stretch of the outline and its parallel offset) become one quadrilateral split
    // along that edge: half the faces for the same surface.
    auto emit = [&](bool pairUp) {
      for (size_t i = 0; i < triangles.size(); ++i) {
        std::array<int32_t, 4> q;
        if (pairUp && i + 1 < triangles.size() && JoinAcrossSharedEdge(triangles[i], triangles[i + 1], q) &&
            Flat(vertices[front[q[0]]], vertices[front[q[1]]], vertices[front[q[2]]], vertices[front[q[3]]])) {
          faces.push_back({front[q[0]], front[q[3]], front[q[2]], front[q[1]]});
          faces.push_back({back[q[0]], back[q[1]], back[q[2]], back[q[3]]});
          ++i;
          continue;
        }
        const auto& t = triangles[i];
        faces.push_back({front[t[0]], front[t[2]], front[t[1]], -1});
        faces.push_back({back[t[0]], back[t[1]], back[t[2]], -1});
      }
      triangles.clear();
    };
    for (size_t l = 0; l < levels_.size(); ++l) {
      const Level& level = levels_[l];
      const Level* above = l + 1 < levels_.size() ? &levels_[l + 1] : nullptr;
      std::vector<int32_t> holders(above ? above->components.size() : 0, 0);
      for (const Component& c : level.components) {
        // The regions of the next step inside this one are the band's holes.
        std::vector<int32_t> inner;
        if (above) {
          for (const Component& d : above->components) {
            const PointF& probe = vertices_[rings_[d.rings[0]][0]].local;
            if (d.minX >= c.minX && d.maxX <= c.maxX && d.minY >= c.minY && d.maxY <= c.maxY && Inside(c, probe)) {
              inner.insert(inner.end(), d.rings.begin(), d.rings.end());
              ++holders[&d - above->components.data()];
            }
          }
        }
        if (!Triangulate(c.rings, inner, triangles)) clean = false;
        emit(above != nullptr);
      }
      // Each region of the next step lies in exactly one of this step's, or its rings would
      // border only one band.
      for (int32_t count : holders)
        if (count != 1) clean = false;
    }
    const Level& wallEnds = levels_.front();
    if (wallEnds.zFront != wallEnds.zBack) {
      for (int32_t r : wallEnds.rings) {
        const Ring& ring = rings_[r];
        for (size_t i = 0; i < ring.size(); ++i) {
          const int32_t u = ring[i], v = ring[(i + 1) % ring.size()];
          faces.push_back({front[u], front[v], back[v], back[u]});
        }
      }
    }
    return clean;
  }

  const Paths outline_;
  double scale_;
  const std::vector<BevelStep>& profile_;
  float thickness_, depth_;
  IntPoint centre_;
  double size_ = 0;
  std::vector<RingVertex> vertices_;
  std::vector<Ring> rings_;
  std::vector<Level> levels_;
  mutable std::vector<int32_t> localOf_;  // scratch of Exact: each vertex's number among a band's
};

// Groups of loops whose bounding boxes overlap, directly or through others, in the order of
// their first loops.
std::vector<std::vector<size_t>> OverlappingClusters(const Paths& loops) {
  struct Box {
    cInt minX, minY, maxX, maxY;
  };
  std::vector<Box> boxes;
  for (const Path& path : loops) {
    Box box{path[0].X, path[0].Y, path[0].X, path[0].Y};
    for (const IntPoint& p : path) {
      box.minX = std::min(box.minX, p.X), box.maxX = std::max(box.maxX, p.X);
      box.minY = std::min(box.minY, p.Y), box.maxY = std::max(box.maxY, p.Y);
    }
    boxes.push_back(box);
  }
  std::vector<size_t> parent(loops.size());
  for (size_t i = 0; i < parent.size(); ++i) parent[i] = i;
  auto root = [&](size_t i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  };
  std::vector<size_t> byLeft(loops.size());
  for (size_t i = 0; i < byLeft.size(); ++i) byLeft[i] = i;
  std::sort(byLeft.begin(), byLeft.end(), [&](size_t l, size_t r) { return boxes[l].minX < boxes[r].minX; });
  for (size_t i = 0; i < byLeft.size(); ++i) {
    const Box& a = boxes[byLeft[i]];
    for (size_t j = i + 1; j < byLeft.size() && boxes[byLeft[j]].minX <= a.maxX; ++j) {
      const Box& b = boxes[byLeft[j]];
      if (b.minY <= a.maxY && a.minY <= b.maxY) parent[root(byLeft[j])] = root(byLeft[i]);
    }
  }
  std::vector<std::vector<size_t>> clusters;
  std::vector<size_t> clusterOf(loops.size(), SIZE_MAX);
  for (size_t i = 0; i < loops.size(); ++i) {
    size_t& c = clusterOf[root(i)];
    if (c == SIZE_MAX) {
      c = clusters.size();
      clusters.emplace_back();
    }
    clusters[c].push_back(i);
  }
  return clusters;
}

}  // namespace

void ExtrudeBevelledContours(CModel& model, const std::vector<std::vector<int32_t>>& contours, float thickness,
                             const BevelParameters& bevel, int32_t material) {
  double largest = 0;
  for (const CVector& v : model.m_vertices) largest = std::max({largest, std::fabs(double{v.x}), std::fabs(double{v.y})});
  const double scale = largest > 0 ? std::ldexp(1.0, std::ilogb(kGridReach / largest)) : 1.0;

  Paths loops;
  for (const auto& loop : contours) {
    if (loop.size() < 3) continue;
    Path path;
    path.reserve(loop.size());
    for (int32_t v : loop)
      path.emplace_back(std::llround(model.m_vertices[v].x * scale), std::llround(model.m_vertices[v].y * scale));
    loops.push_back(std::move(path));
  }
  // Glyphs that overlap (brush strokes, tight tracking) are bevelled as the one shape they make.
  // Loops whose boxes touch are united together, each such cluster on its own: one union of the
  // whole line would sweep past every glyph at every height.
  const std::vector<std::vector<size_t>> clusters = OverlappingClusters(loops);
  const std::vector<BevelStep> profile = BevelProfile(bevel);
  std::vector<std::vector<std::unique_ptr<PartBuilder>>> built(clusters.size());
  ParallelFor(clusters.size(), 1, [&](size_t begin, size_t end) {
    for (size_t c = begin; c < end; ++c) {
      ClipperLib::Clipper clipper;
      clipper.StrictlySimple(true);
      for (size_t loop : clusters[c]) clipper.AddPath(loops[loop], ClipperLib::ptSubject, true);
      ClipperLib::PolyTree united;
      clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
      for (const Paths& outline : ShapeOf(united)) {
        if (outline[0].size() < 3) continue;
        auto part = std::make_unique<PartBuilder>(outline, scale, profile, thickness, bevel.depth);
        if (!part->BuildBevelled()) part->BuildFlat();
        built[c].push_back(std::move(part));
      }
    }
  });

  size_t vertexCount = 0, faceCount = 0;
  for (const auto& cluster : built)
    for (const auto& part : cluster) {
      vertexCount += part->vertices.size();
      faceCount += part->faces.size();
    }
  model.m_vertices.clear();
  model.m_faces.clear();
  model.m_vertices.reserve(vertexCount);
  model.m_faces.reserve(faceCount);
  for (const auto& cluster : built)
  for (const auto& part : cluster) {
    const int32_t base = static_cast<int32_t>(model.m_vertices.size());
    model.m_vertices.insert(model.m_vertices.end(), part->vertices.begin(), part->vertices.end());
    for (const auto& corners : part->faces) {
      CFace face;
      face.m_material = material;
      for (int32_t v : corners)
        if (v >= 0) face.m_indices.push_back(base + v);
      model.m_faces.push_back(std::move(face));
    }
  }
}

}  // namespace qv
