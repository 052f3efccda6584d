#pragma once
// A text's slab with bevelled edges. The outline is drawn in step by step along the bevel's
// profile (polygon offsets of the united outline); each band between two successive offsets is
// triangulated flat, holes and all, and lifted to its two steps' heights. Over the glyph's plane
// that is a height field, which cannot pass through itself however the drawn-in outline splits
// or vanishes where strokes are thinner than twice the width.
#include <cstdint>
#include <vector>

#include "geometry/text_model.h"

namespace qv {

struct CModel;

// Makes the closed solid, from z = -thickness to 0, of an outline given as points and rings:
// `model` holds the outline's points (at z = 0) and no faces, and each of `contours` is a closed
// ring of their numbers with the outline's area on its left (outer boundaries counter-clockwise
// seen with x right and y up, holes clockwise). At z = -depth ... -(thickness - depth) the section
// is the outline (overlapping parts united) with side walls; towards each face the outline is
// drawn in along the profile until the front and the back are the outline drawn in by the width.
// The walls vanish when twice the depth is the thickness. Every face gets `material`; the
// vertices are replaced. Expects a bevel that HasBevel, held to its ranges by ClampBevel. A part
// of the text whose bands cannot be triangulated cleanly is left a flat slab, so the solid stays
// closed.
void ExtrudeBevelledContours(CModel& model, const std::vector<std::vector<int32_t>>& contours, float thickness,
                             const BevelParameters& bevel, int32_t material);

}  // namespace qv
