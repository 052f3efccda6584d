// The model script writers find duplicate vertices through a hash and compute all matrices of a
// frame in one walk. Here they are compared byte for byte with the plain algorithm (a scan of
// the vertices found so far; a full walk per model and frame; snprintf for every number) on
// generated scenes that hold shared and negative-zero values, NaNs, odd faces, stray material
// and vertex indices, parents that loop or point nowhere and tracks of different lengths.
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "animation/pose_matrix.h"
#include "export/export_geometry.h"
#include "export/export_test_support.h"
#include "export/model_script.h"
#include "export/path_helpers.h"
#include "export/web_text.h"
#include "geometry/model_geometry.h"
#include "platform/text_codec.h"
#include "scene/hierarchy_walk.h"

namespace qv {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;

// ---- the plain algorithm ----

std::string Number(float value, int precision) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", precision, static_cast<double>(value));
  return buffer;
}

struct Reference {
  bool webgpu = false;
  std::string text;
  std::string indent() const { return webgpu ? "    " : "\t"; }
  void Line(const std::string& line) { text += line + "\r\n"; }
};

CAnimation ReferencePose(const CModel& model, size_t a, size_t k) {
  if (a >= model.m_tracks.size() || model.m_tracks[a].empty()) return CAnimation{};
  const Track& track = model.m_tracks[a];
  return track[std::min(k, track.size() - 1)];
}

// The matrix of model q at (a, k) by a full walk, or nothing when the walk does not reach q.
std::optional<Matrix4> ReferenceMatrix(const Scene& scene, size_t q, size_t a, size_t k, float scale) {
  std::vector<Matrix4> stack{Matrix4::Identity()};
  std::optional<Matrix4> stored;
  const size_t n = scene.m_models.size();
  for (const WalkStep& step : scene.m_hierarchyWalk) {
    const bool named = step.model >= 0 && static_cast<size_t>(step.model) < n;
    if (step.kind == kWalkStart) {
      stack.back() = Matrix4::Identity();
    } else if (step.kind == kWalkEnter && named) {
      const CModel& m = scene.m_models[step.model];
      const Matrix4 top = stack.back();
      stack.push_back(top);
      stack.back() = PoseModelMatrix(ReferencePose(m, a, k), m.m_origin * scale) * top;
    } else if (step.kind == kWalkLeave && named) {
      if (static_cast<size_t>(step.model) == q) stored = stack.back();
      if (stack.size() > 1) stack.pop_back();
    }
  }
  return stored;
}

