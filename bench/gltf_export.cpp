// The glTF export of a 100-character text logo (DejaVu Sans, 61 frames turning by keys), beside
// the WebGL export of the same scene. Time: building the asset and packing the .glb in memory,
// and the whole export to a file. Counters (bytes): the .glb and its gzip, the WebGL model script
// and its gzip, and the whole WebGL site (page, style sheet, scene and model scripts, the seven
// runtime files) with the sum of its files' gzips, as a web server would send them.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "animation/interpolation.h"
#include "export/gltf_export.h"
#include "export/model_script.h"
#include "export/page_writers.h"
#include "export/web_export.h"
#include "geometry/model_geometry.h"
#include "geometry/text_model.h"
#include "scene/hierarchy_walk.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string kHundredCharacters =
    "Quorvel Logo turns a short line of text into an animated 3D logo for the web, and now for glTF too";

// The scene, or nothing when the font is missing.
Scene* TextScene() {
  static Scene* scene = [] {
    auto* s = new Scene;
    s->Reset();
    s->m_lastFrame = 60;
    TextParameters text;
    text.fontName = "DejaVu Sans";
    text.text = kHundredCharacters.substr(0, 100);
    if (CreateTextModel(*s, text) < 0 || s->m_models[0].m_vertices.empty()) {
      delete s;
      return static_cast<Scene*>(nullptr);
    }
    Track& track = s->m_models[0].m_tracks[0];
    track[30].m_rotation = {0, 90, 0};
    track[30].m_key = 1;
    track[60].m_rotation = {0, 180, 0};
    track[60].m_key = 1;
    for (CModel& model : s->m_models) RebuildModelGeometry(model, s->m_materials.size());
    RebuildHierarchyWalk(*s);
    RecomputeAllFrames(*s);
    return s;
  }();
  return scene;
}

size_t GzipSize(const std::string& bytes) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);  // gzip wrapper
  std::string out(deflateBound(&z, bytes.size()) + 32, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  const size_t size = z.total_out;
  deflateEnd(&z);
  return size;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path WorkFolder() {
  const fs::path folder = fs::temp_directory_path() / ("qv-bench-gltf-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  return folder;
}

void BM_GltfAssetInMemory(benchmark::State& state) {
  Scene* scene = TextScene();
  if (!scene) return state.SkipWithError("DejaVu Sans is not installed");
  GltfExportOptions options;
  size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> glb = PackGlb(BuildGltfAsset(*scene, options, true, "logo"));
    bytes = glb.size();
    benchmark::DoNotOptimize(glb.data());
  }
  const std::vector<uint8_t> glb = PackGlb(BuildGltfAsset(*scene, options, true, "logo"));
  state.counters["glb"] = static_cast<double>(bytes);
  state.counters["glb_gzip"] = static_cast<double>(GzipSize(std::string(glb.begin(), glb.end())));
  state.counters["vertices"] = static_cast<double>(scene->m_models[0].m_vertices.size());
}
BENCHMARK(BM_GltfAssetInMemory)->Unit(benchmark::kMillisecond);

void BM_GltfExportToFile(benchmark::State& state) {
  Scene* scene = TextScene();
  if (!scene) return state.SkipWithError("DejaVu Sans is not installed");
  const fs::path folder = WorkFolder();
  for (auto _ : state) ExportGltf(*scene, (folder / "logo.glb").string(), {});
  fs::remove_all(folder);
}
BENCHMARK(BM_GltfExportToFile)->Unit(benchmark::kMillisecond);

// The WebGL export's files of the same scene, for the sizes.
void BM_WebGLModelScriptForComparison(benchmark::State& state) {
  Scene* scene = TextScene();
  if (!scene) return state.SkipWithError("DejaVu Sans is not installed");
  const fs::path folder = WorkFolder();
  const std::string script = (folder / "Model_logo.js").string();
  for (auto _ : state) WriteModelScript(*scene, script, 1.0f);
  const std::string text = ReadAll(script);
  state.counters["script"] = static_cast<double>(text.size());
  state.counters["script_gzip"] = static_cast<double>(GzipSize(text));
  WriteStyleSheet(*scene, (folder / "styles.css").string());
  WriteHtmlPage((folder / "logo.html").string(), "webgl", "logo");
  WriteWebGLScene(*scene, (folder / "logo.js").string(), "logo");
  size_t site = 0, siteGzip = 0;
  std::vector<fs::path> files{script, folder / "styles.css", folder / "logo.html", folder / "logo.js"};
  // The files both kinds use are kept once, in shared/.
  const fs::path runtime = fs::path(QV_SOURCE_DIR) / "web_runtime";
  for (const std::string& name : RuntimeFileNames(WebExportKind::kWebGL))
    files.push_back(fs::exists(runtime / "webgl" / name) ? runtime / "webgl" / name : runtime / "shared" / name);
  for (const fs::path& file : files) {
    const std::string bytes = ReadAll(file);
    site += bytes.size();
    siteGzip += GzipSize(bytes);
  }
  state.counters["site"] = static_cast<double>(site);
  state.counters["site_gzip"] = static_cast<double>(siteGzip);
  fs::remove_all(folder);
}
BENCHMARK(BM_WebGLModelScriptForComparison)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
