// From a glyph's contours to its flat front cap: orientation, containment, bridges to holes,
// triangulation.
#include <algorithm>
#include <vector>

#include "geometry/contour_union.h"
#include "geometry/glyph_outline.h"
#include "geometry/polygon_math.h"
#include "scene/model.h"

namespace qv {

namespace {

double SignedArea(const std::vector<PointF>& points) {
  double twice = 0;
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i) {
    const PointF& p = points[i];
    const PointF& q = points[(i + 1) % n];
    twice += double{p.x} * q.y - double{q.x} * p.y;
  }
  return twice / 2;
}

// Parity of the crossings of the ray from t to the right with the boundary v(0) ... v(m - 1).
// Edges with an end at t's height are settled afterwards, a horizontal run of them counting once
// when the boundary passes through. `onBoundary` tells whether t lies on the boundary itself,
// where the parity means nothing.
template <class Vertex>
bool OddCrossings(const Vertex& V, int32_t m, const PointF& T, bool& onBoundary, std::vector<int8_t>& mark) {
  mark.assign(m, 0);
  int32_t crossings = 0;
  onBoundary = false;
  for (int32_t e = 0; e < m; ++e) {
    const PointF& v1 = V(e);
    const PointF& v2 = V(e + 1);
    float p = (T.y - v2.y) * (T.y - v1.y);
    if (p < 0.0f) {
      float s = (T.y - v1.y) / (v2.y - v1.y);
      float x = (1.0f - s) * v1.x + s * v2.x;
      if (x > T.x) {
        mark[e] = 1;
        ++crossings;
      } else {
        mark[e] = -1;
      }
      if (x == T.x) onBoundary = true;
    } else if (p > 0.0f) {
      mark[e] = -1;
    } else if (v1 == T || v2 == T ||
               (v1.y == T.y && v2.y == T.y && (v1.x - T.x) * (v2.x - T.x) < 0.0f)) {
      onBoundary = true;
    }
  }
  for (int32_t e = 0; e < m; ++e) {
    if (mark[e] != 0 || V(e).y != T.y) continue;
    int32_t c = e;
    for (int32_t step = 0; step < m && V(c).y == T.y; ++step) c = (c - 1 + m) % m;
    int32_t f = e;
    for (int32_t step = 0; step < m && V(f).y == T.y; ++step) f = (f + 1) % m;
    bool through = (T.y - V(c).y) * (T.y - V(f).y) < 0.0f && V(c + 1).x > T.x;
    int32_t at = c;
    for (int32_t step = 0; step < m; ++step) {
      mark[at] = through ? 1 : -1;
      at = (at + 1) % m;
      if (at == f) break;
    }
    if (through) ++crossings;
  }
  return crossings % 2 == 1;
}

}  // namespace

bool GlyphOutline::Contains(int32_t k, int32_t j) const {
  if (k == j) return false;
  const OutlineContour& outer = *m_polygons[k];
  const OutlineContour& inner = *m_polygons[j];
  if (inner.m_points.empty() || !outer.m_indices) return false;
  const std::vector<int32_t>& list = outer.m_indices->m_entries;
  const int32_t m = static_cast<int32_t>(list.size());
  if (m == 0) return false;
  auto V = [&](int32_t i) -> const PointF& { return outer.m_points[list[((i % m) + m) % m]]; };

  // Polygon j is tested by its first point. A point on k's boundary (contours that touch) says
  // nothing about inside or outside, so the first of j's points off that boundary decides.
  bool onBoundary = false;
  const bool first = OddCrossings(V, m, inner.m_points[0], onBoundary, m_marks);
  if (!onBoundary) return first;
  for (size_t i = 1; i < inner.m_points.size(); ++i) {
    bool inside = OddCrossings(V, m, inner.m_points[i], onBoundary, m_marks);
    if (!onBoundary) return inside;
  }
  return first;
}

namespace {

// One edge of a polygon's index list, from position t to the next.
struct ListEdge {
  PointF v1, v2;
  int32_t polygon, t, t1;
};

// Whether the edge meets the segment PQ (touching counts).
bool Blocks(const PointF& V1, const PointF& V2, const PointF& P, const PointF& Q) {
  float d1 = Cross(V1.x - P.x, V1.y - P.y, V2.x - P.x, V2.y - P.y);
  float d2 = Cross(V1.x - Q.x, V1.y - Q.y, V2.x - Q.x, V2.y - Q.y);
  float d3 = (V2.x - P.x) * (V2.y - Q.y) - (V2.y - P.y) * (V2.x - Q.x);
  float d4 = (V1.x - P.x) * (V1.y - Q.y) - (V1.y - P.y) * (V1.x - Q.x);
  return d1 * d2 <= 0.0f && d3 * d4 <= 0.0f;
}

// The edges that end at the bridge's own points (position b of f, position a of e) do not block.
bool Excluded(const ListEdge& edge, int32_t f, int32_t b, int32_t e, int32_t a) {
  return (edge.polygon == f && (edge.t == b || edge.t1 == b)) || (edge.polygon == e && (edge.t == a || edge.t1 == a));
}

}  // namespace