std::string ReferenceModelScript(const Scene& scene, const std::string& className, bool webgpu,
                                 float scale = 1.0f) {
  Reference r{webgpu, {}};
  const std::string in = r.indent();
  if (webgpu) {
    r.Line("class " + className + " extends BoneModel3D {");
    r.Line("  constructor() {");
    r.Line("    super();");
  } else {
    r.Line("var " + className + " = function()");
    r.Line("{");
    r.Line("\tthis.init();");
  }
  r.Line("");

  std::vector<ExportVertex> vertices;
  std::vector<int32_t> indices;
  const size_t materialCount = scene.m_materials.size();
  for (size_t i = 0; i < scene.m_models.size(); ++i) {
    const CModel& model = scene.m_models[i];
    for (size_t f = 0; f < model.m_faces.size(); ++f) {
      const CFace& face = model.m_faces[f];
      const size_t corners = face.m_indices.size();
      if (corners != 3 && corners != 4) continue;
      bool inside = true;
      for (int32_t v : face.m_indices) inside = inside && v >= 0 && static_cast<size_t>(v) < model.m_vertices.size();
      if (!inside) continue;
      int32_t material = face.m_material;
      if (material < 0 || static_cast<size_t>(material) >= materialCount)
        material = materialCount ? static_cast<int32_t>(materialCount - 1) : 0;
      const std::vector<size_t> order = corners == 3 ? std::vector<size_t>{0, 1, 2} : std::vector<size_t>{0, 1, 2, 2, 3, 0};
      for (size_t j : order) {
        const CVector& p = model.m_vertices[face.m_indices[j]];
        const CVector n = model.m_cornerRecords.NormalOr(f, j, face.m_normal);
        const CUV uv = j < face.m_uvs.size() ? face.m_uvs[j] : CUV{};
        const ExportVertex e{p.x * scale, p.y * scale, p.z * scale, n.x, n.y, n.z, material, uv.u, uv.v, static_cast<int32_t>(i)};
        size_t found = 0;
        while (found < vertices.size() && !vertices[found].SameAs(e)) ++found;
        if (found == vertices.size()) vertices.push_back(e);
        indices.push_back(static_cast<int32_t>(found));
      }
    }
  }

  auto material = [&](const CMaterial& m) {
    std::string line = in + "this.setMaterial(";
    for (float v : {m.m_color[0], m.m_color[1], m.m_color[2], m.m_color[3], m.m_diffuse, m.m_ambient, m.m_emissive,
                    m.m_specular})
      line += Number(v, 3) + ",";
    line += Number(m.m_power, 2);
    std::string texture;
    if (!m.m_texture.empty() && PathFileName(Cp932ToUtf8(m.m_texture), texture))
      line += webgpu ? ",\"" + ScriptString(texture, '"') + "\"" : ",initTexture(\"" + ScriptString(texture, '"') + "\")";
    r.Line(line + ");");
  };
  for (const CMaterial& m : scene.m_materials) material(m);
  if (scene.m_materials.empty() && !vertices.empty()) material(CMaterial{});
  r.Line("");
  for (const ExportVertex& v : vertices) {
    char buffer[64];
    std::string line = in + "this.setB(";
    for (float f : {v.x, v.y, v.z, v.nx, v.ny, v.nz}) line += Number(f, 4) + ",";
    std::snprintf(buffer, sizeof buffer, "%d,", v.material);
    line += buffer + Number(v.u, 4) + "," + Number(v.v, 4) + ",";
    std::snprintf(buffer, sizeof buffer, "%d", v.model);
    r.Line(line + buffer + ");");
  }
  r.Line("");
  for (size_t i = 0; i + 2 < indices.size(); i += 3) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "this.setBI(%d,%d,%d);", indices[i], indices[i + 1], indices[i + 2]);
    r.Line(in + buffer);
  }
  if (!scene.m_models.empty()) {
    r.Line("");
    for (size_t a = 0; a < scene.m_animationNames.size(); ++a) {
      const CModel& first = scene.m_models[0];
      const size_t frames = a < first.m_tracks.size() ? first.m_tracks[a].size() : 0;
      for (size_t k = 0; k < frames; ++k) {
        for (size_t q = 0; q < scene.m_models.size(); ++q) {
          const CModel& model = scene.m_models[q];
          const size_t own = a < model.m_tracks.size() ? model.m_tracks[a].size() : 0;
          const Matrix4 m = own == 0 ? Matrix4::Identity()
                                     : ReferenceMatrix(scene, q, a, std::min(k, own - 1), scale).value_or(Matrix4::Identity());
          std::string line = in + "this.setMatrix([";
          for (int e = 0; e < 16; ++e) line += (e ? "," : "") + Number(m.m[e / 4][e % 4], 4);
          r.Line(line + "]);");
        }
        r.Line(in + "this.setMatrix2();");
      }
      r.Line(in + "this.setMatrix3();");
    }
  }
  r.Line("");
  r.Line(in + "this.initBuffers();");
  if (webgpu) {
    r.Line("  }");
    r.Line("}");
  } else {
    r.Line("};");
    r.Line(className + ".prototype = new BoneModel3D();");
  }
  return r.text;
}

// ---- generated scenes ----

Scene GeneratedScene(uint32_t seed) {
  std::mt19937 random(seed);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // Few distinct values, so that vertices repeat; both zeros; a NaN now and then.
  const float values[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 2.25f, 100.0f, 1e-5f, 123.456f, -7.75f};
  const auto value = [&]() { return pick(200) == 0 ? nan : values[pick(std::size(values))]; };

  Scene scene;
  scene.m_materials.clear();
  const int materials = pick(4);
  for (int m = 0; m < materials; ++m) {
    CMaterial material;
    material.m_color[0] = value();
    material.m_power = value();
    if (pick(2)) material.m_texture = pick(2) ? "tex\\wood.png" : "\x96\xd8.bmp";
    scene.m_materials.push_back(material);
  }
  const int animations = 1 + pick(3);
  scene.m_animationNames.assign(animations, "Animation");
  const int models = pick(9);
  for (int i = 0; i < models; ++i) {
    CModel model;
    const int parentChoice = pick(6);
    model.m_parent = parentChoice < 2 ? kNoModel : parentChoice == 5 ? 40 : pick(models);  // may loop or point nowhere
    model.m_origin = {value(), value(), value()};
    const int vertexCount = 1 + pick(8);
    for (int v = 0; v < vertexCount; ++v) model.m_vertices.push_back({value(), value(), value()});
    const int faces = pick(12);
    for (int f = 0; f < faces; ++f) {
      CFace face;
      const int corners = 2 + pick(4);
      for (int c = 0; c < corners; ++c) face.m_indices.push_back(pick(30) == 0 ? vertexCount + 3 : pick(vertexCount));
      const int uvs = pick(corners + 1);
      for (int c = 0; c < uvs; ++c) face.m_uvs.push_back({value(), pick(2) ? 0.0f : -0.0f});
      face.m_material = pick(materials + 2) - 1;
      model.m_faces.push_back(face);
    }
    if (pick(3)) RebuildModelGeometry(model, scene.m_materials.size());
    for (int a = 0; a < animations; ++a) {
      Track track(static_cast<size_t>(pick(7)));
      for (CAnimation& pose : track) {
        pose.m_position = {value(), value(), value()};
        pose.m_rotation = {value() * 30.0f, value(), value() * 10.0f};
        pose.m_scale = pick(4) ? CVector{1, 1, 1} : CVector{value(), 1, value()};
      }
      if (pick(8) || a == 0) model.m_tracks.push_back(track);  // some models lack later animations
    }
    scene.m_models.push_back(std::move(model));
  }
  RebuildHierarchyWalk(scene);
  if (models > 0 && pick(5) == 0) scene.m_hierarchyWalk.push_back({kWalkLeave, models + 2});  // a stale step
  return scene;
}

