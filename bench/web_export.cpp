// Model script writing on the two scenes a web export must handle quickly: 50 extruded, text-like
// models of a few thousand vertices with 600 animated frames, and one model of a million
// triangles. bytes_per_second is the rate of generated script per second of the writer's CPU
// time (file writes included), so that other work on a shared machine does not count; the Time
// column gives the elapsed time. The counters give the sizes, to see the time follow the output.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "export/export_geometry.h"
#include "export/model_script.h"
#include "geometry/model_geometry.h"
#include "scene/hierarchy_walk.h"

namespace qv {
namespace {

// A glyph-like extrusion: a wavy closed outline of `points` corners, front and back caps as
// triangle fans, and a quad wall per outline edge. Smoothing separates the caps from the walls.
CModel ExtrudedOutline(int points, float radius, float phase) {
  CModel m;
  m.m_smoothingAngle = 30.0f;
  for (float z : {-20.0f, 20.0f}) {
    for (int i = 0; i < points; ++i) {
      const float a = 6.2831853f * static_cast<float>(i) / static_cast<float>(points);
      const float r = radius * (1.0f + 0.2f * std::sin(7.0f * a + phase));
      m.m_vertices.push_back({r * std::cos(a), r * std::sin(a), z});
    }
  }
  for (int i = 1; i + 1 < points; ++i) {
    CFace front, back;
    front.m_indices.assign({0, i, i + 1});
    back.m_indices.assign({points, points + i + 1, points + i});
    m.m_faces.push_back(front);
    m.m_faces.push_back(back);
  }
  for (int i = 0; i < points; ++i) {
    const int j = (i + 1) % points;
    CFace wall;
    wall.m_indices.assign({i, points + i, points + j, j});
    wall.m_material = 1;
    m.m_faces.push_back(wall);
  }
  RebuildModelGeometry(m, 2);
  return m;
}

Scene TextLikeScene() {
  Scene scene;
  scene.m_materials = {CMaterial{}, CMaterial{}};
  scene.m_materials[1].m_texture = "tex\\wood.png";
  for (int i = 0; i < 50; ++i) {
    CModel m = ExtrudedOutline(700, 40.0f + static_cast<float>(i % 5), static_cast<float>(i));
    m.m_parent = i % 10 == 0 ? kNoModel : (i / 10) * 10;  // five words of ten letters
    m.m_origin = {static_cast<float>(i % 10) * 90.0f, static_cast<float>(i / 10) * -120.0f, 0};
    Track track(600);
    for (size_t k = 0; k < track.size(); ++k) {
      const float t = static_cast<float>(k) / 600.0f;
      track[k].m_position = {std::sin(t * 6.0f + i) * 30.0f, std::cos(t * 4.0f) * 20.0f, t * 100.0f};
      track[k].m_rotation = {t * 360.0f, t * 180.0f + i, 0};
      track[k].m_scale = {1.0f + t, 1.0f + t, 1.0f};
    }
    m.m_tracks.push_back(std::move(track));
    scene.m_models.push_back(std::move(m));
  }
  RebuildHierarchyWalk(scene);
  return scene;
}

// 500 x 1000 cells of two triangles: a rolling height field with smooth and sharp normals.
Scene MillionTriangleScene() {
  Scene scene;
  scene.m_materials = {CMaterial{}};
  CModel m;
  m.m_smoothingAngle = 30.0f;
  const int w = 500, h = 1000;
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x)
      m.m_vertices.push_back({x * 10.0f, y * 10.0f, 40.0f * std::sin(x * 0.3f) * std::cos(y * 0.2f)});
  const auto at = [&](int x, int y) { return y * (w + 1) + x; };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      CFace a, b;
      a.m_indices.assign({at(x, y), at(x + 1, y), at(x + 1, y + 1)});
      b.m_indices.assign({at(x, y), at(x + 1, y + 1), at(x, y + 1)});
      m.m_faces.push_back(a);
      m.m_faces.push_back(b);
    }
  RebuildModelGeometry(m, 1);
  m.m_tracks.push_back(Track(61));
  scene.m_models.push_back(std::move(m));
  RebuildHierarchyWalk(scene);
  return scene;
}

void RunModelScript(benchmark::State& state, Scene& scene, bool webgpu) {
  const std::string path = (std::filesystem::temp_directory_path() / "qv-bench-Model_logo.js").string();
  for (auto _ : state) {
    const bool ok = webgpu ? WriteModelClass(scene, path, 1.0f) : WriteModelScript(scene, path, 1.0f);
    if (!ok) state.SkipWithError("cannot write the model script");
  }
  const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["script_MB"] = static_cast<double>(bytes) / 1e6;
  ExportMesh mesh;
  BuildExportMesh(scene, 1.0f, mesh);
  state.counters["vertices"] = static_cast<double>(mesh.vertices.size());
  state.counters["triangles"] = static_cast<double>(mesh.indices.size() / 3);
  std::filesystem::remove(path);
}

void BM_ModelScript_50TextModels600Frames(benchmark::State& state) {
  static Scene scene = TextLikeScene();
  RunModelScript(state, scene, state.range(0) != 0);
}
BENCHMARK(BM_ModelScript_50TextModels600Frames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ModelScript_MillionTriangles(benchmark::State& state) {
  static Scene scene = MillionTriangleScene();
  RunModelScript(state, scene, state.range(0) != 0);
}
BENCHMARK(BM_ModelScript_MillionTriangles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
