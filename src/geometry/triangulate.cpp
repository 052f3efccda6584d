// Cutting a polygon into triangles by its sharpest corner.
//
// The work lists are rings of nodes (point number, neighbours, cached corner angle) rather than
// arrays: cutting an ear relinks two nodes and splitting along a diagonal duplicates its two
// ends, and only the corners whose neighbours changed get their angle recomputed. The order of
// visiting (from each list's first entry) and every comparison are those of the plain list
// procedure, so the triangles come out the same and in the same order.
#include <algorithm>

#include "geometry/polygon_math.h"
#include "geometry/tt_polygon.h"

namespace qv {

namespace {

// All nodes of all work lists; a node is one entry of a list.
class Rings {
 public:
  struct Node {
    int32_t point;  // point number
    int32_t prev, next;
    float angle;  // corner angle at this entry of its list
    PointF xy;    // the point, kept next to the links for the scans
  };

  void Reserve(size_t nodes) { m_nodes.reserve(nodes); }
  int32_t Add(int32_t point, const PointF& xy) {
    m_nodes.push_back({point, -1, -1, 0.0f, xy});
    return static_cast<int32_t>(m_nodes.size()) - 1;
  }
  void Link(int32_t from, int32_t to) {
    m_nodes[from].next = to;
    m_nodes[to].prev = from;
  }
  void UpdateAngle(int32_t node) {
    Node& n = m_nodes[node];
    n.angle = CornerAngleOf(m_nodes[n.prev].xy, n.xy, m_nodes[n.next].xy);
  }
  const PointF& At(int32_t node) const { return m_nodes[node].xy; }
  Node& operator[](int32_t node) { return m_nodes[node]; }
  const Node& operator[](int32_t node) const { return m_nodes[node]; }

 private:
  std::vector<Node> m_nodes;
};

struct Ring {
  int32_t head;
  int32_t count;
};

struct Candidate {
  float distance;
  int32_t position;
  int32_t node;
};

// Whether the diagonal from node a to node s stays inside their ring of n nodes: it has a length,
// leaves both corners into the inside and crosses no edge (touching at its own ends is allowed).
bool DiagonalInside(const Rings& r, int32_t head, int32_t n, int32_t a, int32_t s) {
  const PointF& b = r.At(a);
  const PointF& v = r.At(s);
  // Two distinct points at one place (contours that touch) are no diagonal: splitting there
  // would cut a hole that touches its outer contour off as a part of its own.
  if (b == v) return false;
  if (!LocallyInside(r.At(r[s].prev), v, r.At(r[s].next), b) || !LocallyInside(r.At(r[a].prev), b, r.At(r[a].next), v))
    return false;
  int32_t node = head;
  for (int32_t t = 0; t < n; ++t, node = r[node].next)
    if (EdgeBlocksDiagonal(b, v, r.At(node), r.At(r[node].next))) return false;
  return true;
}

}  // namespace

int32_t TTPolygon::Triangulate() {
  m_triangles.clear();
  if (!m_indices) m_indices = std::make_unique<Indices>(PointCount());
  const std::vector<int32_t>& entries = m_indices->m_entries;
  const int32_t total = static_cast<int32_t>(entries.size());
  if (total < 3) return 0;

  Rings r;
  // Every split adds two nodes; there are at most total - 3 of them.
  r.Reserve(3 * static_cast<size_t>(total));
  for (int32_t i = 0; i < total; ++i) r.Add(entries[i], m_points[entries[i]]);
  for (int32_t i = 0; i < total; ++i) r.Link(i, (i + 1) % total);
  for (int32_t i = 0; i < total; ++i) r.UpdateAngle(i);

  m_triangles.reserve(total - 2);
  auto emit = [&](int32_t t0, int32_t t1, int32_t t2) { m_triangles.push_back({t0, t1, t2}); };

  std::vector<Ring> stack{{0, total}};
  std::vector<Candidate> candidates;
  while (!stack.empty()) {
    const Ring ring = stack.back();
    stack.pop_back();
    const int32_t n = ring.count;
    if (n == 3) {
      const int32_t second = r[ring.head].next;
      emit(r[ring.head].point, r[second].point, r[r[second].next].point);
      continue;
    }
    // The sharpest corner; the first of equal angles wins and NaN never does.
    float minimum = kTwoPi;
    int32_t apex = ring.head, apexPosition = 0;
    int32_t node = ring.head;
    for (int32_t i = 0; i < n; ++i, node = r[node].next) {
      if (r[node].angle < minimum) {
        minimum = r[node].angle;
        apex = node;
        apexPosition = i;
      }
    }
    const int32_t before = r[apex].prev, after = r[apex].next;
    const int32_t ea = r[before].point, eb = r[apex].point, ec = r[after].point;
    const PointF A = r.At(before), B = r.At(apex), C = r.At(after);

    // Points inside or on the candidate triangle (by point number, so the ends of a bridge do
    // not count as intruders of a triangle at the other end).
    candidates.clear();
    node = ring.head;
    for (int32_t i = 0; i < n; ++i, node = r[node].next) {
      const Rings::Node& entry = r[node];
      const PointF& V = entry.xy;
      if (InsideOrOn(A, B, C, V) && entry.point != ea && entry.point != eb && entry.point != ec)
        candidates.push_back({Length(V.x - B.x, V.y - B.y), i, node});
    }
    // The nearest intruding point whose diagonal stays inside; ties go to the earlier position.
    // When no intruder can be reached inside the polygon, they are artefacts of touching
    // contours or rounding, and the corner is cut off as an ear.
    const Candidate* split = nullptr;
    if (!candidates.empty()) {
      std::stable_sort(candidates.begin(), candidates.end(),
                       [](const Candidate& l, const Candidate& c) { return l.distance < c.distance; });
      for (const Candidate& c : candidates) {
        if (DiagonalInside(r, ring.head, n, apex, c.node)) {
          split = &c;
          break;
        }
      }
    }
    if (split) {
      // Split into apex ... s (these nodes) and s ... apex (copies of both ends).
      const int32_t s = split->node;
      const int32_t first = (split->position - apexPosition + n) % n + 1;
      const int32_t apexBefore = before, sAfter = r[s].next;
      const int32_t s2 = r.Add(r[s].point, r.At(s));
      const int32_t apex2 = r.Add(r[apex].point, r.At(apex));
      r.Link(s, apex);
      r.Link(s2, sAfter);
      r.Link(apexBefore, apex2);
      r.Link(apex2, s2);
      r.UpdateAngle(apex);
      r.UpdateAngle(s);
      r.UpdateAngle(apex2);
      r.UpdateAngle(s2);
      stack.push_back({apex, first});
      stack.push_back({s2, n - first + 2});
    } else {
      emit(ea, eb, ec);
      r.Link(before, after);
      r.UpdateAngle(before);
      r.UpdateAngle(after);
      stack.push_back({after, n - 1});
    }
  }
  return static_cast<int32_t>(m_triangles.size());
}

}  // namespace qv
