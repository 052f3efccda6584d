// Reading glyph outlines: the record walk, curve flattening and scaling, on records built by
// hand and on real glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "geometry/glyph_outline.h"
#include "glyph_checks.h"
#include "platform/native_outline.h"

namespace qv {
namespace {

// 16.16 of a whole number of cell units.
FixedPoint F(int x, int y) { return {x * 65536, y * 65536}; }

struct Curve {
  uint16_t type;
  std::vector<FixedPoint> points;
};

std::vector<uint8_t> Records(const std::vector<std::pair<FixedPoint, std::vector<Curve>>>& polygons) {
  std::vector<uint8_t> buffer;
  NativeOutlineWriter writer(buffer);
  for (const auto& [start, curves] : polygons) {
    writer.BeginPolygon(start);
    for (const Curve& c : curves) writer.AddCurve(c.type, c.points.data(), static_cast<uint16_t>(c.points.size()));
    writer.EndPolygon();
  }
  return buffer;
}

GlyphOutline Read(const std::vector<uint8_t>& buffer, int32_t subdivisions) {
  GlyphOutline outline;
  EXPECT_TRUE(outline.ReadRecords(buffer.data(), buffer.size(), subdivisions));
  return outline;
}

std::vector<PointF> Scaled(std::initializer_list<std::pair<float, float>> cellUnits) {
  std::vector<PointF> out;
  for (auto [x, y] : cellUnits) out.push_back({x / 2048.0f, y / 2048.0f});
  return out;
}

TEST(ReadRecords, LinesGiveTheirPointsScaledToTheCell) {
  auto buffer = Records({{F(0, 0), {{kPrimLine, {F(1024, 0), F(1024, 2048)}}, {kPrimLine, {F(0, 2048)}}}}});
  GlyphOutline outline = Read(buffer, 5);
  ASSERT_EQ(outline.PolygonCount(), 1);
  EXPECT_EQ(outline.m_polygons[0]->m_points, Scaled({{0, 0}, {1024, 0}, {1024, 2048}, {0, 2048}}));
}

TEST(ReadRecords, QuadraticSegmentGivesSubdivisionsMinusOneInteriorPoints) {
  // on (0,0) -> control (1000,2000) -> on (2000,0), then a line back.
  auto buffer = Records({{F(0, 0), {{kPrimQSpline, {F(1000, 2000), F(2000, 0)}}}}});
  for (int32_t n : {1, 2, 5, 12}) {
    GlyphOutline outline = Read(buffer, n);
    const auto& points = outline.m_polygons[0]->m_points;
    ASSERT_EQ(points.size(), static_cast<size_t>(1 + (n - 1) + 1)) << n;
    EXPECT_EQ(points.front(), (PointF{0, 0}));
    EXPECT_EQ(points.back(), (PointF{2000 / 2048.0f, 0}));
    for (int32_t i = 1; i < n; ++i) {
      float t = static_cast<float>(i) / n;
      // P0 + 2t(C - P0) + t^2(P0 - 2C + P2)
      float x = 0 + 2 * t * 1000 + t * t * (0 - 2 * 1000.0f + 2000);
      float y = 0 + 2 * t * 2000 + t * t * (0 - 2 * 2000.0f + 0);
      EXPECT_EQ(points[i], (PointF{x / 2048.0f, y / 2048.0f})) << n << " " << i;
    }
  }
}

TEST(ReadRecords, ConsecutiveControlPointsAddNoImpliedMidpoint) {
  // Two control points: the curve passes through their midpoint (1000, 1000) but it is not
  // emitted; each control point contributes its 4 interior points at subdivision 5.
  auto buffer = Records({{F(0, 0), {{kPrimQSpline, {F(0, 2000), F(2000, 0), F(2000, 2000)}}}}});
  GlyphOutline outline = Read(buffer, 5);
  const auto& points = outline.m_polygons[0]->m_points;
  ASSERT_EQ(points.size(), 1u + 4 + 4 + 1);
  for (const PointF& p : points) EXPECT_NE(p, (PointF{1000 / 2048.0f, 1000 / 2048.0f}));
  // The first control's segment ends at the midpoint: its last interior point lies close to it.
  EXPECT_NEAR(points[4].x * 2048, 1000, 420);
}

TEST(ReadRecords, ClosingPointRepeatingTheStartIsDropped) {
  auto buffer = Records({{F(0, 0), {{kPrimLine, {F(10, 0), F(10, 10), F(0, 0)}}}}});
  GlyphOutline outline = Read(buffer, 5);
  EXPECT_EQ(outline.m_polygons[0]->m_points, Scaled({{0, 0}, {10, 0}, {10, 10}}));
  // A spline closing back to the start: its last point is the start, dropped too.
  auto spline = Records({{F(0, 0), {{kPrimLine, {F(10, 0)}}, {kPrimQSpline, {F(10, 10), F(0, 0)}}}}});
  GlyphOutline curved = Read(spline, 2);
  EXPECT_EQ(curved.m_polygons[0]->m_points.size(), 3u);  // start, (10,0), one interior point
}

TEST(ReadRecords, UnknownRecordsAreSkippedWhole) {
  std::vector<uint8_t> buffer = Records({{F(0, 0), {{kPrimLine, {F(10, 0)}}, {kPrimCSpline, {F(20, 5), F(20, 6), F(20, 10)}}, {kPrimLine, {F(0, 10)}}}}});
  // A second polygon of another type is skipped whole as well.
  std::vector<uint8_t> other = Records({{F(5, 5), {{kPrimLine, {F(6, 5), F(6, 6)}}}}});
  uint32_t type = 99;
  std::memcpy(&other[4], &type, 4);
  buffer.insert(buffer.end(), other.begin(), other.end());
  GlyphOutline outline = Read(buffer, 5);
  ASSERT_EQ(outline.PolygonCount(), 1);
  EXPECT_EQ(outline.m_polygons[0]->m_points, Scaled({{0, 0}, {10, 0}, {0, 10}}));
}

TEST(ReadRecords, SizesThatDoNotFitTheBufferEndTheWalk) {
  std::vector<uint8_t> good = Records({{F(0, 0), {{kPrimLine, {F(10, 0), F(10, 10)}}}}});
  // A polygon claiming more bytes than the buffer holds is not read.
  std::vector<uint8_t> bad = good;
  uint32_t cb = 1000;
  std::memcpy(&bad[0], &cb, 4);
  GlyphOutline outline;
  outline.ReadRecords(bad.data(), bad.size(), 5);
  EXPECT_EQ(outline.PolygonCount(), 0);
  // A curve record claiming more points than its polygon holds ends that polygon's curves.
  std::vector<uint8_t> longCurve = good;
  uint16_t count = 500;
  std::memcpy(&longCurve[kPolygonHeaderSize + 2], &count, 2);
  GlyphOutline truncated;
  truncated.ReadRecords(longCurve.data(), longCurve.size(), 5);
  ASSERT_EQ(truncated.PolygonCount(), 1);
  // Only the start point was read, and a lone start closes onto itself: no points.
  EXPECT_EQ(truncated.m_polygons[0]->PointCount(), 0);
  // Nothing at all.
  GlyphOutline empty;
  EXPECT_FALSE(empty.ReadRecords(nullptr, 0, 5));
}

TEST(ReadRecords, LongContoursAreNotCut) {
  std::vector<FixedPoint> many;
  for (int i = 1; i < 3000; ++i) many.push_back(F(i, (i % 2) * 3));
  auto buffer = Records({{F(0, 0), {{kPrimLine, many}}}});
  GlyphOutline outline = Read(buffer, 1);
  EXPECT_EQ(outline.m_polygons[0]->PointCount(), 3000);
}

TEST(ReadGlyph, LetterOHasTwoContoursAndSpaceNone) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  GlyphOutline o;
  ASSERT_TRUE(o.ReadGlyph(*font, U'O', 5));
  ASSERT_EQ(o.PolygonCount(), 2);
  // One contour per direction: the outer boundary and the hole.
  EXPECT_NE(o.m_polygons[0]->IsCounterClockwise(), o.m_polygons[1]->IsCounterClockwise());
  // With one step per curve only the on-curve points remain: fewer points, same contours.
  GlyphOutline coarse;
  ASSERT_TRUE(coarse.ReadGlyph(*font, U'O', 1));
  ASSERT_EQ(coarse.PolygonCount(), 2);
  EXPECT_LT(coarse.m_polygons[0]->PointCount(), o.m_polygons[0]->PointCount());
  // Every coarse point is a point of the finer outline too (the on-curve points).
  for (const PointF& p : coarse.m_polygons[0]->m_points) {
    const auto& fine = o.m_polygons[0]->m_points;
    EXPECT_NE(std::find(fine.begin(), fine.end(), p), fine.end());
  }
  GlyphOutline space;
  EXPECT_FALSE(space.ReadGlyph(*font, U' ', 5));
  EXPECT_EQ(space.PolygonCount(), 0);
  EXPECT_FALSE(space.ReadGlyph(*font, U'漢', 5));  // not in the font
  // Advances in cell units: DejaVu's 'O' advances 1612 font units, the cell is 2384 units, so
  // A + B + C = 1612 * 2048 / 2384 = 1384.8, rounded to 1385.
  EXPECT_FLOAT_EQ(CharacterAdvance(*font, U'O'), 1385.0f / 2048.0f);
  EXPECT_EQ(CharacterAdvance(*font, U'漢'), 0.0f);
}

}  // namespace
}  // namespace qv
