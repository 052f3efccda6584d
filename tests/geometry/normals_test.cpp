#include "geometry/normals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace qv {
namespace {

CFace Face(std::vector<int32_t> indices, int32_t material = 0) {
  CFace f;
  f.m_indices.assign(indices.begin(), indices.end());
  f.m_material = material;
  return f;
}

// Two triangles sharing the edge (0,0,0)-(1,0,0): one flat in z = 0, one tilted up by `degrees`.
CModel Roof(float degrees, float smoothingAngle) {
  const double r = degrees * M_PI / 180;
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -static_cast<float>(std::cos(r)), static_cast<float>(std::sin(r))}};
  m.m_faces = {Face({0, 1, 2}), Face({1, 0, 3})};
  m.m_smoothingAngle = smoothingAngle;
  return m;
}

std::vector<int32_t> CornerFaces(const CModel& m, size_t face, size_t corner) {
  const auto faces = m.m_cornerRecords.Faces(face, corner);
  return {faces.begin(), faces.end()};
}

std::vector<int32_t> VertexFaces(const CModel& m, size_t vertex) {
  const auto faces = m.m_vertexRecords[vertex];
  return {faces.begin(), faces.end()};
}

TEST(FaceNormal, CrossProductOfTheFirstThreeVertices) {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
  EXPECT_EQ(FaceNormal(m, Face({0, 1, 2})), (CVector{0, 0, 1}));
  EXPECT_EQ(FaceNormal(m, Face({0, 2, 1})), (CVector{0, 0, -1}));
  EXPECT_EQ(FaceNormal(m, Face({0, 1, 2, 3})), (CVector{0, 0, 1}));  // a fourth vertex plays no part
}

TEST(FaceNormal, DegenerateFacesPointUp) {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  const CVector up{0, 1, 0};
  const std::vector<std::vector<int32_t>> faces = {{0, 1, 2}, {0, 1}, {2}, {}, {0, 1, 7}, {-1, 0, 1}};
  for (const auto& indices : faces) EXPECT_EQ(FaceNormal(m, Face(indices)), up) << indices.size();
}

TEST(NormalizeOrUp, LengthInDoubleFromTheFloatSumOfSquares) {
  const CVector v{3.1f, -7.3f, 0.37f};
  const float sum = v.x * v.x + v.y * v.y + v.z * v.z;
  const double length = std::sqrt(static_cast<double>(sum));
  const CVector n = NormalizeOrUp(v);
  EXPECT_EQ(n.x, static_cast<float>(v.x / length));
  EXPECT_EQ(n.y, static_cast<float>(v.y / length));
  EXPECT_EQ(n.z, static_cast<float>(v.z / length));
  EXPECT_EQ(NormalizeOrUp({0, 0, 0}), (CVector{0, 1, 0}));
  EXPECT_EQ(NormalizeOrUp({NAN, 0, 0}), (CVector{0, 1, 0}));
  EXPECT_EQ(NormalizeOrUp({0, 0, -1e30f}), (CVector{0, 0, -1}));  // squares overflow a float
}

TEST(Smoothing, ShareTestIsStrictAndTakesRoundingPastOneAsParallel) {
  const float a = static_cast<float>(std::acos(0.5));
  EXPECT_FALSE(FacesShareNormal(0.5f, a));  // exactly the angle: separate
  EXPECT_TRUE(FacesShareNormal(std::nextafter(0.5f, 1.0f), a));
  EXPECT_TRUE(FacesShareNormal(1.0000001f, 0.001f));
  EXPECT_FALSE(FacesShareNormal(1.0f, 0.0f));  // angle 0: never
  EXPECT_FALSE(FacesShareNormal(NAN, 3.0f));
  EXPECT_TRUE(FacesShareNormal(-1.0f, 4.0f));
}

// The threshold form must decide exactly like the acos form, above all next to the threshold.
TEST(Smoothing, ThresholdDecidesLikeTheAcosTest) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> dot(-1.1f, 1.1f);
  for (float degrees : {0.0f, 0.001f, 1.0f, 30.0f, 45.0f, 60.0f, 89.5f, 90.0f, 120.0f, 179.99f, 180.0f, 181.0f, -5.0f}) {
    const float a = degrees * kDegreesToRadians;
    const SmoothingThreshold threshold(a);
    for (int i = 0; i < 20000; ++i) {
      const float d = dot(rng);
      ASSERT_EQ(threshold.Shares(d), FacesShareNormal(d, a)) << degrees << " " << d;
    }
    if (std::isfinite(threshold.MinDot())) {
      float d = threshold.MinDot();
      for (int i = 0; i < 3000; ++i) d = std::nextafter(d, -2.0f);
      for (int i = 0; i < 6000; ++i, d = std::nextafter(d, 2.0f))
        ASSERT_EQ(threshold.Shares(d), FacesShareNormal(d, a)) << degrees << " " << d;
    }
    EXPECT_FALSE(threshold.Shares(NAN));
  }
}

