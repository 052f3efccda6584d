#include "viewport/gizmo_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

CVector At(const OutlineVertex& v) { return {v.x, v.y, v.z}; }

TEST(GizmoGeometryTest, GridStartsWithTheAxesThenTheGroundLines) {
  const LineVertices grid = GridVertices();
  ASSERT_EQ(grid.size(), 90u);
  EXPECT_EQ(At(grid[1]), CVector(600, 0, 0));
  EXPECT_EQ(grid[0].color, kHandleRed);
  EXPECT_EQ(At(grid[3]), CVector(0, 600, 0));
  EXPECT_EQ(grid[2].color, kHandleGreen);
  EXPECT_EQ(At(grid[5]), CVector(0, 0, 600));
  EXPECT_EQ(grid[4].color, kHandleBlue);
  EXPECT_EQ(At(grid[6]), CVector(-500, 0, 0));
  EXPECT_EQ(At(grid[8]), CVector(0, 0, -500));
  EXPECT_EQ(At(grid[10]), CVector(-500, 0, -500));  // first line x = -500
  EXPECT_EQ(At(grid[11]), CVector(-500, 0, 500));
  EXPECT_EQ(At(grid[50]), CVector(-500, 0, -500));  // first line z = -500, after 20 x lines
  EXPECT_EQ(At(grid[51]), CVector(500, 0, -500));
  EXPECT_EQ(At(grid[89]), CVector(500, 0, 500));
  for (size_t i = 6; i < grid.size(); ++i) {
    EXPECT_EQ(grid[i].color, kGridGrey);
    EXPECT_EQ(grid[i].y, 0);
  }
  for (const OutlineVertex& v : grid) EXPECT_EQ(CVector(v.nx, v.ny, v.nz), CVector(0, 0, 1));
}

TEST(GizmoGeometryTest, HandleBuffersHaveTheirSizesAndColours) {
  const LineVertices move = MoveHandleVertices();
  ASSERT_EQ(move.size(), 78u);
  EXPECT_EQ(move[0].color, kHandleRed);
  EXPECT_EQ(At(move[0]), CVector(100, 0, 0));  // the X tip
  EXPECT_EQ(move[12].color, kHandleGreen);
  EXPECT_EQ(move[24].color, kHandleBlue);
  EXPECT_EQ(move[36].color, kHandleYellow);
  EXPECT_EQ(At(move[73]), CVector(80, 0, 0));
  EXPECT_EQ(move[72].color, kHandleGrey);

  const LineVertices scale = ScaleHandleVertices();
  ASSERT_EQ(scale.size(), 150u);
  EXPECT_EQ(scale[108].color, kHandleYellow);
  EXPECT_EQ(At(scale[149]), CVector(0, 0, 80));
  EXPECT_EQ(CentreCubeVertices().size(), 36u);

  for (int axis = 0; axis < 3; ++axis) {
    const LineVertices ring = RingVertices(axis);
    ASSERT_EQ(ring.size(), 146u);
    const uint32_t colors[3] = {kHandleRed, kHandleGreen, kHandleBlue};
    EXPECT_EQ(ring[0].color, colors[axis]);
    CVector end{0, 0, 0};
    (axis == 0 ? end.x : axis == 1 ? end.y : end.z) = 93;
    EXPECT_EQ(At(ring[145]), end);
  }
}

TEST(GizmoGeometryTest, RingsStartWhereTheyShouldAndTurnTheRightWay) {
  struct Case {
    int axis;
    CVector start, quarter;  // stations 0 and 2 (inner points)
  };
  for (const Case& c : {Case{0, {0, -80, 0}, {0, 0, 80}}, Case{1, {80, 0, 0}, {0, 0, 80}},
                        Case{2, {0, -80, 0}, {-80, 0, 0}}}) {
    const std::vector<Triangle> ring = RingTriangles(c.axis);
    ASSERT_EQ(ring.size(), 48u);
    // Triangle 1 of station k is (a+1, b, a): its third corner is station k's inner point.
    auto near = [](const CVector& a, const CVector& b) {
      return std::fabs(a.x - b.x) < 1e-4f && std::fabs(a.y - b.y) < 1e-4f && std::fabs(a.z - b.z) < 1e-4f;
    };
    EXPECT_TRUE(near(ring[1][2], c.start)) << c.axis;
    EXPECT_TRUE(near(ring[6 * 2 + 1][2], c.quarter)) << c.axis;
    // Outer points sit at radius 87.5 and ±3 along the axis.
    const CVector outer = ring[0][0];
    const float along = c.axis == 0 ? outer.x : c.axis == 1 ? outer.y : outer.z;
    EXPECT_FLOAT_EQ(along, 3);
  }
}

TEST(GizmoGeometryTest, PickingShapesMatchTheDrawnOnes) {
  EXPECT_EQ(ArrowheadTriangles(1).size(), 4u);
  EXPECT_EQ(AxisCubeTriangles(2).size(), 12u);
  const std::vector<Triangle> cube = CentreCubeTriangles();
  ASSERT_EQ(cube.size(), 12u);
  // (1, 3, 2) over the corners (5,5,-5), (5,5,5), (-5,5,5).
  EXPECT_EQ(cube[0][0], CVector(5, 5, -5));
  EXPECT_EQ(cube[0][1], CVector(5, 5, 5));
  EXPECT_EQ(cube[0][2], CVector(-5, 5, 5));
  const LineVertices move = MoveHandleVertices();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(At(move[36 + i]), cube[0][i]);
}

}  // namespace
}  // namespace qv
