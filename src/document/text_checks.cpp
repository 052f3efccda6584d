#include "document/text_checks.h"

#include <cmath>

namespace qv {

std::string_view CheckBevel(const TextParameters& parameters) {
  const BevelParameters& bevel = parameters.bevel;
  // Written so that NaN fails each comparison.
  if (!(bevel.width >= 0.0f)) return kBevelWidthNegativeMessage;
  if (!(bevel.depth >= 0.0f)) return kBevelDepthNegativeMessage;
  // CreateTextModel makes a slab of at least 1 unit.
  const float given = parameters.thickness;
  const float thickness = std::isfinite(given) && given >= 1.0f ? given : 1.0f;
  if (!(bevel.depth <= thickness / 2.0f)) return kBevelDepthTooDeepMessage;
  if (bevel.segments < 1 || bevel.segments > kMaxBevelSegments) return kBevelSegmentsMessage;
  return {};
}

}  // namespace qv
