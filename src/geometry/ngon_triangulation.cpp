#include "geometry/ngon_triangulation.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

std::vector<std::array<int32_t, 3>> Fan(int32_t count) {
  std::vector<std::array<int32_t, 3>> out;
  for (int32_t k = 1; k + 1 < count; ++k) out.push_back({0, k, k + 1});
  return out;
}

}  // namespace

std::vector<std::array<int32_t, 3>> TriangulatePolygon(const std::vector<CVector>& corners) {
  const int32_t n = static_cast<int32_t>(corners.size());
  if (n < 3) return {};
  if (n == 3) return {{0, 1, 2}};

  // Newell's normal: robust for polygons that are not quite planar or have collinear corners.
  double nx = 0, ny = 0, nz = 0;
  for (int32_t i = 0; i < n; ++i) {
    const CVector& a = corners[static_cast<size_t>(i)];
    const CVector& b = corners[static_cast<size_t>((i + 1) % n)];
    nx += (double{a.y} - b.y) * (double{a.z} + b.z);
    ny += (double{a.z} - b.z) * (double{a.x} + b.x);
    nz += (double{a.x} - b.x) * (double{a.y} + b.y);
  }
  if (!std::isfinite(nx) || !std::isfinite(ny) || !std::isfinite(nz)) return Fan(n);

  // Drop the normal's largest axis; the remaining pair, in cyclic order, sees the polygon with a
  // signed area of the normal component's sign. Mirror the first coordinate to make it positive
  // (counter-clockwise).
  const double ax = std::fabs(nx), ay = std::fabs(ny), az = std::fabs(nz);
  int axis;
  double sign;
  if (az >= ax && az >= ay) {
    axis = 2;
    sign = nz;
  } else if (ax >= ay) {
    axis = 0;
    sign = nx;
  } else {
    axis = 1;
    sign = ny;
  }
  if (sign == 0) return Fan(n);  // no area at all
  std::vector<double> u(static_cast<size_t>(n)), v(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    const CVector& c = corners[static_cast<size_t>(i)];
    const double p[3] = {c.x, c.y, c.z};
    u[static_cast<size_t>(i)] = p[(axis + 1) % 3] * (sign < 0 ? -1.0 : 1.0);
    v[static_cast<size_t>(i)] = p[(axis + 2) % 3];
  }

  auto cross = [&](int32_t a, int32_t b, int32_t c) {
    return (u[b] - u[a]) * (v[c] - v[a]) - (v[b] - v[a]) * (u[c] - u[a]);
  };
  auto samePlace = [&](int32_t a, int32_t b) { return u[a] == u[b] && v[a] == v[b]; };

  std::vector<int32_t> next(static_cast<size_t>(n)), prev(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    next[static_cast<size_t>(i)] = (i + 1) % n;
    prev[static_cast<size_t>(i)] = (i + n - 1) % n;
  }

  // Ear clipping takes about n² / 2 steps for real outlines but nearly n³ for tangled ones. A
  // work budget (quadratic up to 256 corners, linear beyond; enough for real outlines of up to
  // a thousand corners) keeps hostile files from stalling the import: when it runs out, the
  // rest is cut as a fan.
  const int64_t n64 = n;
  int64_t budget = 2 * std::min(n64 * n64, 256 * n64);

  // An ear: a convex corner whose triangle holds no other remaining corner (on its edges
  // included; corners at the very same place as one of its own corners do not count).
  auto isEar = [&](int32_t p, int32_t i, int32_t q) {
    if (!(cross(p, i, q) > 0)) return false;
    for (int32_t j = next[static_cast<size_t>(q)]; j != p; j = next[static_cast<size_t>(j)]) {
      --budget;
      if (samePlace(j, p) || samePlace(j, i) || samePlace(j, q)) continue;
      if (cross(p, i, j) >= 0 && cross(i, q, j) >= 0 && cross(q, p, j) >= 0) return false;
    }
    return true;
  };

  std::vector<std::array<int32_t, 3>> out;
  out.reserve(static_cast<size_t>(n - 2));
  int32_t remaining = n;
  int32_t i = 0;
  int32_t sinceClip = 0;
  // 0: true ears only; 1: any convex corner (a lap found no ear: self-touching outline);
  // 2: any corner (nothing is convex: collinear or non-finite). Every clip returns to 0.
  int mode = 0;
  while (remaining > 3 && budget > 0) {
    --budget;
    const int32_t p = prev[static_cast<size_t>(i)];
    const int32_t q = next[static_cast<size_t>(i)];
    const bool clip = mode == 0 ? isEar(p, i, q) : mode == 1 ? cross(p, i, q) > 0 : true;
    if (clip) {
      out.push_back({p, i, q});
      next[static_cast<size_t>(p)] = q;
      prev[static_cast<size_t>(q)] = p;
      --remaining;
      i = q;
      sinceClip = 0;
      mode = 0;
    } else {
      i = q;
      if (++sinceClip >= remaining) {
        ++mode;
        sinceClip = 0;
      }
    }
  }
  // The last triangle, or the fan of what the budget left.
  const int32_t apex = prev[static_cast<size_t>(i)];
  for (int32_t j = i; next[static_cast<size_t>(j)] != apex; j = next[static_cast<size_t>(j)]) {
    out.push_back({apex, j, next[static_cast<size_t>(j)]});
  }
  return out;
}

}  // namespace qv
