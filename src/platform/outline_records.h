#pragma once
// Turns a font library's glyph outline (contours of on-curve points, quadratic and cubic control
// points, in font units) into native outline records (native_outline.h) scaled to a cell height
// of 2048.
#include <cstdint>
#include <vector>

#include "platform/native_outline.h"

namespace qv {

enum class PointKind : uint8_t { kOn, kConic, kCubic };

// A point in 1/64 font units (26.6), which leaves room for sub-unit results of emboldening.
struct SourcePoint {
  int64_t x = 0;
  int64_t y = 0;
  PointKind kind = PointKind::kOn;
};

// Font units to the 2048 cell: value × 2048 / cellUnits as a 16.16 number, rounded to the nearest
// integer (halves away from zero) in 64-bit integer arithmetic, so the result does not depend on
// any floating-point scaling.
class CellScale {
 public:
  explicit CellScale(int64_t cellUnits) : cellUnits_(cellUnits > 0 ? cellUnits : 1) {}
  // From 26.6 font units.
  int32_t ToFixed(int64_t v64) const { return RoundDiv(v64 * (int64_t{1} << 21), cellUnits_); }
  // The exact midpoint of two 26.6 values, rounded once.
  int32_t MidToFixed(int64_t a64, int64_t b64) const {
    return RoundDiv((a64 + b64) * (int64_t{1} << 20), cellUnits_);
  }
  // Unrounded, for curve conversion.
  double ToFixedExact(int64_t v64) const {
    return static_cast<double>(v64) * static_cast<double>(int64_t{1} << 21) / static_cast<double>(cellUnits_);
  }
  // Whole font units to whole cell units (A, B, C widths).
  int32_t UnitsToCell(int64_t units) const { return RoundDiv(units * 2048, cellUnits_); }
  int64_t CellUnits() const { return cellUnits_; }

  static int32_t RoundDiv(int64_t num, int64_t den);

 private:
  int64_t cellUnits_;
};

// Largest distance, in 16.16 cell units, between a cubic curve and the quadratic pieces that
// replace it: half a unit of the 2048 cell.
inline constexpr double kCubicTolerance = 0.5 * 65536.0;

// Appends one polygon record per contour (contours of a single point are left out). A contour
// that starts on a control point is started where the native format starts it: at its last
// point when that is on the curve, otherwise at the midpoint of its last and first points.
// Runs of on-curve points become line records, runs of quadratic control points one spline
// record ending at the next on-curve point (the start point for a run that ends the contour),
// and each cubic segment becomes one two-point spline record per quadratic piece.
void WriteNativeOutline(const std::vector<SourcePoint>& points, const std::vector<int32_t>& contourEnds,
                        const CellScale& scale, std::vector<uint8_t>& out);

// Number of quadratic pieces that follow the cubic p0 c1 c2 p3 (16.16 values) within the tolerance.
int32_t CubicPieceCount(const double p0[2], const double c1[2], const double c2[2], const double p3[2],
                        double tolerance = kCubicTolerance);

}  // namespace qv
