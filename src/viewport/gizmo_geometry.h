#pragma once
// Fixed line-vertex geometry of the viewport: the ground grid with its axes and the three
// transform handles (move arrows, rotate rings, scale cubes), plus the triangles that picking
// tests against the same shapes.
#include <array>
#include <cstdint>
#include <vector>

#include "scene/model.h"
#include "scene/vector.h"

namespace qv {

inline constexpr uint32_t kHandleRed = 0xFFFF0000;
inline constexpr uint32_t kHandleGreen = 0xFF00FF00;
inline constexpr uint32_t kHandleBlue = 0xFF0000FF;
inline constexpr uint32_t kHandleYellow = 0xFFFFFF00;
inline constexpr uint32_t kHandleGrey = 0xFF646464;
inline constexpr uint32_t kGridGrey = 0xFF5B695B;

using LineVertices = std::vector<OutlineVertex>;
using Triangle = std::array<CVector, 3>;

// 45 lines (90 vertices): the red, green and blue positive axes (length 600), the two grey
// negative half-axes on the ground, then the grid lines x = h and z = l for h, l = -500 … 500
// in steps of 50 without 0.
LineVertices GridVertices();
// 78 vertices: X, Y, Z arrowheads (4 triangles each), the yellow centre cube (12 triangles),
// then 3 grey lines from the origin to 80 along each axis.
LineVertices MoveHandleVertices();
// 146 vertices: the ring of axis 0, 1 or 2 (48 triangles) in its colour, then one grey line from
// the origin to 93 along the axis.
LineVertices RingVertices(int axis);
// 36 vertices: the yellow centre cube.
LineVertices CentreCubeVertices();
// 150 vertices: X, Y, Z axis cubes and the centre cube (12 triangles each), then 3 grey lines.
LineVertices ScaleHandleVertices();

// Picking shapes, in the handles' local space.
std::vector<Triangle> ArrowheadTriangles(int axis);  // 4
std::vector<Triangle> RingTriangles(int axis);       // 48
std::vector<Triangle> AxisCubeTriangles(int axis);   // 12
std::vector<Triangle> CentreCubeTriangles();         // 12

}  // namespace qv
