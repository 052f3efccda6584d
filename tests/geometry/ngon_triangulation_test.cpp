#include "geometry/ngon_triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

namespace qv {
namespace {

// Signed area of a polygon seen along +z.
double Area(const std::vector<CVector>& p) {
  double a = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const CVector& u = p[i];
    const CVector& v = p[(i + 1) % p.size()];
    a += double{u.x} * v.y - double{v.x} * u.y;
  }
  return a / 2;
}

double TriangleArea(const std::vector<CVector>& p, const std::array<int32_t, 3>& t) {
  return Area({p[static_cast<size_t>(t[0])], p[static_cast<size_t>(t[1])], p[static_cast<size_t>(t[2])]});
}

// n - 2 triangles on valid corners, every one turning the polygon's way, covering its area.
void ExpectCovers(const std::vector<CVector>& polygon) {
  const auto triangles = TriangulatePolygon(polygon);
  ASSERT_EQ(triangles.size(), polygon.size() - 2);
  const double total = Area(polygon);
  double sum = 0;
  for (const auto& t : triangles) {
    std::set<int32_t> distinct(t.begin(), t.end());
    EXPECT_EQ(distinct.size(), 3u);
    for (int32_t c : t) {
      ASSERT_GE(c, 0);
      ASSERT_LT(static_cast<size_t>(c), polygon.size());
    }
    const double a = TriangleArea(polygon, t);
    EXPECT_GE(a * total, -1e-9);  // never folded over
    sum += a;
  }
  EXPECT_NEAR(sum, total, 1e-6 * std::fabs(total) + 1e-9);
}

TEST(TriangulatePolygon, ConvexAndConcaveOutlinesInBothWindings) {
  std::vector<CVector> pentagon{{0, 0, 0}, {2, 0, 0}, {3, 2, 0}, {1, 3, 0}, {-1, 2, 0}};
  ExpectCovers(pentagon);
  // An L and a comb: ears must avoid the notches.
  std::vector<CVector> ell{{0, 0, 0}, {4, 0, 0}, {4, 1, 0}, {1, 1, 0}, {1, 4, 0}, {0, 4, 0}};
  ExpectCovers(ell);
  std::vector<CVector> comb{{0, 0, 0}, {7, 0, 0}, {7, 3, 0}, {6, 3, 0}, {6, 1, 0}, {5, 1, 0}, {5, 3, 0},
                            {4, 3, 0}, {4, 1, 0}, {3, 1, 0}, {3, 3, 0}, {0, 3, 0}};
  ExpectCovers(comb);
  std::vector<CVector> reversed(comb.rbegin(), comb.rend());
  ExpectCovers(reversed);
}

TEST(TriangulatePolygon, WorksInTheFacesOwnPlane) {
  // The comb standing in the x = z plane, tilted: projected along its normal it keeps its shape.
  std::vector<CVector> flat{{0, 0, 0}, {7, 0, 0}, {7, 3, 0}, {6, 3, 0}, {6, 1, 0}, {5, 1, 0}, {5, 3, 0}, {0, 3, 0}};
  std::vector<CVector> tilted;
  for (const CVector& p : flat) tilted.push_back({p.x * 0.6f, p.y, p.x * 0.8f});
  const auto a = TriangulatePolygon(flat);
  const auto b = TriangulatePolygon(tilted);
  EXPECT_EQ(a, b);
  // A polygon seen edge-on from z still triangulates by its own plane.
  std::vector<CVector> wall;
  for (const CVector& p : flat) wall.push_back({p.x, 0, p.y});
  EXPECT_EQ(TriangulatePolygon(wall).size(), flat.size() - 2);
}

TEST(TriangulatePolygon, DegenerateInputStillGivesEveryTriangle) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<std::vector<CVector>> cases{
      {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}},              // collinear
      {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}},  // one point
      {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {2, 2, 0}, {1, 3, 0}},              // self-intersecting
      {{0, 0, 0}, {1, 0, 0}, {nan, 1, 0}, {0, 1, 0}, {0, 0.5f, 0}},
      {{0, 0, 0}, {inf, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-inf, 0, 0}},
      {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 0, 0}, {0, 2, 0}, {1, 1, 0}},  // repeated corner
  };
  for (const auto& polygon : cases) {
    const auto triangles = TriangulatePolygon(polygon);
    ASSERT_EQ(triangles.size(), polygon.size() - 2);
    for (const auto& t : triangles) {
      std::set<int32_t> distinct(t.begin(), t.end());
      EXPECT_EQ(distinct.size(), 3u);
    }
  }
  EXPECT_TRUE(TriangulatePolygon({{0, 0, 0}, {1, 0, 0}}).empty());
  EXPECT_EQ(TriangulatePolygon({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}).size(), 1u);
}

TEST(TriangulatePolygon, LargeRoundPolygon) {
  std::vector<CVector> circle;
  for (int i = 0; i < 500; ++i) {
    const double a = 2 * M_PI * i / 500;
    const double r = (i % 2) ? 1.0 : 0.7;  // a star: every other corner reflex
    circle.push_back({static_cast<float>(r * std::cos(a)), static_cast<float>(r * std::sin(a)), 0});
  }
  ExpectCovers(circle);
}

TEST(TriangulatePolygon, TangledPolygonsOfManyCornersEndInBoundedTime) {
  // Ten thousand random corners: ear clipping alone would take minutes.
  std::vector<CVector> tangle;
  uint32_t seed = 1;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / 16777216.0f;
  };
  for (int i = 0; i < 10000; ++i) tangle.push_back({next(), next(), 0});
  const auto triangles = TriangulatePolygon(tangle);
  ASSERT_EQ(triangles.size(), tangle.size() - 2);
  std::vector<int> used(tangle.size(), 0);
  for (const auto& t : triangles) {
    for (int32_t c : t) ++used[static_cast<size_t>(c)];
  }
  for (int count : used) EXPECT_GE(count, 1);  // every corner is part of the cut
}

}  // namespace
}  // namespace qv
