// Orientation, containment, bridges and the sharpest-corner triangulation of outline polygons.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "geometry/glyph_outline.h"
#include "geometry/polygon_math.h"
#include "glyph_checks.h"
#include "reference_triangulation.h"
#include "scene/model.h"

namespace qv {
namespace {

using testing::CapAreasOf;
using testing::Polygon;
using testing::Rectangle;
using testing::SignedArea;

double TriangleArea(const OutlineContour& p, const Triangle& t) {
  return SignedArea({p.m_points[t.a], p.m_points[t.b], p.m_points[t.c]});
}

TEST(Orientation, TurningDirectionOfContours) {
  EXPECT_TRUE(Rectangle(0, 0, 1, 1)->IsCounterClockwise());
  EXPECT_FALSE(Rectangle(0, 0, 1, 1, true)->IsCounterClockwise());
  EXPECT_FALSE(Polygon({{0, 0}, {1, 0}})->IsCounterClockwise());
  // Repeated points (zero-length edges) are passed over.
  EXPECT_TRUE(Polygon({{0, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 1}})->IsCounterClockwise());
  auto p = Rectangle(0, 0, 1, 1, true);
  p->Reverse();
  EXPECT_TRUE(p->IsCounterClockwise());
  EXPECT_EQ(p->m_points.front(), (PointF{1, 0}));
}

// A turn almost straight back whose cosine rounds below -1 makes the angle, and so the sum, NaN:
// the contour does not count as counter-clockwise even though it is.
TEST(Orientation, CosineRoundingBelowMinusOneGivesFalse) {
  // A counter-clockwise square with a needle on its left side: out from S to T, back to S'
  // just below S. Only the turn at T depends on where T is.
  auto needle = [](float delta, PointF t) {
    const PointF s{0, 0.5f}, back{0, 0.5f - delta};
    auto p = Polygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}, s, t, back});
    float d1x = t.x - s.x, d1y = t.y - s.y, d2x = back.x - t.x, d2y = back.y - t.y;
    float c = (d2x * d1x + d2y * d1y) / (Length(d2x, d2y) * Length(d1x, d1y));
    return std::make_pair(std::move(p), c);
  };
  int rounded = 0, ordinary = 0;
  for (int k = 6; k < 12; ++k) {
    for (int j = 0; j < 40; ++j) {
      auto [polygon, cosine] = needle(std::ldexp(1.0f, -k), {-0.01f, 0.5f + 0.013f * j});
      ASSERT_GT(SignedArea(polygon->m_points), 0.0);
      if (cosine < -1.0f) {
        EXPECT_FALSE(polygon->IsCounterClockwise()) << k << " " << j;
        ++rounded;
      } else {
        EXPECT_TRUE(polygon->IsCounterClockwise()) << k << " " << j;
        ++ordinary;
      }
    }
  }
  EXPECT_GT(rounded, 0);
  EXPECT_GT(ordinary, 0);
}

TEST(Triangulate, ConvexPolygonsGiveNMinusTwoCounterClockwiseTriangles) {
  for (int n = 3; n <= 16; ++n) {
    auto p = std::make_unique<OutlineContour>();
    for (int i = 0; i < n; ++i)
      p->AddPoint(std::cos(2 * 3.14159265 * i / n) * 10.0f, std::sin(2 * 3.14159265 * i / n) * 10.0f);
    EXPECT_EQ(p->Triangulate(), n - 2) << n;
    double area = 0;
    for (const Triangle& t : p->m_triangles) {
      EXPECT_GE(TriangleArea(*p, t), 0.0) << n;
      area += TriangleArea(*p, t);
    }
    EXPECT_NEAR(area, SignedArea(p->m_points), 1e-3) << n;
  }
  // Fewer than three entries: nothing.
  EXPECT_EQ(Polygon({{0, 0}, {1, 1}})->Triangulate(), 0);
  EXPECT_EQ(Polygon({})->Triangulate(), 0);
}

