#include "animation/pose_matrix.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qv {
namespace {

void ExpectNear(const CVector& actual, const CVector& expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool SameBits(const Matrix4& a, const Matrix4& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }

CAnimation Pose(CVector position, CVector rotation, CVector scale) { return {position, rotation, scale, 0}; }

TEST(PoseMatrix, ZeroRotationIsIdentity) {
  const Matrix4 r = PoseRotationMatrix({0, 0, 0});
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(r.m[i][j], i == j ? 1.0f : 0.0f);
}

TEST(PoseMatrix, SingleAxisRotationsActOnRowVectors) {
  struct Case {
    CVector degrees, point, expected;
  };
  const Case cases[] = {
      {{90, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {{0, 90, 0}, {1, 0, 0}, {0, 0, -1}},
      {{0, 0, 90}, {1, 0, 0}, {0, 1, 0}},
      {{0, 0, 180}, {1, 2, 3}, {-1, -2, 3}},
  };
  for (const Case& c : cases) ExpectNear(TransformPoint(c.point, PoseRotationMatrix(c.degrees)), c.expected);
}

TEST(PoseMatrix, RotationOrderIsZThenXThenY) {
  // z first: (1,0,0) -> (0,1,0); then x: -> (0,0,1). (x first would leave (1,0,0) for z: (0,1,0).)
  ExpectNear(TransformPoint({1, 0, 0}, PoseRotationMatrix({90, 0, 90})), {0, 0, 1});
  // x first: (0,1,0) -> (0,0,1); then y: -> (1,0,0).
  ExpectNear(TransformPoint({0, 1, 0}, PoseRotationMatrix({90, 90, 0})), {1, 0, 0});
  const Matrix4 expected = RotationZMatrix(30 * kDegreesToRadians) * RotationXMatrix(-45 * kDegreesToRadians) *
                           RotationYMatrix(120 * kDegreesToRadians);
  EXPECT_TRUE(SameBits(PoseRotationMatrix({-45, 120, 30}), expected));
}

TEST(PoseMatrix, ModelMatrixScalesAndRotatesAboutThePivot) {
  const CVector pivot{10, 0, 0};
  const CAnimation pose = Pose({5, 0, 0}, {0, 0, 90}, {2, 2, 2});
  const Matrix4 m = PoseModelMatrix(pose, pivot);
  ExpectNear(TransformPoint(pivot, m), {15, 0, 0});
  ExpectNear(TransformPoint({11, 0, 0}, m), {15, 2, 0});

  const Matrix4 literal = TranslationMatrix(-10, 0, 0) * ScalingMatrix(2, 2, 2) * PoseRotationMatrix({0, 0, 90}) *
                          TranslationMatrix(15, 0, 0);
  EXPECT_TRUE(SameBits(m, literal));
}

TEST(PoseMatrix, FollowMatrixIgnoresScale) {
  const CVector pivot{10, 0, 0};
  const Matrix4 big = PoseFollowMatrix(Pose({5, 0, 0}, {0, 0, 90}, {5, 5, 5}), pivot);
  const Matrix4 unit = PoseFollowMatrix(Pose({5, 0, 0}, {0, 0, 90}, {1, 1, 1}), pivot);
  EXPECT_TRUE(SameBits(big, unit));
  ExpectNear(TransformPoint({11, 0, 0}, big), {15, 1, 0});
}

TEST(PoseMatrix, ChildWorldMatrixFollowsItsParent) {
  // The parent turns a quarter about its pivot at the origin; the child, moved 10 along x,
  // ends up 10 along y.
  const Matrix4 parent = PoseModelMatrix(Pose({0, 0, 0}, {0, 0, 90}, {1, 1, 1}), {0, 0, 0});
  const Matrix4 child = PoseModelMatrix(Pose({10, 0, 0}, {0, 0, 0}, {1, 1, 1}), {0, 0, 0});
  ExpectNear(TransformPoint({0, 0, 0}, child * parent), {0, 10, 0});
}

}  // namespace
}  // namespace qv
