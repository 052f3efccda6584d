#pragma once
// A text's slab with bevelled edges. The outline is drawn in step by step along the bevel's
// profile (polygon offsets of the united outline); each band between two successive offsets is
// triangulated flat, holes and all, and lifted to its two steps' heights. Over the glyph's plane
// that is a height field, which cannot pass through itself however the drawn-in outline splits
// or vanishes where strokes are thinner than twice the width.
#include <cstdint>

#include "geometry/text_model.h"

namespace qv {

struct CModel;

// Turns the flat cap (z = 0, triangles wound clockwise seen with x right and y up, the only
// faces of `model`) into a closed solid from z = -thickness to 0 whose edges are bevelled: at
// z = -depth ... -(thickness - depth) the section is the cap's outline (overlapping parts united)
// with side walls of `material`; towards each face the outline is drawn in along the profile
// until the cap and the back are the outline drawn in by the width. The walls vanish when twice
// the depth is the thickness. Every face gets `material`; the vertices are replaced. Expects a
// bevel that HasBevel, held to its ranges by ClampBevel. A part of the text whose bands cannot be
// triangulated cleanly is left a flat slab, so the solid stays closed.
void ExtrudeBevelledCap(CModel& model, float thickness, const BevelParameters& bevel, int32_t material);

}  // namespace qv