// A point exactly on the far edge of the sharpest corner's triangle counts as intruding: the
// polygon is split along the diagonal to it instead of losing that corner as an ear.
TEST(Triangulate, PointOnTheCandidateTriangleSplitsThePolygon) {
  //      F(10,2)      E(20,2)
  //  A(-100,0)   D(10,0)        <- D is a notch on the segment B-F
  //      B(10,-2)     C(20,-2)
  auto p = Polygon({{-100, 0}, {10, -2}, {20, -2}, {10, 0}, {20, 2}, {10, 2}});
  ASSERT_EQ(p->Triangulate(), 4);
  for (const Triangle& t : p->m_triangles) {
    std::set<int32_t> corners{t.a, t.b, t.c};
    EXPECT_NE(corners, (std::set<int32_t>{5, 0, 1})) << "the corner at A was cut off as an ear";
    EXPECT_GE(TriangleArea(*p, t), 0.0);
  }
  // The first list is split along A-D into A B C D and D E F A; the second one is worked on first.
  EXPECT_EQ(p->m_triangles, testing::TriangulateByLists(*p));
}

TEST(Containment, RayCrossingsWithHorizontalRuns) {
  auto container = [](int which) {
    // 0: a square with a notch cut down from the top to y = 5 between x = 12 and 14: the run
    //    along y = 5 turns back up on both sides and is no crossing.
    // 1: a step: the run along y = 5 from x = 10 to 15 passes from below to above.
    if (which == 0) return Polygon({{0, 0}, {20, 0}, {20, 10}, {14, 10}, {14, 5}, {12, 5}, {12, 10}, {0, 10}});
    return Polygon({{0, 0}, {10, 0}, {10, 5}, {15, 5}, {15, 10}, {0, 10}});
  };
  struct Case {
    int container;
    PointF t;
    bool inside;
  } cases[] = {
      {0, {5, 5}, true},       // the notch's run is no crossing, the right side is
      {0, {13, 5.5f}, false},  // inside the notch
      {0, {16, 5}, true},
      {0, {25, 5}, false},
      {1, {5, 5}, true},       // the step's run counts once
      {1, {12, 2}, false},
      {1, {20, 5}, false},     // the run lies left of the point
      {1, {-1, 5}, false},
  };
  for (const Case& c : cases) {
    GlyphOutline probe;
    probe.m_polygons.push_back(container(c.container));
    probe.m_polygons.push_back(Polygon({c.t, {c.t.x + 0.5f, c.t.y + 0.25f}, {c.t.x, c.t.y + 0.5f}}));
    for (auto& p : probe.m_polygons) p->m_indices = std::make_unique<Indices>(p->PointCount());
    EXPECT_EQ(probe.Contains(0, 1), c.inside) << c.container << " (" << c.t.x << ", " << c.t.y << ")";
    EXPECT_FALSE(probe.Contains(1, 1));
  }
}

// Contours that touch: a hole whose first point lies on the outer contour is judged by its next
// point off that contour.
TEST(Containment, PointOnTheBoundaryIsDecidedByTheNextPoint) {
  GlyphOutline outline;
  outline.m_polygons.push_back(Rectangle(0, 0, 10, 10));
  outline.m_polygons.push_back(Polygon({{0, 5}, {4, 3}, {4, 7}}));   // touches the left side
  outline.m_polygons.push_back(Polygon({{10, 5}, {14, 3}, {14, 7}})); // touches it from outside
  for (auto& p : outline.m_polygons) p->m_indices = std::make_unique<Indices>(p->PointCount());
  EXPECT_TRUE(outline.Contains(0, 1));
  EXPECT_FALSE(outline.Contains(0, 2));
}

