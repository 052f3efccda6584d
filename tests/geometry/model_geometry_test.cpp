#include "animation/pose_steps.h"
#include "animation/track_fit.h"
#include "export/export_matrices.h"
#include "geometry/model_geometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/material.h"
#include "scene/scene.h"

namespace qv {
namespace {

CFace Face(std::vector<int32_t> indices, int32_t material, std::vector<CUV> uvs = {}) {
  CFace f;
  f.m_indices.assign(indices.begin(), indices.end());
  f.m_material = material;
  f.m_uvs.assign(uvs.begin(), uvs.end());
  return f;
}

// Five vertices on the z = 0 plane; faces of several sizes and materials.
CModel MixedModel() {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 0}};
  m.m_faces = {
      Face({0, 1, 2}, 1, {{0.1f, 0.2f}, {0.3f, 0.4f}}),         // triangle, only two texture pairs
      Face({0, 1, 2, 3}, 0, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}),  // quadrilateral
      Face({1, 4, 2, 3}, 1),                                    // quadrilateral, no texture pairs
      Face({0, 1, 2}, 5),                                       // material outside the list
      Face({0, 1, 2, 3, 4}, 0),                                 // five corners: kept, never drawn
      Face({0, 1, 9}, 0),                                       // bad vertex index
  };
  m.m_smoothingAngle = 89.5f;
  return m;
}

CVector PositionOf(const MeshVertex& v) { return {v.x, v.y, v.z}; }

TEST(VertexArray, GroupedByMaterialInFaceOrder) {
  CModel m = MixedModel();
  RebuildSmoothingRecords(m);
  BuildVertexArray(m, 2);
  EXPECT_EQ(m.m_trianglesPerMaterial, (std::vector<int32_t>{2, 3}));
  ASSERT_EQ(m.m_meshVertices.size(), 15u);

  // Material 0: face 1 as corners 0, 1, 2 then 2, 3, 0.
  const int quad[6] = {0, 1, 2, 2, 3, 0};
  for (int i = 0; i < 6; ++i) {
    const MeshVertex& v = m.m_meshVertices[i];
    EXPECT_EQ(PositionOf(v), m.m_vertices[quad[i]]) << i;
    EXPECT_EQ(v.u, m.m_faces[1].m_uvs[quad[i]].u) << i;
    EXPECT_EQ(v.v, m.m_faces[1].m_uvs[quad[i]].v) << i;
  }
  // Material 1: face 0 (three vertices), then face 2 (six).
  EXPECT_EQ(PositionOf(m.m_meshVertices[6]), m.m_vertices[0]);
  EXPECT_EQ(m.m_meshVertices[7].u, 0.3f);
  EXPECT_EQ(m.m_meshVertices[8].u, 0.0f);  // the face has no third texture pair
  EXPECT_EQ(m.m_meshVertices[8].v, 0.0f);
  const int quad2[6] = {1, 4, 2, 2, 3, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PositionOf(m.m_meshVertices[9 + i]), m.m_vertices[quad2[i]]) << i;

  // All faces lie in z = 0, so every corner normal is +z.
  for (const MeshVertex& v : m.m_meshVertices) {
    EXPECT_EQ(v.nx, 0.0f);
    EXPECT_EQ(v.ny, 0.0f);
    EXPECT_EQ(v.nz, 1.0f);
  }
}

TEST(VertexArray, NothingDrawableLeavesAnEmptyArrayAndZeroCounts) {
  CModel m = MixedModel();
  RebuildSmoothingRecords(m);
  BuildVertexArray(m, 2);
  m.m_faces = {Face({0, 1, 2, 3, 4}, 0)};
  RebuildSmoothingRecords(m);
  BuildVertexArray(m, 3);
  EXPECT_TRUE(m.m_meshVertices.empty());
  EXPECT_EQ(m.m_trianglesPerMaterial, (std::vector<int32_t>{0, 0, 0}));
}

