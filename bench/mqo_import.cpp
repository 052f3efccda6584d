// Metasequoia import speed in MB/s of .mqo text: the largest file of the shared corpus, and
// generated grids of quadrilaterals (with material and texture coordinates, as Metasequoia
// writes them) at several sizes up to 1,000,000 faces, to show the time growing linearly with
// the file. The whole ImportMQO is timed: parse, smoothing records, tracks, vertex arrays.
// A second set times the parse alone (MqoLoader).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "geometry/import_mqo.h"
#include "scene/scene.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// A (side + 1)^2-vertex grid of side^2 quadrilaterals, written once per process.
std::string GeneratedFile(int faces) {
  static std::map<int, std::string> files;
  auto it = files.find(faces);
  if (it != files.end()) return it->second;
  int side = 1;
  while (side * side < faces) ++side;
  const std::string path =
      (fs::temp_directory_path() / ("qv-bench-" + std::to_string(getpid()) + "-" + std::to_string(faces) + ".mqo")).string();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  std::fprintf(out, "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n");
  std::fprintf(out, "Material 1 {\r\n\t\"mat1\" shader(3) col(1.000 1.000 1.000 1.000) dif(0.800) amb(0.600) "
                    "emi(0.000) spc(0.000) power(5.00)\r\n}\r\n");
  std::fprintf(out, "Object \"grid\" {\r\n\tvisible 15\r\n\tfacet 59.5\r\n\tvertex %d {\r\n", (side + 1) * (side + 1));
  for (int y = 0; y <= side; ++y) {
    for (int x = 0; x <= side; ++x) std::fprintf(out, "\t\t%.4f %.4f %.4f\r\n", x * 1.5, (x * y % 7) * 0.25, y * 1.5);
  }
  std::fprintf(out, "\t}\r\n\tface %d {\r\n", faces);
  int written = 0;
  for (int y = 0; y < side && written < faces; ++y) {
    for (int x = 0; x < side && written < faces; ++x, ++written) {
      const int a = y * (side + 1) + x;
      const double u0 = double(x) / side, u1 = double(x + 1) / side, v0 = double(y) / side, v1 = double(y + 1) / side;
      std::fprintf(out, "\t\t4 V(%d %d %d %d) M(0) UV(%.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f)\r\n", a, a + side + 1,
                   a + side + 2, a + 1, u0, v0, u0, v1, u1, v1, u1, v0);
    }
  }
  std::fprintf(out, "\t}\r\n}\r\nEof\r\n");
  std::fclose(out);
  files[faces] = path;
  return path;
}

struct RemoveGenerated {
  ~RemoveGenerated() {
    for (int faces : {250000, 500000, 1000000}) {
      std::error_code error;
      fs::remove(fs::temp_directory_path() /
                     ("qv-bench-" + std::to_string(getpid()) + "-" + std::to_string(faces) + ".mqo"),
                 error);
    }
  }
} removeGenerated;

std::string LargestCorpusFile() {
  const fs::path root = fs::path(QV_SHARED_DIR) / "corpus" / "mqo";
  std::string best;
  uintmax_t bestSize = 0;
  std::error_code error;
  if (!fs::is_directory(root, error)) return best;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().extension() == ".mqo" && entry.file_size() > bestSize) {
      bestSize = entry.file_size();
      best = entry.path().string();
    }
  }
  return best;
}

void TimeImport(benchmark::State& state, const std::string& path) {
  if (path.empty()) {
    state.SkipWithError("no input file (shared corpus missing)");
    return;
  }
  const auto bytes = static_cast<int64_t>(fs::file_size(path));
  MqoImportOptions options;
  options.loadTextures = false;
  size_t faces = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto scene = std::make_unique<Scene>();
    state.ResumeTiming();
    const MqoImportResult result = ImportMQO(*scene, path, options);
    if (!result.ok()) state.SkipWithError("import failed");
    faces = 0;
    for (const CModel& model : scene->m_models) faces += model.m_faces.size();
    state.PauseTiming();
    scene.reset();  // freeing a million faces is not part of the import
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["faces"] = static_cast<double>(faces);
}

void TimeParse(benchmark::State& state, const std::string& path) {
  const auto bytes = static_cast<int64_t>(fs::file_size(path));
  for (auto _ : state) {
    state.PauseTiming();
    auto scene = std::make_unique<Scene>();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    state.ResumeTiming();
    MqoLoader loader(*scene, file, 0);
    if (loader.Load() != kMqoOk) state.SkipWithError("parse failed");
    state.PauseTiming();
    std::fclose(file);
    scene.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ImportLargestCorpusFile(benchmark::State& state) { TimeImport(state, LargestCorpusFile()); }
void BM_ImportGeneratedGrid(benchmark::State& state) { TimeImport(state, GeneratedFile(static_cast<int>(state.range(0)))); }
void BM_ParseGeneratedGrid(benchmark::State& state) { TimeParse(state, GeneratedFile(static_cast<int>(state.range(0)))); }

BENCHMARK(BM_ImportLargestCorpusFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportGeneratedGrid)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ParseGeneratedGrid)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace qv
