#pragma once
// The triangulation done the plain way, one list copy per step and every corner angle computed
// afresh: the yardstick the ring-based triangulation must match triangle for triangle.
#include <vector>

#include "geometry/outline_contour.h"

namespace qv::testing {

// Triangles of the polygon's index list (0 ... n - 1 without one). With `mended` false the
// intruding point is always the nearest one, as in the plain procedure without the check that
// the splitting diagonal stays inside the polygon.
std::vector<Triangle> TriangulateByLists(const OutlineContour& polygon, bool mended = true);

}  // namespace qv::testing