TEST(VertexArray, DegenerateTriangleUsesTheUpNormal) {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  m.m_faces = {Face({0, 1, 2}, 0)};
  RebuildSmoothingRecords(m);
  BuildVertexArray(m, 1);
  ASSERT_EQ(m.m_meshVertices.size(), 3u);
  for (const MeshVertex& v : m.m_meshVertices) EXPECT_EQ((CVector{v.nx, v.ny, v.nz}), (CVector{0, 1, 0}));
}

TEST(VertexArray, FlatShadingWithSmoothingAngleZero) {
  // A cube: with angle 0 each corner uses only its own face, so each face's vertices carry its
  // face normal. 89.5 gives the same for a cube, whose faces meet at right angles.
  CModel m;
  m.m_vertices = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}};
  m.m_faces = {Face({0, 3, 2, 1}, 0), Face({4, 5, 6, 7}, 0), Face({0, 1, 5, 4}, 0),
               Face({2, 3, 7, 6}, 0), Face({1, 2, 6, 5}, 0), Face({0, 4, 7, 3}, 0)};
  for (float angle : {0.0f, 89.5f}) {
    m.m_smoothingAngle = angle;
    RebuildModelGeometry(m, 1);
    ASSERT_EQ(m.m_meshVertices.size(), 36u);
    for (size_t f = 0; f < 6; ++f) {
      for (size_t j = 0; j < 4; ++j)
        EXPECT_THAT(m.m_cornerRecords.Faces(f, j), testing::ElementsAre(static_cast<int32_t>(f)));
      for (size_t i = 0; i < 6; ++i) {
        const MeshVertex& v = m.m_meshVertices[f * 6 + i];
        EXPECT_EQ((CVector{v.nx, v.ny, v.nz}), m.m_faces[f].m_normal);
      }
    }
  }
  EXPECT_EQ(m.m_faces[1].m_normal, (CVector{0, 0, 1}));
  EXPECT_EQ(m.m_boundsMax, (CVector{1, 1, 1}));
}

TEST(VertexArray, MissingCornerRecordsFallBackToTheFaceNormal) {
  CModel m;
  m.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  m.m_faces = {Face({0, 1, 2}, 0)};
  m.m_faces[0].m_normal = {0, 0, 1};
  BuildVertexArray(m, 1);
  ASSERT_EQ(m.m_meshVertices.size(), 3u);
  EXPECT_EQ(m.m_meshVertices[2].nz, 1.0f);
}

TEST(Bounds, ExtremesPerAxis) {
  CModel m;
  m.m_vertices = {{1, -2, 3}, {-4, 5, 0}, {2, 0, -6}};
  ComputeBounds(m);
  EXPECT_EQ(m.m_boundsMax, (CVector{2, 5, 3}));
  EXPECT_EQ(m.m_boundsMin, (CVector{-4, -2, -6}));
}

TEST(Bounds, ModelWithoutVerticesHasA200UnitOutline) {
  CModel m;
  ComputeBounds(m);
  EXPECT_EQ(m.m_boundsMax, (CVector{100, 100, 100}));
  EXPECT_EQ(m.m_boundsMin, (CVector{-100, -100, -100}));
  BuildBoxOutline(m);
  for (size_t e = 0; e < 12; ++e) {
    const OutlineVertex& a = m.m_boxOutline[2 * e];
    const OutlineVertex& b = m.m_boxOutline[2 * e + 1];
    // Each edge runs 200 units along exactly one axis.
    const int differing = (a.x != b.x) + (a.y != b.y) + (a.z != b.z);
    EXPECT_EQ(differing, 1) << e;
    EXPECT_EQ(std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z), 200.0f) << e;
    for (const OutlineVertex* v : {&a, &b}) {
      EXPECT_EQ(std::fabs(v->x), 100.0f);
      EXPECT_EQ(v->nz, 1.0f);
      EXPECT_EQ(v->nx, 0.0f);
      EXPECT_EQ(v->color, 0xFFFFFFFFu);
    }
  }
}