int32_t GlyphOutline::FindBlockingEdge(int32_t f, int32_t b, int32_t e, int32_t a) const {
  const OutlineContour& F = *m_polygons[f];
  const OutlineContour& E = *m_polygons[e];
  const PointF P = F.m_points[F.m_indices->m_entries[b]];
  const PointF Q = E.m_points[E.m_indices->m_entries[a]];
  for (int32_t g = 0; g < PolygonCount(); ++g) {
    const OutlineContour& polygon = *m_polygons[g];
    if (!polygon.m_indices) continue;
    const std::vector<int32_t>& list = polygon.m_indices->m_entries;
    const int32_t n = static_cast<int32_t>(list.size());
    for (int32_t t = 0; t < n; ++t) {
      const ListEdge edge{polygon.m_points[list[t]], polygon.m_points[list[(t + 1) % n]], g, t, (t + 1) % n};
      if (!Excluded(edge, f, b, e, a) && Blocks(edge.v1, edge.v2, P, Q)) return g;
    }
  }
  return -1;
}

void GlyphOutline::Join(int32_t j, int32_t b, int32_t d, int32_t a) {
  OutlineContour& outer = *m_polygons[j];
  const OutlineContour& hole = *m_polygons[d];
  const int32_t base = outer.PointCount();
  outer.m_points.insert(outer.m_points.end(), hole.m_points.begin(), hole.m_points.end());
  // j[0 .. b], D[a], D[a - 1], ..., D[0], D[n - 1], ..., D[a], j[b], j[b + 1], ...: the hole is
  // walked against its own direction and the bridge is crossed once each way.
  const std::vector<int32_t>& holeList = hole.m_indices->m_entries;
  const int32_t n = static_cast<int32_t>(holeList.size());
  std::vector<int32_t> inserted;
  inserted.reserve(n + 2);
  for (int32_t i = a; i >= 0; --i) inserted.push_back(base + holeList[i]);
  for (int32_t i = n - 1; i >= a; --i) inserted.push_back(base + holeList[i]);
  std::vector<int32_t>& list = outer.m_indices->m_entries;
  inserted.push_back(list[b]);
  list.insert(list.begin() + b + 1, inserted.begin(), inserted.end());
  m_polygons.erase(m_polygons.begin() + d);
}

