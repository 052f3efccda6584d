// Native outline records made from font-library contours: cell scaling, start points, record
// grouping, cubic curves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/outline_records.h"
#include "platform/platform_font.h"

namespace qv {
namespace {

struct Record {
  uint16_t type;
  std::vector<FixedPoint> points;
};
struct PolygonRecord {
  FixedPoint start;
  std::vector<Record> curves;
};

// Parses a buffer back into polygons and curve records (and checks the sizes add up).
std::vector<PolygonRecord> Parse(const std::vector<uint8_t>& buffer) {
  std::vector<PolygonRecord> out;
  size_t offset = 0;
  while (offset < buffer.size()) {
    uint32_t cb, type;
    std::memcpy(&cb, &buffer[offset], 4);
    std::memcpy(&type, &buffer[offset + 4], 4);
    EXPECT_EQ(type, kPolygonType);
    PolygonRecord polygon;
    std::memcpy(&polygon.start, &buffer[offset + 8], 8);
    size_t at = offset + kPolygonHeaderSize;
    while (at < offset + cb) {
      Record r;
      uint16_t count;
      std::memcpy(&r.type, &buffer[at], 2);
      std::memcpy(&count, &buffer[at + 2], 2);
      r.points.resize(count);
      std::memcpy(r.points.data(), &buffer[at + 4], 8 * count);
      polygon.curves.push_back(r);
      at += 4 + 8 * count;
    }
    EXPECT_EQ(at, offset + cb);
    out.push_back(polygon);
    offset += cb;
  }
  return out;
}

// Font units (whole) to 26.6.
SourcePoint On(int x, int y) { return {int64_t{x} * 64, int64_t{y} * 64, PointKind::kOn}; }
SourcePoint Conic(int x, int y) { return {int64_t{x} * 64, int64_t{y} * 64, PointKind::kConic}; }
SourcePoint Cubic(int x, int y) { return {int64_t{x} * 64, int64_t{y} * 64, PointKind::kCubic}; }

// With a cell of 2048 units, font units map to 16.16 cell units one to one.
constexpr int64_t kUnitCell = 2048;
FixedPoint F(int x, int y) { return {x * 65536, y * 65536}; }

TEST(CellScale, RoundsInIntegerArithmeticHalvesAwayFromZero) {
  struct Case {
    int64_t units, cell;
    int32_t fixed;
  } cases[] = {
      {1, 2048, 65536},
      {-1, 2048, -65536},
      {1000, 2384, 56299383},   // 1000 * 2048 * 65536 / 2384 = 56299382.55
      {-1000, 2384, -56299383},
      {1, 3, 44739243},         // 44739242.67
      {3, 2, 201326592},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CellScale(c.cell).ToFixed(c.units * 64), c.fixed) << c.units << "/" << c.cell;
  }
  // Exact halves round away from zero.
  EXPECT_EQ(CellScale::RoundDiv(5, 2), 3);
  EXPECT_EQ(CellScale::RoundDiv(-5, 2), -3);
  EXPECT_EQ(CellScale::RoundDiv(4, 3), 1);
  EXPECT_EQ(CellScale(2384).UnitsToCell(1303), 1119);  // 1119.36
}

TEST(NativeOutline, QuadraticContourGroupsRunsIntoRecords) {
  // on, on, off, off, on, off (closing curve back to the start)
  std::vector<SourcePoint> points = {On(0, 0), On(100, 0), Conic(200, 0), Conic(200, 100), On(100, 200), Conic(0, 200)};
  std::vector<uint8_t> buffer;
  WriteNativeOutline(points, {5}, CellScale(kUnitCell), buffer);
  auto polygons = Parse(buffer);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].start, F(0, 0));
  ASSERT_EQ(polygons[0].curves.size(), 3u);
  EXPECT_EQ(polygons[0].curves[0].type, kPrimLine);
  EXPECT_EQ(polygons[0].curves[0].points, (std::vector<FixedPoint>{F(100, 0)}));
  EXPECT_EQ(polygons[0].curves[1].type, kPrimQSpline);
  EXPECT_EQ(polygons[0].curves[1].points, (std::vector<FixedPoint>{F(200, 0), F(200, 100), F(100, 200)}));
  // The last control point's curve ends at the start point.
  EXPECT_EQ(polygons[0].curves[2].type, kPrimQSpline);
  EXPECT_EQ(polygons[0].curves[2].points, (std::vector<FixedPoint>{F(0, 200), F(0, 0)}));
}

TEST(NativeOutline, ContourStartingOffCurveStartsWhereTheNativeFormatDoes) {
  // First point off the curve, last on it: the contour starts at the last point.
  std::vector<SourcePoint> lastOn = {Conic(100, 0), On(200, 100), On(0, 100)};
  std::vector<uint8_t> buffer;
  WriteNativeOutline(lastOn, {2}, CellScale(kUnitCell), buffer);
  auto polygons = Parse(buffer);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].start, F(0, 100));
  ASSERT_EQ(polygons[0].curves.size(), 1u);
  EXPECT_EQ(polygons[0].curves[0].type, kPrimQSpline);
  EXPECT_EQ(polygons[0].curves[0].points, (std::vector<FixedPoint>{F(100, 0), F(200, 100)}));

  // Both ends off the curve: the start is their implied midpoint.
  std::vector<SourcePoint> allOff = {Conic(0, 0), Conic(100, 0), Conic(100, 100), Conic(0, 101)};
  buffer.clear();
  WriteNativeOutline(allOff, {3}, CellScale(kUnitCell), buffer);
  polygons = Parse(buffer);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].start, (FixedPoint{0, 101 * 65536 / 2}));
  ASSERT_EQ(polygons[0].curves.size(), 1u);
  EXPECT_EQ(polygons[0].curves[0].points,
            (std::vector<FixedPoint>{F(0, 0), F(100, 0), F(100, 100), F(0, 101), polygons[0].start}));
}

