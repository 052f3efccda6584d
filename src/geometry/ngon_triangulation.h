#pragma once
// Cutting a polygon face of more than four corners into triangles.
#include <array>
#include <cstdint>
#include <vector>

#include "scene/vector.h"

namespace qv {

// Triangulates a polygon (corners in winding order, usually not quite planar) in its own plane:
// the corners are projected onto the plane most parallel to the polygon and cut by ear
// clipping. Each triangle lists three corner numbers (0 .. corners.size() - 1) in the polygon's
// own winding, so the triangles face the way the polygon did. Always gives corners.size() - 2
// triangles, also for self-intersecting, collinear or non-finite input (degenerate parts are cut
// as a fan). Fewer than three corners give none.
std::vector<std::array<int32_t, 3>> TriangulatePolygon(const std::vector<CVector>& corners);

}  // namespace qv
