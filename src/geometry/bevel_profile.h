#pragma once
// The cross-section of a bevel: how far inside the outline, and how high above the end of the
// side wall, each step of the cut lies.
#include <cstdint>
#include <vector>

#include "geometry/text_model.h"

namespace qv {

struct BevelStep {
  double inset = 0;  // distance inside the outline, model units
  double rise = 0;   // height above the end of the side wall, towards the cap
};

// Whether the bevel cuts anything away: a width and a depth above 0.
bool HasBevel(const BevelParameters& bevel);

// The bevel a text is made with: a width or depth that is negative or not a number becomes 0, a
// depth beyond half the thickness becomes half of it, segments are held to 1 ... kMaxBevelSegments.
BevelParameters ClampBevel(const BevelParameters& bevel, float thickness);

// Steps 0 ... segments: step 0 is the end of the wall (no inset, no rise), the last the edge of
// the cap (inset = width, rise = depth). Round: a quarter circle, inset W (1 - cos t) at rise
// D sin t for t in equal steps to 90 degrees; chamfer: a straight line in equal steps. One
// segment is a straight chamfer whatever the shape.
std::vector<BevelStep> BevelProfile(const BevelParameters& bevel);

// Faces a text makes per outline point, for the estimate that refuses too large a text before
// it is made: cap, back and wall (3), and with a bevel each profile band on the front and on the
// back (two triangles a point of each of its two rings).
int64_t TextFacesPerOutlinePoint(const BevelParameters& bevel);

}  // namespace qv
