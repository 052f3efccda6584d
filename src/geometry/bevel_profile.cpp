#include "geometry/bevel_profile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/limits.h"

namespace qv {

bool HasBevel(const BevelParameters& bevel) {
  return std::isfinite(bevel.width) && std::isfinite(bevel.depth) && bevel.width > 0.0f && bevel.depth > 0.0f;
}

BevelParameters ClampBevel(const BevelParameters& bevel, float thickness) {
  BevelParameters clamped = bevel;
  // Written so that NaN fails each comparison.
  if (!(clamped.width >= 0.0f) || !std::isfinite(clamped.width)) clamped.width = 0.0f;
  if (!(clamped.depth >= 0.0f)) clamped.depth = 0.0f;
  if (clamped.depth > thickness / 2.0f) clamped.depth = thickness / 2.0f;
  clamped.segments = std::clamp(clamped.segments, 1, kMaxBevelSegments);
  if (clamped.shape != BevelShape::kRound && clamped.shape != BevelShape::kChamfer) clamped.shape = BevelShape::kRound;
  return clamped;
}

std::vector<BevelStep> BevelProfile(const BevelParameters& bevel) {
  const int32_t n = std::clamp(bevel.segments, 1, kMaxBevelSegments);
  const double w = bevel.width, d = bevel.depth;
  std::vector<BevelStep> steps(static_cast<size_t>(n) + 1);
  for (int32_t k = 1; k < n; ++k) {
    if (bevel.shape == BevelShape::kChamfer) {
      steps[k] = {w * k / n, d * k / n};
    } else {
      const double t = std::numbers::pi / 2 * k / n;
      steps[k] = {w * (1 - std::cos(t)), d * std::sin(t)};
    }
  }
  // The ends exactly: the cap is the outline drawn in by the width, the wall ends at the depth.
  steps[n] = {w, d};
  return steps;
}

int64_t TextFacesPerOutlinePoint(const BevelParameters& bevel) {
  if (!HasBevel(bevel)) return 3;
  return 3 + 4 * static_cast<int64_t>(std::clamp(bevel.segments, 1, kMaxBevelSegments));
}

}  // namespace qv