TEST(NativeOutline, SinglePointContoursAreLeftOutAndContoursFollowEachOther) {
  std::vector<SourcePoint> points = {On(5, 5), On(0, 0), On(10, 0), On(10, 10), On(20, 20), On(30, 20), On(30, 30)};
  std::vector<uint8_t> buffer;
  WriteNativeOutline(points, {0, 3, 6}, CellScale(kUnitCell), buffer);
  auto polygons = Parse(buffer);
  ASSERT_EQ(polygons.size(), 2u);
  EXPECT_EQ(polygons[0].start, F(0, 0));
  EXPECT_EQ(polygons[1].start, F(20, 20));
  EXPECT_EQ(polygons[1].curves[0].points, (std::vector<FixedPoint>{F(30, 20), F(30, 30)}));
}

// The quadratic pieces that replace a cubic stay within the tolerance of it.
TEST(NativeOutline, CubicCurvesBecomeQuadraticPiecesCloseToThem) {
  struct Case {
    SourcePoint p0, c1, c2, p3;
  } cases[] = {
      {On(0, 0), Cubic(0, 552), Cubic(448, 1000), On(1000, 1000)},    // a quarter circle
      {On(0, 0), Cubic(1000, 1000), Cubic(0, 1000), On(1000, 0)},     // a loop-like S
      {On(0, 0), Cubic(300, 0), Cubic(700, 0), On(1000, 0)},          // straight
      {On(0, 0), Cubic(2000, 3000), Cubic(-1000, 3000), On(1000, 0)}, // strong bend
  };
  for (const Case& c : cases) {
    std::vector<SourcePoint> points = {c.p0, c.c1, c.c2, c.p3};
    std::vector<uint8_t> buffer;
    WriteNativeOutline(points, {3}, CellScale(kUnitCell), buffer);
    auto polygons = Parse(buffer);
    ASSERT_EQ(polygons.size(), 1u);
    // Pieces are two-point splines; the last one ends at p3, then a line record closes nothing
    // (the contour closes implicitly back to p0).
    std::vector<FixedPoint> chain{polygons[0].start};
    for (const Record& r : polygons[0].curves) {
      ASSERT_EQ(r.type, kPrimQSpline);
      ASSERT_EQ(r.points.size(), 2u);
      chain.push_back(r.points[0]);
      chain.push_back(r.points[1]);
    }
    EXPECT_EQ(chain.back(), F(static_cast<int>(c.p3.x / 64), static_cast<int>(c.p3.y / 64)));
    // Sample both curves: every quadratic point lies near the cubic.
    auto cubic = [&](double t, bool xAxis) {
      double p0 = xAxis ? c.p0.x : c.p0.y, p1 = xAxis ? c.c1.x : c.c1.y;
      double p2 = xAxis ? c.c2.x : c.c2.y, p3 = xAxis ? c.p3.x : c.p3.y;
      double s = 1 - t;
      return (s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3) / 64 * 65536;
    };
    const size_t pieces = polygons[0].curves.size();
    double worst = 0;
    for (size_t k = 0; k < pieces; ++k) {
      const FixedPoint a = chain[2 * k], q = chain[2 * k + 1], b = chain[2 * k + 2];
      for (int i = 0; i <= 16; ++i) {
        double u = i / 16.0;
        double x = (1 - u) * (1 - u) * a.x + 2 * u * (1 - u) * q.x + u * u * b.x;
        double y = (1 - u) * (1 - u) * a.y + 2 * u * (1 - u) * q.y + u * u * b.y;
        double t = (k + u) / pieces;
        worst = std::max(worst, std::hypot(x - cubic(t, true), y - cubic(t, false)));
      }
    }
    // Half a cell unit, plus rounding of the control points.
    EXPECT_LE(worst, kCubicTolerance + 65536) << "pieces " << pieces;
  }
}

TEST(FaceName, CutToThirtyOneUtf16Units) {
  EXPECT_EQ(CutFaceName("DejaVu Sans"), "DejaVu Sans");
  EXPECT_EQ(CutFaceName(std::string(40, 'a')), std::string(31, 'a'));
  // Kana are one unit each (three bytes in UTF-8).
  std::string kana;
  for (int i = 0; i < 40; ++i) kana += "あ";
  EXPECT_EQ(CutFaceName(kana).size(), 31u * 3);
  // A character outside the BMP takes two units and is never split.
  std::string tail = std::string(30, 'a') + "\xF0\x9F\x98\x80";
  EXPECT_EQ(CutFaceName(tail), std::string(30, 'a'));
}

}  // namespace
}  // namespace qv