TEST(Bridges, BlockingEdgesIncludeTouchesButNotTheBridgesOwnEdges) {
  GlyphOutline outline;
  outline.m_polygons.push_back(Rectangle(0, 0, 10, 10));  // 0:(0,0) 1:(10,0) 2:(10,10) 3:(0,10)
  outline.m_polygons.push_back(Rectangle(4, 4, 6, 6));    // 0:(4,4) 1:(6,4) 2:(6,6) 3:(4,6)
  outline.m_polygons.push_back(Polygon({{1, 2}, {3, 2}, {2, 3}}));
  for (auto& p : outline.m_polygons) p->m_indices = std::make_unique<Indices>(p->PointCount());
  // (0,0) to (4,4) meets the triangle's edge from (3,2) to (2,3) at (2.5, 2.5).
  EXPECT_EQ(outline.FindBlockingEdge(0, 0, 1, 0), 2);
  // (0,0) to (6,6) crosses the hole itself.
  EXPECT_EQ(outline.FindBlockingEdge(0, 0, 1, 2), 1);
  // (10,0) to (6,4) is free; the edges at both ends touch it and do not count.
  EXPECT_EQ(outline.FindBlockingEdge(0, 1, 1, 1), -1);
  // (10,10) to (4,4) runs through the hole's corner (6,6): touching blocks.
  EXPECT_EQ(outline.FindBlockingEdge(0, 2, 1, 0), 1);
}

TEST(GlyphMesh, SquareWithSquareHoleIsOnePolygonOfTenEntriesAndEightTriangles) {
  GlyphOutline outline;
  outline.m_polygons.push_back(Rectangle(0, 0, 10, 10, true));  // clockwise, like a TrueType outer
  outline.m_polygons.push_back(Rectangle(3, 3, 7, 7));          // counter-clockwise hole
  CModel model;
  ASSERT_TRUE(outline.AddGlyphMesh(model, 100.0f, 7));
  ASSERT_EQ(outline.PolygonCount(), 1);
  const OutlineContour& joined = *outline.m_polygons[0];
  EXPECT_TRUE(joined.IsCounterClockwise());
  ASSERT_EQ(joined.m_indices->Count(), 10);
  // j[0..b], D[a], D[a-1], ..., D[0], D[n-1], ..., D[a], j[b], ...: the hole is walked backwards
  // and the bridge appears once each way.
  // The outer contour, reversed, starts at (10,0); the bridge goes to the hole's first point (3,3).
  EXPECT_EQ(joined.m_indices->m_entries, (std::vector<int32_t>{0, 4, 7, 6, 5, 4, 0, 1, 2, 3}));
  EXPECT_EQ(joined.m_triangles.size(), 8u);
  // Model: the 8 points shifted by the offset at z = 0, 8 faces wound clockwise.
  ASSERT_EQ(model.m_vertices.size(), 8u);
  for (const CVector& v : model.m_vertices) {
    EXPECT_GE(v.x, 100.0f);
    EXPECT_EQ(v.z, 0.0f);
  }
  ASSERT_EQ(model.m_faces.size(), 8u);
  for (const CFace& face : model.m_faces) {
    EXPECT_EQ(face.m_material, 7);
    EXPECT_TRUE(face.m_uvs.empty());
    EXPECT_GT(testing::CapFaceArea(model, face), 0.0);
  }
  EXPECT_NEAR(CapAreasOf(model).coveredArea, 100.0 - 16.0, 1e-4);
  // Faces store the triangles as (t0, t2, t1).
  const Triangle& t = joined.m_triangles[0];
  EXPECT_EQ(model.m_faces[0].m_indices[0], t.a);
  EXPECT_EQ(model.m_faces[0].m_indices[1], t.c);
  EXPECT_EQ(model.m_faces[0].m_indices[2], t.b);
}