TEST(Smoothing, AngleDecidesWhichFacesShareACorner) {
  struct Case {
    float roofDegrees, smoothing;
    bool shared;
  };
  for (const Case& c : {Case{45, 89.5f, true}, Case{45, 30, false}, Case{10, 0, false}, Case{0, 0.01f, true},
                        Case{90, 89.5f, false}}) {
    CModel m = Roof(c.roofDegrees, c.smoothing);
    RebuildSmoothingRecords(m);
    ASSERT_TRUE(m.m_cornerRecords.Has(0, 2));
    ASSERT_FALSE(m.m_cornerRecords.Has(0, 3));
    // Corner 0 of face 0 is vertex 0, on the shared edge; corner 2 (vertex 2) is face 0's alone.
    const std::vector<int32_t> edge = c.shared ? std::vector<int32_t>{0, 1} : std::vector<int32_t>{0};
    EXPECT_EQ(CornerFaces(m, 0, 0), edge) << c.roofDegrees << " " << c.smoothing;
    EXPECT_EQ(CornerFaces(m, 0, 2), std::vector<int32_t>{0});
    const std::vector<int32_t> edge1 = c.shared ? std::vector<int32_t>{0, 1} : std::vector<int32_t>{1};
    EXPECT_EQ(CornerFaces(m, 1, 0), edge1);
  }
}

