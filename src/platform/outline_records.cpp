#include "platform/outline_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {

int32_t CellScale::RoundDiv(int64_t num, int64_t den) {
  // Halves round away from zero, so mirrored outlines give mirrored points.
  uint64_t magnitude = num < 0 ? uint64_t(0) - static_cast<uint64_t>(num) : static_cast<uint64_t>(num);
  uint64_t q = (2 * magnitude + static_cast<uint64_t>(den)) / (2 * static_cast<uint64_t>(den));
  int64_t r = num < 0 ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
  r = std::clamp<int64_t>(r, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(r);
}

int32_t CubicPieceCount(const double p0[2], const double c1[2], const double c2[2], const double p3[2],
                        double tolerance) {
  // A cubic and the quadratic with control (3(c1 + c2) - p0 - p3) / 4 differ by at most
  // sqrt(3)/36 |p3 - 3 c2 + 3 c1 - p0|; splitting into k equal pieces divides that by k^3.
  double dx = p3[0] - 3 * c2[0] + 3 * c1[0] - p0[0];
  double dy = p3[1] - 3 * c2[1] + 3 * c1[1] - p0[1];
  double error = std::sqrt(3.0) / 36.0 * std::hypot(dx, dy);
  if (!(error > tolerance)) return 1;
  double k = std::ceil(std::cbrt(error / tolerance));
  return static_cast<int32_t>(std::min(k, 64.0));
}

namespace {

struct ExactPoint {
  double x, y;
};

class ContourWriter {
 public:
  ContourWriter(const CellScale& scale, NativeOutlineWriter& writer) : scale_(scale), writer_(writer) {}

  FixedPoint Fixed(const SourcePoint& p) const { return {scale_.ToFixed(p.x), scale_.ToFixed(p.y)}; }
  ExactPoint Exact(const SourcePoint& p) const { return {scale_.ToFixedExact(p.x), scale_.ToFixedExact(p.y)}; }

  // seq holds the contour's points after the start point; start is on the curve.
  void Write(FixedPoint startFixed, const std::vector<SourcePoint>& seq) {
    writer_.BeginPolygon(startFixed);
    FixedPoint lastOn = startFixed;
    size_t i = 0;
    const size_t m = seq.size();
    while (i < m) {
      run_.clear();
      if (seq[i].kind == PointKind::kOn) {
        while (i < m && seq[i].kind == PointKind::kOn) {
          run_.push_back(Fixed(seq[i]));
          ++i;
        }
        writer_.AddCurve(kPrimLine, run_.data(), static_cast<uint16_t>(run_.size()));
        lastOn = run_.back();
      } else if (seq[i].kind == PointKind::kCubic && i + 1 < m && seq[i + 1].kind == PointKind::kCubic) {
        bool closes = i + 2 >= m;
        FixedPoint endFixed = closes ? startFixed : Fixed(seq[i + 2]);
        WriteCubic(lastOn, seq[i], seq[i + 1], endFixed);
        lastOn = endFixed;
        i += closes ? 2 : 3;
      } else {
        // Quadratic control points (a lone cubic control point is read as one too), closed by
        // the next on-curve point or, at the end of the contour, by the start point.
        while (i < m && seq[i].kind != PointKind::kOn) run_.push_back(Fixed(seq[i++]));
        run_.push_back(i < m ? Fixed(seq[i++]) : startFixed);
        writer_.AddCurve(kPrimQSpline, run_.data(), static_cast<uint16_t>(run_.size()));
        lastOn = run_.back();
      }
    }
    writer_.EndPolygon();
  }

 private:
  void WriteCubic(FixedPoint p0f, const SourcePoint& c1s, const SourcePoint& c2s, FixedPoint p3f) {
    // The on-curve ends are the rounded points themselves, so pieces join exactly.
    double p0[2] = {static_cast<double>(p0f.x), static_cast<double>(p0f.y)};
    ExactPoint e1 = Exact(c1s), e2 = Exact(c2s);
    double c1[2] = {e1.x, e1.y};
    double c2[2] = {e2.x, e2.y};
    double p3[2] = {static_cast<double>(p3f.x), static_cast<double>(p3f.y)};
    int32_t k = CubicPieceCount(p0, c1, c2, p3);
    auto at = [&](double t, int axis) {
      double s = 1 - t;
      return s * s * s * p0[axis] + 3 * s * s * t * c1[axis] + 3 * s * t * t * c2[axis] + t * t * t * p3[axis];
    };
    auto slope = [&](double t, int axis) {
      double s = 1 - t;
      return 3 * s * s * (c1[axis] - p0[axis]) + 6 * s * t * (c2[axis] - c1[axis]) + 3 * t * t * (p3[axis] - c2[axis]);
    };
    for (int32_t piece = 0; piece < k; ++piece) {
      double t0 = static_cast<double>(piece) / k;
      double t1 = static_cast<double>(piece + 1) / k;
      double h = (t1 - t0) / 3;
      FixedPoint q[2];
      double a[2], b[2], control[2];
      for (int axis = 0; axis < 2; ++axis) {
        a[axis] = piece == 0 ? p0[axis] : at(t0, axis);
        b[axis] = piece + 1 == k ? p3[axis] : at(t1, axis);
        double d1 = a[axis] + h * slope(t0, axis);
        double d2 = b[axis] - h * slope(t1, axis);
        control[axis] = (3 * (d1 + d2) - a[axis] - b[axis]) / 4;
      }
      q[0] = {RoundToFixed(control[0]), RoundToFixed(control[1])};
      q[1] = piece + 1 == k ? p3f : FixedPoint{RoundToFixed(b[0]), RoundToFixed(b[1])};
      writer_.AddCurve(kPrimQSpline, q, 2);
    }
  }

  static int32_t RoundToFixed(double v) {
    v = std::round(v);
    v = std::clamp(v, static_cast<double>(std::numeric_limits<int32_t>::min()),
                   static_cast<double>(std::numeric_limits<int32_t>::max()));
    return static_cast<int32_t>(v);
  }

  const CellScale& scale_;
  NativeOutlineWriter& writer_;
  std::vector<FixedPoint> run_;
};

}  // namespace

void WriteNativeOutline(const std::vector<SourcePoint>& points, const std::vector<int32_t>& contourEnds,
                        const CellScale& scale, std::vector<uint8_t>& out) {
  NativeOutlineWriter writer(out);
  ContourWriter contour(scale, writer);
  std::vector<SourcePoint> seq;
  int32_t first = 0;
  for (int32_t end : contourEnds) {
    int32_t n = end - first + 1;
    if (n < 2 || end >= static_cast<int32_t>(points.size())) {
      first = end + 1;
      continue;
    }
    const SourcePoint* p = points.data() + first;
    seq.clear();
    FixedPoint startFixed;
    if (p[0].kind == PointKind::kOn) {
      startFixed = contour.Fixed(p[0]);
      seq.assign(p + 1, p + n);
    } else if (p[n - 1].kind == PointKind::kOn) {
      startFixed = contour.Fixed(p[n - 1]);
      seq.assign(p, p + n - 1);
    } else {
      // Neither end is on the curve: cubic contours restart at their first on-curve point,
      // quadratic ones at the implied midpoint of the last and first control points.
      int32_t k = 0;
      if (p[0].kind == PointKind::kCubic)
        while (k < n && p[k].kind != PointKind::kOn) ++k;
      if (p[0].kind == PointKind::kCubic && k < n) {
        startFixed = contour.Fixed(p[k]);
        seq.assign(p + k + 1, p + n);
        seq.insert(seq.end(), p, p + k);
      } else {
        startFixed = {scale.MidToFixed(p[n - 1].x, p[0].x), scale.MidToFixed(p[n - 1].y, p[0].y)};
        seq.assign(p, p + n);
      }
    }
    contour.Write(startFixed, seq);
    first = end + 1;
  }
}

}  // namespace qv