TEST(Bounds, OutlineEdgeOrder) {
  CModel m;
  m.m_boundsMax = {1, 2, 3};
  m.m_boundsMin = {-1, -2, -3};
  BuildBoxOutline(m);
  // (X,Y,Z)-(x,Y,Z), ..., the ninth edge (X,y,z)-(X,Y,z), the last (x,y,Z)-(x,Y,Z).
  auto at = [&](size_t i) { return CVector{m.m_boxOutline[i].x, m.m_boxOutline[i].y, m.m_boxOutline[i].z}; };
  EXPECT_EQ(at(0), (CVector{1, 2, 3}));
  EXPECT_EQ(at(1), (CVector{-1, 2, 3}));
  EXPECT_EQ(at(16), (CVector{1, -2, -3}));
  EXPECT_EQ(at(17), (CVector{1, 2, -3}));
  EXPECT_EQ(at(22), (CVector{-1, -2, 3}));
  EXPECT_EQ(at(23), (CVector{-1, 2, 3}));
}

TEST(MaterialLighting, FactorsScaleTheColour) {
  CMaterial material;
  material.m_color[0] = 1;
  material.m_color[1] = 0;
  material.m_color[2] = 0;
  material.m_color[3] = 0.5f;
  material.m_diffuse = 1;
  material.m_ambient = 0.25f;
  material.m_specular = 0.5f;
  material.m_emissive = 0;
  UpdateLighting(material);
  EXPECT_EQ(material.m_lighting.diffuse, (ColorValue{1, 0, 0, 0.5f}));
  EXPECT_EQ(material.m_lighting.ambient, (ColorValue{0.25f, 0, 0, 0.5f}));
  EXPECT_EQ(material.m_lighting.specular, (ColorValue{0.5f, 0.5f, 0.5f, 0.5f}));
  EXPECT_EQ(material.m_lighting.emissive, (ColorValue{0, 0, 0, 0.5f}));
  EXPECT_EQ(material.m_lighting.power, 5.0f);
}

TEST(PoseSteps, ScaleNeverDropsBelowAHundredth) {
  CAnimation pose;
  pose.m_scale = {0.005f, 1, 1};
  AddToScale(pose, 0, 0, 0);
  EXPECT_EQ(pose.m_scale, (CVector{0.01f, 1, 1}));
  AddToScale(pose, 0.5f, -2, 0.25f);
  EXPECT_EQ(pose.m_scale, (CVector{0.51f, 0.01f, 1.25f}));
}

TEST(PoseSteps, RotationIsNotWrapped) {
  CAnimation pose;
  pose.m_rotation = {350, -350, 0};
  AddToRotation(pose, 20, -20, 1);
  EXPECT_EQ(pose.m_rotation, (CVector{370, -370, 1}));
}

class FitFramesTest : public ::testing::Test {
 protected:
  static Track Keyed(size_t frames) {
    Track t(frames);
    for (CAnimation& p : t) p = {{5, 5, 5}, {1, 2, 3}, {2, 2, 2}, 1};
    return t;
  }
};

TEST_F(FitFramesTest, FromZeroClearsTheCurrentTrack) {
  CModel m;
  m.m_tracks = {Keyed(3), Keyed(80), Keyed(4)};
  FitFrames(m, 0, 2, 1, 60);
  ASSERT_EQ(m.m_tracks.size(), 2u);
  EXPECT_EQ(m.m_tracks[0], Keyed(3));  // other animations keep their own tracks
  ASSERT_EQ(m.m_tracks[1].size(), 61u);
  EXPECT_EQ(m.m_tracks[1][0], (CAnimation{{0, 0, 0}, {0, 0, 0}, {1, 1, 1}, 1}));
  for (size_t f = 1; f < 61; ++f) EXPECT_EQ(m.m_tracks[1][f], IdentityPose()) << f;
}

