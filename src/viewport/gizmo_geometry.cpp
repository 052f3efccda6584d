#include "viewport/gizmo_geometry.h"

#include <cmath>

namespace qv {

namespace {

constexpr uint32_t kAxisColors[3] = {kHandleRed, kHandleGreen, kHandleBlue};

OutlineVertex LineVertex(const CVector& p, uint32_t color) { return {p.x, p.y, p.z, 0, 0, 1, color}; }

void AddLine(LineVertices& out, const CVector& a, const CVector& b, uint32_t color) {
  out.push_back(LineVertex(a, color));
  out.push_back(LineVertex(b, color));
}

void AddTriangles(LineVertices& out, const std::vector<Triangle>& triangles, uint32_t color) {
  for (const Triangle& t : triangles)
    for (const CVector& p : t) out.push_back(LineVertex(p, color));
}

using Corners = std::array<CVector, 8>;

constexpr int kCubeTriangles[12][3] = {{1, 3, 2}, {1, 2, 0}, {3, 5, 4}, {3, 4, 2}, {5, 7, 6}, {5, 6, 4},
                                       {7, 1, 0}, {7, 0, 6}, {7, 5, 3}, {7, 3, 1}, {0, 2, 4}, {0, 4, 6}};

std::vector<Triangle> CubeTriangles(const Corners& c) {
  std::vector<Triangle> triangles;
  for (const auto& t : kCubeTriangles) triangles.push_back({c[t[0]], c[t[1]], c[t[2]]});
  return triangles;
}

const Corners kCentreCube = {{{-5, 5, -5}, {5, 5, -5}, {-5, 5, 5}, {5, 5, 5},
                              {-5, -5, 5}, {5, -5, 5}, {-5, -5, -5}, {5, -5, -5}}};
const Corners kAxisCubes[3] = {
    {{{80, -5, 5}, {80, 5, 5}, {90, -5, 5}, {90, 5, 5}, {90, -5, -5}, {90, 5, -5}, {80, -5, -5}, {80, 5, -5}}},
    {{{-5, 80, 5}, {5, 80, 5}, {-5, 90, 5}, {5, 90, 5}, {-5, 90, -5}, {5, 90, -5}, {-5, 80, -5}, {5, 80, -5}}},
    {{{-5, 5, 80}, {5, 5, 80}, {-5, 5, 90}, {5, 5, 90}, {-5, -5, 90}, {5, -5, 90}, {-5, -5, 80}, {5, -5, 80}}},
};

// Tip, then the three base corners.
const std::array<CVector, 4> kArrowheads[3] = {
    {{{100, 0, 0}, {80, 0, 10}, {80, -8, -5}, {80, 8, -5}}},
    {{{0, 100, 0}, {0, 80, 10}, {-8, 80, -5}, {8, 80, -5}}},
    {{{0, 0, 100}, {0, 10, 80}, {-8, -5, 80}, {8, -5, 80}}},
};

const CVector kAxisEnds80[3] = {{80, 0, 0}, {0, 80, 0}, {0, 0, 80}};

// Station k of a ring: inner point at radius 80, outer points at radius 87.5 and ±3 along the
// axis. Each ring starts where its table entry says and turns by 45° per station.
std::array<CVector, 3> RingStation(int axis, int k) {
  const double angle = k * (3.14159265358979323846 / 4);
  const float c = static_cast<float>(std::cos(angle)), s = static_cast<float>(std::sin(angle));
  auto at = [&](float radius, float along) -> CVector {
    switch (axis) {
      case 0: return {along, -radius * c, radius * s};  // y-z plane from (0,-80,0) towards +z
      case 1: return {radius * c, along, radius * s};   // x-z plane from (80,0,0) towards +z
      default: return {-radius * s, -radius * c, along};  // x-y plane from (0,-80,0) towards -x
    }
  };
  return {at(80, 0), at(87.5f, 3), at(87.5f, -3)};
}

}  // namespace

std::vector<Triangle> ArrowheadTriangles(int axis) {
  const auto& p = kArrowheads[axis];
  return {{p[0], p[2], p[1]}, {p[0], p[1], p[3]}, {p[0], p[3], p[2]}, {p[1], p[2], p[3]}};
}

std::vector<Triangle> RingTriangles(int axis) {
  std::vector<CVector> v;
  for (int k = 0; k < 8; ++k)
    for (const CVector& p : RingStation(axis, k)) v.push_back(p);
  std::vector<Triangle> triangles;
  for (int k = 0; k < 8; ++k) {
    const int a = 3 * k, b = 3 * ((k + 1) % 8);
    const int order[6][3] = {{a + 1, b + 1, b}, {a + 1, b, a},         {a + 2, b + 2, b + 1},
                             {a + 2, b + 1, a + 1}, {a, b, b + 2}, {a, b + 2, a + 2}};
    for (const auto& t : order) triangles.push_back({v[t[0]], v[t[1]], v[t[2]]});
  }
  return triangles;
}

std::vector<Triangle> AxisCubeTriangles(int axis) { return CubeTriangles(kAxisCubes[axis]); }
std::vector<Triangle> CentreCubeTriangles() { return CubeTriangles(kCentreCube); }

LineVertices GridVertices() {
  LineVertices v;
  v.reserve(90);
  AddLine(v, {0, 0, 0}, {600, 0, 0}, kHandleRed);
  AddLine(v, {0, 0, 0}, {0, 600, 0}, kHandleGreen);
  AddLine(v, {0, 0, 0}, {0, 0, 600}, kHandleBlue);
  AddLine(v, {-500, 0, 0}, {0, 0, 0}, kGridGrey);
  AddLine(v, {0, 0, -500}, {0, 0, 0}, kGridGrey);
  for (int h = -500; h <= 500; h += 50)
    if (h != 0) AddLine(v, {float(h), 0, -500}, {float(h), 0, 500}, kGridGrey);
  for (int l = -500; l <= 500; l += 50)
    if (l != 0) AddLine(v, {-500, 0, float(l)}, {500, 0, float(l)}, kGridGrey);
  return v;
}

LineVertices MoveHandleVertices() {
  LineVertices v;
  for (int axis = 0; axis < 3; ++axis) AddTriangles(v, ArrowheadTriangles(axis), kAxisColors[axis]);
  AddTriangles(v, CentreCubeTriangles(), kHandleYellow);
  for (const CVector& end : kAxisEnds80) AddLine(v, {0, 0, 0}, end, kHandleGrey);
  return v;
}

LineVertices RingVertices(int axis) {
  LineVertices v;
  AddTriangles(v, RingTriangles(axis), kAxisColors[axis]);
  CVector end{0, 0, 0};
  (axis == 0 ? end.x : axis == 1 ? end.y : end.z) = 93;
  AddLine(v, {0, 0, 0}, end, kHandleGrey);
  return v;
}

LineVertices CentreCubeVertices() {
  LineVertices v;
  AddTriangles(v, CentreCubeTriangles(), kHandleYellow);
  return v;
}

LineVertices ScaleHandleVertices() {
  LineVertices v;
  for (int axis = 0; axis < 3; ++axis) AddTriangles(v, AxisCubeTriangles(axis), kAxisColors[axis]);
  AddTriangles(v, CentreCubeTriangles(), kHandleYellow);
  for (const CVector& end : kAxisEnds80) AddLine(v, {0, 0, 0}, end, kHandleGrey);
  return v;
}

}  // namespace qv
