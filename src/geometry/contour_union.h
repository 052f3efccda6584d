#pragma once
// Glyph contours as the font means them: filled under the nonzero winding rule. Brush and
// calligraphy fonts draw strokes as overlapping or self-crossing contours, older fonts overlap
// their components, and synthetic bold grows neighbouring strokes into each other. The cap is
// built from simple contours (outer boundaries and holes that neither cross nor overlap), so such
// outlines are first replaced by their union.
#include <memory>
#include <vector>

#include "geometry/outline_contour.h"

namespace qv {

// Removes every point equal to the point before it, and a last point equal to the first. Fonts
// repeat a point now and then; the edge of no length between the two would give the cap a flat
// triangle whose edge is shared by three faces of the solid.
void DropRepeatedPoints(std::vector<std::unique_ptr<OutlineContour>>& polygons);

// Removes contours of fewer than three distinct points and contours whose points all lie on one
// line: they enclose nothing and would only add slivers.
void DropEmptyContours(std::vector<std::unique_ptr<OutlineContour>>& polygons);

// Whether the contours are not already simple and separate: two edges cross, two edges overlap
// along a stretch, a point lies on an edge that is not its own (contours touching, or a contour
// passing through itself), or a contour runs the same way as the contour right around it (the
// region between them is covered twice, not left open).
bool ContoursNeedUnion(const std::vector<std::unique_ptr<OutlineContour>>& polygons);

// Replaces the contours by the boundaries of the area they fill under the nonzero rule: outer
// contours and holes that neither cross nor touch. Points are carried on an integer grid of
// 2^-40 cell units, so every original point comes back as the same float.
void UniteContours(std::vector<std::unique_ptr<OutlineContour>>& polygons);

}  // namespace qv