TEST(GlyphMesh, SeparatePartsAndIslandsInHoles) {
  // Two outer contours (the parts of an i): each is triangulated on its own, in order.
  GlyphOutline i;
  i.m_polygons.push_back(Rectangle(0, 0, 1, 5, true));
  i.m_polygons.push_back(Rectangle(0, 6, 1, 7, true));
  CModel model;
  i.AddGlyphMesh(model, 0.0f, 0);
  EXPECT_EQ(i.PolygonCount(), 2);
  ASSERT_EQ(model.m_vertices.size(), 8u);
  EXPECT_LT(model.m_vertices[3].y, 5.5f);
  EXPECT_GT(model.m_vertices[4].y, 5.5f);
  EXPECT_EQ(model.m_faces.size(), 4u);

  // Three nested squares: the innermost is an island inside the hole, a part of its own.
  GlyphOutline nested;
  nested.m_polygons.push_back(Rectangle(0, 0, 10, 10, true));
  nested.m_polygons.push_back(Rectangle(2, 2, 8, 8));
  nested.m_polygons.push_back(Rectangle(4, 4, 6, 6, true));
  CModel m2;
  nested.AddGlyphMesh(m2, 0.0f, 0);
  EXPECT_EQ(nested.PolygonCount(), 2);
  auto areas = CapAreasOf(m2);
  EXPECT_NEAR(areas.signedArea, 100.0 - 36.0 + 4.0, 1e-4);
  EXPECT_NEAR(areas.coveredArea, areas.signedArea, 1e-4);
}

// Contours that enclose nothing (fewer than three distinct points, as in quote marks) are left
// out: joined to the square as holes they would only add slivers and stray vertices.
TEST(GlyphMesh, ShortContoursAddNothing) {
  GlyphOutline outline;
  outline.m_polygons.push_back(Polygon({{0, 0}, {1, 1}}));
  outline.m_polygons.push_back(Polygon({{5, 5}}));
  outline.m_polygons.push_back(Polygon({}));
  outline.m_polygons.push_back(Rectangle(2, 2, 3, 3));
  CModel model;
  outline.AddGlyphMesh(model, 0.0f, 0);
  EXPECT_EQ(model.m_vertices.size(), 4u);
  EXPECT_EQ(model.m_faces.size(), 2u);
  EXPECT_TRUE(testing::IndicesValid(model));
}

TEST(GlyphMesh, LetterOLinesTheHole) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  GlyphOutline o;
  ASSERT_TRUE(o.ReadGlyph(*font, U'O', 5));
  const double filled = testing::FilledArea(o);
  CModel model;
  o.AddGlyphMesh(model, 0.0f, 0);
  ASSERT_EQ(o.PolygonCount(), 1);  // the hole joined to the outer contour
  EXPECT_TRUE(o.m_polygons[0]->IsCounterClockwise());
  auto areas = CapAreasOf(model);
  EXPECT_NEAR(areas.coveredArea, filled, filled * 1e-5);
}

// The triangle chosen to split on must be reachable inside the polygon: the nearest intruding
// point of DejaVu Sans "g" at 5 subdivisions lies behind an edge, and splitting towards it
// folds a triangle over the glyph.
TEST(Triangulate, SplitsOnlyAlongDiagonalsInsideThePolygon) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  GlyphOutline g;
  ASSERT_TRUE(g.ReadGlyph(*font, U'g', 5));
  const double filled = testing::FilledArea(g);
  CModel model;
  g.AddGlyphMesh(model, 0.0f, 0);
  auto areas = CapAreasOf(model);
  EXPECT_NEAR(areas.coveredArea, filled, filled * 1e-4);
  for (const CFace& face : model.m_faces) EXPECT_GE(testing::CapFaceArea(model, face), 0.0);
  // Without the check the nearest point folds the cap: it covers more than the glyph.
  double plain = 0;
  for (const auto& polygon : g.m_polygons)
    for (const Triangle& t : testing::TriangulateByLists(*polygon, false)) plain += std::fabs(TriangleArea(*polygon, t));
  EXPECT_GT(plain, filled * 1.005);
}

}  // namespace
}  // namespace qv
