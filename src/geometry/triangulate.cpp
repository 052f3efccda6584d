// Cutting a polygon into triangles by its sharpest corner.
//
// The work lists are rings of nodes (point number, neighbours, cached corner angle) rather than
// arrays: cutting an ear relinks two nodes and splitting along a diagonal duplicates its two
// ends, and only the corners whose neighbours changed get their angle recomputed. The order of
// visiting (from each list's first entry) and every comparison are those of the plain list
// procedure, so the triangles come out the same and in the same order.
//
// Most corners have no point inside their triangle. Before the list is searched for one, blocks
// of nodes are ruled out by their bounding boxes: each of the three edge tests is a rounded
// expression that never decreases along one direction of x and of y, so its largest value over a
// box is at one corner, and a block whose best corner fails a test holds no intruding point.
#include <algorithm>

#include "geometry/polygon_math.h"
#include "geometry/outline_contour.h"

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
    int32_t ring; // the list holding the node, -1 once cut off
  };

  void Reserve(size_t nodes) { m_nodes.reserve(nodes); }
  int32_t Add(int32_t point, const PointF& xy) {
    m_nodes.push_back({point, -1, -1, 0.0f, xy, 0});
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
  int32_t id;
};

// Bounding box of a block of nodes.
struct Block {
  float x0, y0, x1, y1;
};
inline constexpr int32_t kBlockSize = 8;

// The largest value of Cross(u, v - p) over the box, for v in the box: v.y at the end that
// u.x favours, v.x at the end that u.y favours (see InsideOrOn for the expression).
float BestCross(float ux, float uy, const PointF& p, const Block& box) {
  const float y = ux >= 0.0f ? box.y1 : box.y0;
  const float x = uy >= 0.0f ? box.x0 : box.x1;
  return Cross(ux, uy, x - p.x, y - p.y);
}

// Whether some point of the box might be inside or on the triangle ABC.
bool MayHoldIntruder(const PointF& a, const PointF& b, const PointF& c, const Block& box) {
  return BestCross(b.x - a.x, b.y - a.y, b, box) >= 0.0f && BestCross(c.x - b.x, c.y - b.y, c, box) >= 0.0f &&
         BestCross(a.x - c.x, a.y - c.y, a, box) >= 0.0f;
}

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

int32_t OutlineContour::Triangulate() {
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
  std::vector<Block> blocks;
  for (int32_t first = 0; first < total; first += kBlockSize) {
    Block box{r.At(first).x, r.At(first).y, r.At(first).x, r.At(first).y};
    for (int32_t i = first + 1; i < std::min(total, first + kBlockSize); ++i) {
      box.x0 = std::min(box.x0, r.At(i).x);
      box.y0 = std::min(box.y0, r.At(i).y);
      box.x1 = std::max(box.x1, r.At(i).x);
      box.y1 = std::max(box.y1, r.At(i).y);
    }
    blocks.push_back(box);
  }
  std::vector<int32_t> copies;  // nodes made by splits, outside the blocks
  int32_t rings = 1;

  m_triangles.reserve(total - 2);
  auto emit = [&](int32_t t0, int32_t t1, int32_t t2) { m_triangles.push_back({t0, t1, t2}); };

  std::vector<Ring> stack{{0, total, 0}};
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
    auto intrudes = [&](int32_t at) {
      const Rings::Node& entry = r[at];
      return InsideOrOn(A, B, C, entry.xy) && entry.point != ea && entry.point != eb && entry.point != ec;
    };
    bool any = false;
    if (n <= 2 * static_cast<int32_t>(blocks.size())) {
      any = true;  // a short list is searched directly
    } else {
      for (size_t k = 0; k < blocks.size() && !any; ++k) {
        if (!MayHoldIntruder(A, B, C, blocks[k])) continue;
        const int32_t end = std::min<int32_t>(total, static_cast<int32_t>(k + 1) * kBlockSize);
        for (int32_t at = static_cast<int32_t>(k) * kBlockSize; at < end && !any; ++at)
          any = r[at].ring == ring.id && intrudes(at);
      }
      for (size_t k = 0; k < copies.size() && !any; ++k) any = r[copies[k]].ring == ring.id && intrudes(copies[k]);
    }
    candidates.clear();
    node = ring.head;
    for (int32_t i = 0; any && i < n; ++i, node = r[node].next) {
      const Rings::Node& entry = r[node];
      const PointF& V = entry.xy;
      if (intrudes(node)) candidates.push_back({Length(V.x - B.x, V.y - B.y), i, node});
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
      copies.push_back(s2);
      copies.push_back(apex2);
      // The smaller of the two lists takes a new id, so relabelling stays cheap overall.
      const int32_t second = n - first + 2;
      const int32_t newId = rings++;
      Ring one{apex, first, ring.id}, two{s2, second, ring.id};
      Ring& relabelled = first < second ? one : two;
      relabelled.id = newId;
      node = relabelled.head;
      for (int32_t i = 0; i < relabelled.count; ++i, node = r[node].next) r[node].ring = newId;
      if (&relabelled == &one) {
        r[s2].ring = ring.id;
        r[apex2].ring = ring.id;
      }
      stack.push_back(one);
      stack.push_back(two);
    } else {
      emit(ea, eb, ec);
      r[apex].ring = -1;
      r.Link(before, after);
      r.UpdateAngle(before);
      r.UpdateAngle(after);
      stack.push_back({after, n - 1, ring.id});
    }
  }
  return static_cast<int32_t>(m_triangles.size());
}

}  // namespace qv