// One step of hole joining: the first contained polygon of the first outermost polygon that has
// a free bridge is joined. False when nothing could be joined.
bool GlyphOutline::JoinOneHole() {
  const int32_t count = PolygonCount();
  // Whether a bridge is free does not depend on the order the edges are tried in, so the search
  // runs over a flat copy of all edges and tries the edge that blocked last time first: the
  // same edge usually blocks a whole run of neighbouring bridges.
  std::vector<ListEdge> edges;
  size_t lastBlocker = 0;
  auto bridgeIsFree = [&](int32_t j, int32_t b, int32_t d, int32_t a) {
    if (edges.empty()) {
      for (int32_t g = 0; g < count; ++g) {
        const OutlineContour& polygon = *m_polygons[g];
        const std::vector<int32_t>& list = polygon.m_indices->m_entries;
        const int32_t n = static_cast<int32_t>(list.size());
        for (int32_t t = 0; t < n; ++t)
          edges.push_back({polygon.m_points[list[t]], polygon.m_points[list[(t + 1) % n]], g, t, (t + 1) % n});
      }
    }
    const OutlineContour& F = *m_polygons[j];
    const OutlineContour& E = *m_polygons[d];
    const PointF P = F.m_points[F.m_indices->m_entries[b]];
    const PointF Q = E.m_points[E.m_indices->m_entries[a]];
    auto blocks = [&](size_t i) { return !Excluded(edges[i], j, b, d, a) && Blocks(edges[i].v1, edges[i].v2, P, Q); };
    if (lastBlocker < edges.size() && blocks(lastBlocker)) return false;
    for (size_t i = 0; i < edges.size(); ++i) {
      if (blocks(i)) {
        lastBlocker = i;
        return false;
      }
    }
    return true;
  };
  // A polygon cannot contain a point above or below all of its boundary: no edge spans that
  // height and none passes through the point, so Contains is false without counting.
  std::vector<std::pair<float, float>> heights(count);
  for (int32_t g = 0; g < count; ++g) {
    const OutlineContour& polygon = *m_polygons[g];
    float lo = 0.0f, hi = 0.0f;
    bool first = true;
    for (int32_t e : polygon.m_indices->m_entries) {
      const float y = polygon.m_points[e].y;
      if (first || y < lo) lo = y;
      if (first || y > hi) hi = y;
      first = false;
    }
    heights[g] = {lo, hi};
  }
  auto contains = [&](int32_t k, int32_t j) {
    const OutlineContour& inner = *m_polygons[j];
    if (k == j || inner.m_points.empty() || m_polygons[k]->m_indices->m_entries.empty()) return false;
    const float y = inner.m_points[0].y;
    if (y < heights[k].first || y > heights[k].second) return false;
    return Contains(k, j);
  };
  for (int32_t j = 0; j < count; ++j) {
    bool outermost = true;
    for (int32_t k = 0; k < count && outermost; ++k)
      if (contains(k, j)) outermost = false;
    if (!outermost) continue;
    for (int32_t d = 0; d < count; ++d) {
      if (d == j || !contains(j, d)) continue;
      const int32_t outerCount = m_polygons[j]->m_indices->Count();
      const int32_t holeCount = m_polygons[d]->m_indices->Count();
      if (m_shortBridges) {
        // Nearest pairs first: long bridges fence later holes off from every point.
        const OutlineContour& F = *m_polygons[j];
        const OutlineContour& E = *m_polygons[d];
        std::vector<std::pair<float, std::pair<int32_t, int32_t>>> pairs;
        pairs.reserve(static_cast<size_t>(outerCount) * holeCount);
        for (int32_t b = 0; b < outerCount; ++b) {
          const PointF& P = F.m_points[F.m_indices->m_entries[b]];
          for (int32_t a = 0; a < holeCount; ++a) {
            const PointF& Q = E.m_points[E.m_indices->m_entries[a]];
            pairs.push_back({(P.x - Q.x) * (P.x - Q.x) + (P.y - Q.y) * (P.y - Q.y), {b, a}});
          }
        }
        // One of the few nearest pairs is nearly always free: those are ordered first, the rest
        // only when all of them are blocked.
        const auto nearer = [](const auto& l, const auto& r) { return l < r; };
        const size_t head = std::min<size_t>(pairs.size(), 32);
        std::partial_sort(pairs.begin(), pairs.begin() + head, pairs.end(), nearer);
        for (size_t i = 0; i < pairs.size(); ++i) {
          if (i == head) std::sort(pairs.begin() + head, pairs.end(), nearer);
          const auto [b, a] = pairs[i].second;
          if (bridgeIsFree(j, b, d, a)) {
            Join(j, b, d, a);
            return true;
          }
        }
      } else {
        for (int32_t b = 0; b < outerCount; ++b) {
          for (int32_t a = 0; a < holeCount; ++a) {
            if (bridgeIsFree(j, b, d, a)) {
              Join(j, b, d, a);
              return true;
            }
          }
        }
      }
      // Every bridge is blocked: the hole stays a polygon of its own.
    }
  }
  return false;
}

bool GlyphOutline::AddGlyphMesh(CModel& model, float xOffset, int32_t material) {
  PrepareMesh();
  AppendMesh(model, xOffset, material);
  return true;
}

void GlyphOutline::PrepareMesh() {
  PrepareContours();
  JoinHolesAndTriangulate();
}

void GlyphOutline::PrepareContours() {
  // Contours that enclose nothing would be joined as slivers; contours that cross, overlap or
  // touch are first replaced by the separate boundaries of the area the font fills.
  DropRepeatedPoints(m_polygons);
  DropEmptyContours(m_polygons);
  // A contour whose turning disagrees with its area passes through itself at a point (a loop
  // closed on one of its own points, which no edge crossing shows): it is united as well.
  std::vector<char> counterClockwise(m_polygons.size());
  bool loops = false;
  for (size_t i = 0; i < m_polygons.size(); ++i) {
    counterClockwise[i] = m_polygons[i]->IsCounterClockwise();
    if (m_polygons[i]->PointCount() >= 3 && bool(counterClockwise[i]) != (SignedArea(m_polygons[i]->m_points) > 0))
      loops = true;
  }
  m_shortBridges = loops || ContoursNeedUnion(m_polygons);
  if (m_shortBridges) UniteContours(m_polygons);
  // United contours come with spikes whose turning angles float arithmetic gets wrong; their
  // direction is that of their area.
  for (size_t i = 0; i < m_polygons.size(); ++i) {
    OutlineContour& polygon = *m_polygons[i];
    if (polygon.PointCount() >= 3 && !(m_shortBridges ? SignedArea(polygon.m_points) > 0 : bool(counterClockwise[i])))
      polygon.Reverse();
  }
}

