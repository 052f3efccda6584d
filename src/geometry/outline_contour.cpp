#include "geometry/outline_contour.h"

#include <algorithm>
#include <cmath>

#include "geometry/polygon_math.h"

namespace qv {

Indices::Indices(int32_t n) {
  m_entries.resize(n > 0 ? n : 0);
  for (int32_t i = 0; i < n; ++i) m_entries[i] = i;
}

float CornerAngle(const std::vector<PointF>& points, const std::vector<int32_t>& list, int32_t i) {
  const int32_t n = static_cast<int32_t>(list.size());
  return CornerAngleOf(points[list[(i - 1 + n) % n]], points[list[i]], points[list[(i + 1) % n]]);
}

bool OutlineContour::IsCounterClockwise() const {
  const int32_t n = PointCount();
  if (n < 3) return false;
  // Signed sum of the turning angles: +2π for a counter-clockwise contour.
  float sum = 0.0f;
  for (int32_t i = 0; i < n; ++i) {
    const PointF& p0 = m_points[i];
    const PointF& p1 = m_points[(i + 1) % n];
    const PointF& p2 = m_points[(i + 2) % n];
    float d1x = p1.x - p0.x, d1y = p1.y - p0.y;
    float d2x = p2.x - p1.x, d2y = p2.y - p1.y;
    float l1 = Length(d1x, d1y), l2 = Length(d2x, d2y);
    if (!(l1 > 0.0f) || !(l2 > 0.0f)) continue;
    float c = (d2x * d1x + d2y * d1y) / (l2 * l1);
    // Not clamped at -1: a cosine rounding below it makes the sum NaN and the result false.
    float a = c < 1.0f ? Acos(c) : 0.0f;
    if (d2y * d1x - d2x * d1y > 0.0f)
      sum += a;
    else
      sum -= a;
  }
  return sum > 0.0f;
}

void OutlineContour::Reverse() { std::reverse(m_points.begin(), m_points.end()); }

}  // namespace qv