TEST_F(FitFramesTest, FromTheOldEndOnlyInitialisesNewFrames) {
  CModel m;
  m.m_tracks = {Keyed(11)};
  FitFrames(m, 11, 3, 0, 20);
  ASSERT_EQ(m.m_tracks.size(), 3u);
  EXPECT_TRUE(m.m_tracks[2].empty());
  ASSERT_EQ(m.m_tracks[0].size(), 21u);
  for (size_t f = 0; f < 11; ++f) EXPECT_EQ(m.m_tracks[0][f], Keyed(1)[0]) << f;
  for (size_t f = 11; f < 21; ++f) EXPECT_EQ(m.m_tracks[0][f], IdentityPose()) << f;
}

TEST_F(FitFramesTest, UsesTheScenesFrameRangeAndKeepsPoseZeroAKey) {
  Scene scene;
  scene.m_lastFrame = 4;
  CModel m;
  FitFrames(scene, m, 0);
  ASSERT_EQ(m.m_tracks.size(), 1u);
  EXPECT_EQ(m.m_tracks[0].size(), 5u);
  EXPECT_EQ(m.m_tracks[0][0].m_key, 1);

  CModel shrunk;
  shrunk.m_tracks = {Keyed(30)};
  shrunk.m_tracks[0][0].m_key = 0;
  FitFrames(shrunk, 31, 1, 0, -5);  // nonsense frames: one pose remains
  ASSERT_EQ(shrunk.m_tracks[0].size(), 1u);
  EXPECT_EQ(shrunk.m_tracks[0][0].m_key, 1);
  EXPECT_EQ(shrunk.m_tracks[0][0].m_position, (CVector{5, 5, 5}));
}

TEST(ExportMatrices, EntriesAreOwnedCopies) {
  CModel m;
  Matrix4 a;
  a.m[3][0] = 7;
  EXPECT_FALSE(SetExportMatrix(m, 0, 0, a));
  ResizeExportMatrixLists(m, 2);
  EXPECT_TRUE(ResizeExportMatrices(m, 1, 3));
  EXPECT_FALSE(ResizeExportMatrices(m, 2, 3));
  EXPECT_EQ(ExportMatrix(m, 1, 2), nullptr);
  EXPECT_TRUE(SetExportMatrix(m, 1, 2, a));
  a.m[3][0] = 8;  // the stored copy is unaffected
  ASSERT_NE(ExportMatrix(m, 1, 2), nullptr);
  EXPECT_EQ(ExportMatrix(m, 1, 2)->m[3][0], 7.0f);
  EXPECT_FALSE(SetExportMatrix(m, 1, 3, a));
  EXPECT_EQ(ExportMatrix(m, 0, 0), nullptr);
  FreeExportMatrices(m);
  EXPECT_TRUE(m.m_exportMatrices.empty());
  EXPECT_EQ(ExportMatrix(m, 1, 2), nullptr);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// A fan of thousands of triangles around one vertex (the shape of a hostile file): smoothing
// stays linear, the crowded vertex is shaded flat, the rim vertices still smooth.
TEST(SmoothingRecordsLimit, CrowdedVertexIsShadedFlat) {
  CModel model;
  model.m_smoothingAngle = 89.5f;
  const int n = 5000;
  model.m_vertices.push_back({0, 0, 0});
  for (int i = 0; i <= n; ++i) model.m_vertices.push_back({std::cos(i * 0.001f), std::sin(i * 0.001f), 0.01f * i});
  for (int i = 0; i < n; ++i) {
    CFace face;
    face.m_indices = {0, i + 1, i + 2};
    model.m_faces.push_back(face);
  }
  RebuildSmoothingRecords(model);
  EXPECT_THAT(model.m_cornerRecords.Faces(10, 0), testing::ElementsAre(10));
  EXPECT_EQ(model.m_cornerRecords.Faces(10, 1).size(), 2u);  // shared with face 9
}

}  // namespace
}  // namespace qv
