#include "reference_triangulation.h"

#include <algorithm>

#include "geometry/polygon_math.h"

namespace qv::testing {

namespace {

// Entries from..to of `list`, walking forwards and wrapping, both ends included.
std::vector<int32_t> Walk(const std::vector<int32_t>& list, int32_t from, int32_t to) {
  const int32_t n = static_cast<int32_t>(list.size());
  std::vector<int32_t> out;
  for (int32_t i = from;; i = (i + 1) % n) {
    out.push_back(list[i]);
    if (i == to) break;
  }
  return out;
}

bool DiagonalInside(const std::vector<PointF>& points, const std::vector<int32_t>& list, int32_t a, int32_t s) {
  const int32_t n = static_cast<int32_t>(list.size());
  auto at = [&](int32_t i) -> const PointF& { return points[list[((i % n) + n) % n]]; };
  const PointF& b = at(a);
  const PointF& v = at(s);
  if (b == v) return false;
  if (!LocallyInside(at(s - 1), v, at(s + 1), b) || !LocallyInside(at(a - 1), b, at(a + 1), v)) return false;
  for (int32_t t = 0; t < n; ++t)
    if (EdgeBlocksDiagonal(b, v, at(t), at(t + 1))) return false;
  return true;
}

}  // namespace

std::vector<Triangle> TriangulateByLists(const OutlineContour& polygon, bool mended) {
  const std::vector<PointF>& points = polygon.m_points;
  std::vector<int32_t> first;
  if (polygon.m_indices) {
    first = polygon.m_indices->m_entries;
  } else {
    for (int32_t i = 0; i < polygon.PointCount(); ++i) first.push_back(i);
  }
  std::vector<Triangle> triangles;
  if (first.size() < 3) return triangles;
  std::vector<std::vector<int32_t>> stack{first};
  while (!stack.empty()) {
    std::vector<int32_t> L = std::move(stack.back());
    stack.pop_back();
    const int32_t n = static_cast<int32_t>(L.size());
    if (n == 3) {
      triangles.push_back({L[0], L[1], L[2]});
      continue;
    }
    float minimum = kTwoPi;
    int32_t a = 0;
    for (int32_t i = 0; i < n; ++i) {
      float angle = CornerAngle(points, L, i);
      if (angle < minimum) {
        minimum = angle;
        a = i;
      }
    }
    const int32_t i0 = (a - 1 + n) % n, i2 = (a + 1) % n;
    const PointF& A = points[L[i0]];
    const PointF& B = points[L[a]];
    const PointF& C = points[L[i2]];
    struct Candidate {
      float distance;
      int32_t position;
    };
    std::vector<Candidate> candidates;
    for (int32_t s = 0; s < n; ++s) {
      if (L[s] == L[i0] || L[s] == L[a] || L[s] == L[i2]) continue;
      const PointF& V = points[L[s]];
      if (InsideOrOn(A, B, C, V)) candidates.push_back({Length(V.x - B.x, V.y - B.y), s});
    }
    int32_t s = -1;
    if (!candidates.empty()) {
      std::stable_sort(candidates.begin(), candidates.end(),
                       [](const Candidate& l, const Candidate& r) { return l.distance < r.distance; });
      if (!mended) {
        s = candidates.front().position;
      } else {
        for (const Candidate& c : candidates) {
          if (DiagonalInside(points, L, a, c.position)) {
            s = c.position;
            break;
          }
        }
      }
    }
    if (s >= 0) {
      stack.push_back(Walk(L, a, s));
      stack.push_back(Walk(L, s, a));
    } else {
      triangles.push_back({L[i0], L[a], L[i2]});
      stack.push_back(Walk(L, i2, i0));
    }
  }
  return triangles;
}

}  // namespace qv::testing