TEST(Smoothing, VertexRecordsListFacesInAscendingOrder) {
  CModel m = Roof(45, 89.5f);
  m.m_vertices.push_back({9, 9, 9});  // used by no face
  RebuildSmoothingRecords(m);
  ASSERT_EQ(m.m_vertexRecords.size(), 5u);
  EXPECT_EQ(VertexFaces(m, 0), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(VertexFaces(m, 1), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(VertexFaces(m, 2), std::vector<int32_t>{0});
  EXPECT_EQ(VertexFaces(m, 3), std::vector<int32_t>{1});
  EXPECT_TRUE(m.m_vertexRecords[4].empty());
  EXPECT_EQ(m.m_faces[1].m_normal, FaceNormal(m, m.m_faces[1]));

  // Rebuilding again gives the same lists, not doubled ones.
  RebuildSmoothingRecords(m);
  EXPECT_EQ(VertexFaces(m, 0), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(CornerFaces(m, 0, 0), (std::vector<int32_t>{0, 1}));
}

TEST(Smoothing, ModelWithoutFacesOnlyGetsVertexRecords) {
  CModel m;
  m.m_vertices = {{1, 2, 3}, {4, 5, 6}};
  RebuildSmoothingRecords(m);
  ASSERT_EQ(m.m_vertexRecords.size(), 2u);
  EXPECT_TRUE(m.m_vertexRecords[1].empty());
}

TEST(Smoothing, BadVertexIndexGivesACornerOfItsOwnFace) {
  CModel m = Roof(45, 89.5f);
  m.m_faces[1].m_indices[2] = 42;
  RebuildSmoothingRecords(m);
  EXPECT_EQ(CornerFaces(m, 1, 2), std::vector<int32_t>{1});
  EXPECT_EQ(m.m_faces[1].m_normal, (CVector{0, 1, 0}));
}

// Corner lists and normals taken straight from their definition, corner by corner: the faces at
// the corner's vertex (in the vertex record's order) that are the corner's own face or meet it at
// less than the smoothing angle, and the normalised sum of their normals.
struct DirectCorner {
  std::vector<int32_t> faces;
  CVector normal;
};
std::vector<DirectCorner> DirectCorners(const CModel& m) {
  const float angle = m.m_smoothingAngle * kDegreesToRadians;
  std::vector<DirectCorner> out;
  for (size_t f = 0; f < m.m_faces.size(); ++f) {
    for (int32_t v : m.m_faces[f].m_indices) {
      DirectCorner corner;
      const bool inside = v >= 0 && static_cast<size_t>(v) < m.m_vertices.size();
      std::vector<int32_t> atVertex;
      for (size_t g = 0; inside && g < m.m_faces.size(); ++g)
        for (int32_t w : m.m_faces[g].m_indices)
          if (w == v) atVertex.push_back(static_cast<int32_t>(g));
      if (atVertex.size() > kMaxSmoothedFacesPerVertex) atVertex.clear();
      if (atVertex.empty()) corner.faces = {static_cast<int32_t>(f)};
      for (int32_t g : atVertex)
        if (static_cast<size_t>(g) == f || FacesShareNormal(Dot(m.m_faces[g].m_normal, m.m_faces[f].m_normal), angle))
          corner.faces.push_back(g);
      CVector sum{0, 0, 0};
      for (int32_t g : corner.faces) sum += m.m_faces[g].m_normal;
      corner.normal = NormalizeOrUp(sum);
      out.push_back(corner);
    }
  }
  return out;
}

// Meshes where many faces share a normal bit for bit (faces in a few planes, as a text's caps and
// walls), with vertices used twice by one face, indices outside the vertices and faces of every
// size: the shared and reused lists must be exactly the lists of each corner.
TEST(Smoothing, SharedListsEqualEachCornersOwnList) {
  std::mt19937 random(17);
  for (int round = 0; round < 41; ++round) {
    // The last model is large: its vertices are handed out in several ranges.
    const bool large = round == 40;
    const int vertexCount = large ? 5000 : 30, faceCount = large ? 2500 : 60, used = large ? 5000 : 12;
    CModel m;
    for (int i = 0; i < vertexCount; ++i) {
      const float a = static_cast<float>(random() % 5), b = static_cast<float>(random() % 5);
      const int plane = static_cast<int>(random() % 3);
      m.m_vertices.push_back(plane == 0 ? CVector{a, b, 0} : plane == 1 ? CVector{a, 0, b} : CVector{a, b, a});
    }
    for (int f = 0; f < faceCount; ++f) {
      const size_t sizes[] = {3, 3, 4, 5};
      std::vector<int32_t> indices(sizes[random() % 4]);
      for (int32_t& v : indices) v = static_cast<int32_t>(random() % used);  // few vertices: crowded
      if (random() % 20 == 0) indices[random() % indices.size()] = vertexCount + 5;
      m.m_faces.push_back(Face(indices));
    }
    for (float smoothing : {0.0f, 30.0f, 89.5f, 180.0f, 181.0f}) {
      if (large && smoothing != 89.5f) continue;
      m.m_smoothingAngle = smoothing;
      RebuildSmoothingRecords(m);
      ComputeCornerNormals(m);
      const std::vector<DirectCorner> expected = DirectCorners(m);
      size_t k = 0;
      for (size_t f = 0; f < m.m_faces.size(); ++f) {
        for (size_t j = 0; j < m.m_faces[f].m_indices.size(); ++j, ++k) {
          ASSERT_TRUE(m.m_cornerRecords.Has(f, j));
          ASSERT_EQ(CornerFaces(m, f, j), expected[k].faces) << round << " " << smoothing << " " << f << " " << j;
          ASSERT_EQ(m.m_cornerRecords.Normal(f, j), expected[k].normal) << round << " " << smoothing;
        }
        EXPECT_FALSE(m.m_cornerRecords.Has(f, m.m_faces[f].m_indices.size()));
      }
    }
  }
}

TEST(CornerNormals, NormalisedSumOfTheSharedFaces) {
  CModel m = Roof(90, 89.9f);  // a right angle: flat
  RebuildSmoothingRecords(m);
  ComputeCornerNormals(m);
  EXPECT_EQ(m.m_cornerRecords.Normal(0, 0), m.m_faces[0].m_normal);
  EXPECT_EQ(m.m_cornerRecords.Normal(1, 1), m.m_faces[1].m_normal);  // same vertex, own list

  m = Roof(60, 89.5f);
  RebuildSmoothingRecords(m);
  ComputeCornerNormals(m);
  const CVector expected = NormalizeOrUp(m.m_faces[0].m_normal + m.m_faces[1].m_normal);
  EXPECT_EQ(m.m_cornerRecords.Normal(0, 0), expected);
  EXPECT_EQ(m.m_cornerRecords.Normal(1, 1), expected);
  EXPECT_EQ(m.m_cornerRecords.Normal(0, 2), m.m_faces[0].m_normal);
}

TEST(CornerNormals, DegenerateTriangleCornersPointUp) {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  m.m_faces = {Face({0, 1, 2})};
  m.m_smoothingAngle = 89.5f;
  RebuildSmoothingRecords(m);
  ComputeCornerNormals(m);
  for (size_t j = 0; j < 3; ++j) EXPECT_EQ(m.m_cornerRecords.Normal(0, j), (CVector{0, 1, 0}));
}

TEST(CornerNormals, OpposedFacesSumToZeroAndPointUp) {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  m.m_faces = {Face({0, 1, 2}), Face({0, 2, 1})};
  m.m_smoothingAngle = 181;  // everything shares, even opposite faces
  RebuildSmoothingRecords(m);
  ComputeCornerNormals(m);
  EXPECT_EQ(CornerFaces(m, 0, 0), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(m.m_cornerRecords.Normal(0, 0), (CVector{0, 1, 0}));
}

}  // namespace
}  // namespace qv