void GlyphOutline::TurnHolesClockwise() {
  // Contours are apart, so one that lies inside another lies inside it with every point not on
  // that one's boundary; a point on it (where united contours touch) decides nothing.
  auto encloses = [](const OutlineContour& outer, const OutlineContour& inner) {
    for (const PointF& p : inner.m_points) {
      bool inside = false, onBoundary = false;
      const std::vector<PointF>& ring = outer.m_points;
      for (size_t i = 0, j = ring.size() - 1; i < ring.size() && !onBoundary; j = i++) {
        const PointF& a = ring[i];
        const PointF& b = ring[j];
        const double cross = (double{b.x} - a.x) * (double{p.y} - a.y) - (double{b.y} - a.y) * (double{p.x} - a.x);
        if (cross == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
            p.y <= std::max(a.y, b.y))
          onBoundary = true;
        else if ((a.y > p.y) != (b.y > p.y) && p.x < (double{b.x} - a.x) * (double{p.y} - a.y) / (double{b.y} - a.y) + a.x)
          inside = !inside;
      }
      if (!onBoundary) return inside;
    }
    return false;
  };
  std::vector<char> turn(m_polygons.size(), 0);
  for (size_t j = 0; j < m_polygons.size(); ++j)
    for (size_t k = 0; k < m_polygons.size(); ++k)
      if (k != j && m_polygons[k]->PointCount() >= 3 && encloses(*m_polygons[k], *m_polygons[j])) turn[j] ^= 1;
  for (size_t j = 0; j < m_polygons.size(); ++j)
    if (turn[j]) m_polygons[j]->Reverse();
}

void GlyphOutline::PrepareSeparateContours() {
  for (auto& polygon : m_polygons)
    if (SignedArea(polygon->m_points) < 0) polygon->Reverse();
  m_shortBridges = true;
  JoinHolesAndTriangulate();
}

void GlyphOutline::JoinHolesAndTriangulate() {
  for (auto& polygon : m_polygons) polygon->m_indices = std::make_unique<Indices>(polygon->PointCount());
  while (JoinOneHole()) {
  }
  for (auto& polygon : m_polygons)
    if (polygon->PointCount() >= 2) polygon->Triangulate();
}

void GlyphOutline::AppendMesh(CModel& model, float xOffset, int32_t material) const {
  // Room for this glyph, growing geometrically so that a long text copies its faces rarely.
  size_t points = 0;
  for (const auto& polygon : m_polygons) points += polygon->m_points.size();
  auto makeRoom = [](auto& array, size_t more) {
    if (array.size() + more > array.capacity()) array.reserve(std::max(array.size() + more, 2 * array.capacity()));
  };
  makeRoom(model.m_vertices, points);
  makeRoom(model.m_faces, points);

  std::vector<int32_t> vertexOf;
  for (const auto& polygon : m_polygons) {
    if (polygon->PointCount() < 2) continue;
    vertexOf.resize(polygon->PointCount());
    for (int32_t i = 0; i < polygon->PointCount(); ++i) {
      vertexOf[i] = static_cast<int32_t>(model.m_vertices.size());
      model.m_vertices.push_back({polygon->m_points[i].x + xOffset, polygon->m_points[i].y, 0.0f});
    }
    // Counter-clockwise triangles are stored clockwise: (t0, t2, t1).
    for (const Triangle& triangle : polygon->m_triangles) {
      CFace face;
      face.m_indices = {vertexOf[triangle.a], vertexOf[triangle.c], vertexOf[triangle.b]};
      face.m_material = material;
      model.m_faces.push_back(std::move(face));
    }
  }
}

void GlyphOutline::AppendContours(CModel& model, std::vector<std::vector<int32_t>>& contours) const {
  for (const auto& polygon : m_polygons) {
    if (polygon->PointCount() < 3) continue;
    std::vector<int32_t>& ring = contours.emplace_back();
    ring.reserve(polygon->m_points.size());
    for (const PointF& p : polygon->m_points) {
      ring.push_back(static_cast<int32_t>(model.m_vertices.size()));
      model.m_vertices.push_back({p.x, p.y, 0.0f});
    }
  }
}

}  // namespace qv