TEST(ExportEquivalence, FastWritersEqualThePlainAlgorithm) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("Model_logo.js");
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    Scene scene = GeneratedScene(seed);
    ASSERT_TRUE(WriteModelScript(scene, path, 1.0f));
    ASSERT_EQ(ReadFile(path), ReferenceModelScript(scene, "Model_logo", false));
    ASSERT_TRUE(WriteModelClass(scene, path, 1.0f));
    ASSERT_EQ(ReadFile(path), ReferenceModelScript(scene, "Model_logo", true));
    // Other scales multiply positions and pivots; 0 puts every vertex at one point.
    const float scale = seed % 3 == 0 ? 0.0f : 2.5f;
    ASSERT_TRUE(WriteModelScript(scene, path, scale));
    ASSERT_EQ(ReadFile(path), ReferenceModelScript(scene, "Model_logo", false, scale));
  }
}

// A larger mesh, where the hash table grows several times.
TEST(ExportEquivalence, GridOfSharedVertices) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("Model_grid.js");
  Scene scene;
  CModel grid;
  const int n = 60;
  for (int y = 0; y <= n; ++y)
    for (int x = 0; x <= n; ++x) grid.m_vertices.push_back({float(x), float(y), float((x * y) % 7) * 0.25f});
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      CFace face;
      const int a = y * (n + 1) + x;
      face.m_indices = {a, a + 1, a + n + 2, a + n + 1};
      grid.m_faces.push_back(face);
    }
  grid.m_smoothingAngle = 89.5f;
  RebuildModelGeometry(grid, 1);
  grid.m_tracks.push_back(Track(2));
  scene.m_models = {grid, grid};
  RebuildHierarchyWalk(scene);
  ASSERT_TRUE(WriteModelScript(scene, path, 1.0f));
  EXPECT_EQ(ReadFile(path), ReferenceModelScript(scene, "Model_grid", false));
  ExportMesh mesh;
  BuildExportMesh(scene, 1.0f, mesh);
  EXPECT_LT(mesh.vertices.size(), mesh.indices.size() / 2);
}

// Many different vertices at one point (a collapsed mesh with its own texture coordinates at
// each corner): the lookup stays quick and still finds the first equal entry.
TEST(ExportEquivalence, ManyVerticesAtOnePoint) {
  ScratchFolder temp{"qv export"};
  const std::string path = temp.Path("Model_point.js");
  Scene scene;
  scene.m_materials = {CMaterial{}, CMaterial{}};
  CModel model;
  model.m_vertices = {{1, 2, 3}, {1, 2, 3}, {-0.0f, 0, 0}, {0, 0, 0}};
  for (int f = 0; f < 3000; ++f) {
    CFace face;
    face.m_indices = {f % 2, (f + 1) % 4, 2 + f % 2};
    face.m_uvs = {{float(f % 37), float(f % 11)}, {float(f % 5), 0}, {0, float(f % 23)}};
    face.m_material = f % 3;
    model.m_faces.push_back(face);
  }
  model.m_tracks.push_back(Track(1));
  scene.m_models = {model, model};
  RebuildHierarchyWalk(scene);
  ASSERT_TRUE(WriteModelClass(scene, path, 1.0f));
  EXPECT_EQ(ReadFile(path), ReferenceModelScript(scene, "Model_point", true));
  ExportMesh mesh;
  BuildExportMesh(scene, 1.0f, mesh);
  EXPECT_GT(mesh.vertices.size(), 1000u);
}

}  // namespace
}  // namespace qv
