// Loading and storing a ~100 MB document against merely reading or writing the same bytes
// through a plain buffered stream, and the peak memory of a load.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "scene/document_file.h"

namespace {

namespace fs = std::filesystem;
using namespace qv;

// ~108 MB: 200 models of 15,000 vertices and 8,000 faces with a 1,800-frame track each.
Scene MakeLargeScene() {
  Scene scene;
  for (int m = 0; m < 200; ++m) {
    CModel model;
    model.m_id = 6 + m;
    model.m_name = "Model_" + std::to_string(m);
    model.m_vertices.resize(15000);
    for (size_t v = 0; v < model.m_vertices.size(); ++v) model.m_vertices[v] = {float(v), float(m), 1.0f};
    model.m_faces.resize(8000);
    for (size_t f = 0; f < model.m_faces.size(); ++f) {
      CFace& face = model.m_faces[f];
      int32_t base = static_cast<int32_t>(f % 14990);
      face.m_indices = {base, base + 1, base + 2};
      if (f % 4 == 0) face.m_uvs = {{0, 0}, {1, 0}, {0, 1}};
    }
    model.m_tracks.assign(1, Track(1800));
    scene.m_models.push_back(std::move(model));
  }
  scene.m_materials.resize(4);
  return scene;
}

const std::string& DocumentPath() {
  static const std::string path = [] {
    std::string p = (fs::temp_directory_path() / ("qvlogo-bench-" + std::to_string(getpid()) + ".qvlogo")).string();
    Scene scene = MakeLargeScene();
    if (StoreDocumentFile(p, scene)) std::abort();
    std::atexit([] { fs::remove(DocumentPath()); fs::remove(DocumentPath() + ".plain"); });
    return p;
  }();
  return path;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(DocumentPath())));
}

void BM_LoadDocument(benchmark::State& state) {
  const std::string& path = DocumentPath();
  for (auto _ : state) {
    Scene scene;
    if (LoadDocumentFile(path, scene)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(scene.m_models.data());
    state.PauseTiming();  // freeing the scene is not part of loading it
    scene = Scene();
    state.ResumeTiming();
  }
  SetBytes(state);
}

void BM_ReadPlainStream(benchmark::State& state) {
  const std::string& path = DocumentPath();
  std::vector<char> chunk(1 << 16);
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    uint64_t sum = 0;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) sum += static_cast<unsigned char>(chunk[0]);
    benchmark::DoNotOptimize(sum);
  }
  SetBytes(state);
}

// The same bytes read into memory of their own, as any loader must keep what it reads.
void BM_ReadPlainStreamIntoMemory(benchmark::State& state) {
  const std::string& path = DocumentPath();
  const uint64_t size = fs::file_size(path);
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes(size);
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    benchmark::DoNotOptimize(bytes.data());
    state.PauseTiming();
    bytes = {};
    state.ResumeTiming();
  }
  SetBytes(state);
}

void BM_StoreDocument(benchmark::State& state) {
  const std::string& path = DocumentPath();
  Scene scene;
  if (LoadDocumentFile(path, scene)) state.SkipWithError("load failed");
  for (auto _ : state) {
    if (StoreDocumentFile(path, scene)) state.SkipWithError("store failed");
  }
  SetBytes(state);
}

void BM_WritePlainStream(benchmark::State& state) {
  const std::string& path = DocumentPath();
  const uint64_t size = fs::file_size(path);
  std::vector<char> chunk(1 << 16, 'x');
  for (auto _ : state) {
    std::ofstream out(path + ".plain", std::ios::binary | std::ios::trunc);
    for (uint64_t written = 0; written < size; written += chunk.size())
      out.write(chunk.data(), static_cast<std::streamsize>(std::min<uint64_t>(chunk.size(), size - written)));
    out.flush();
  }
  SetBytes(state);
}

// Storing makes the file durable before it replaces the old one: the fair plain comparison
// flushes to disk too.
void BM_WritePlainStreamAndSync(benchmark::State& state) {
  const std::string& path = DocumentPath();
  const uint64_t size = fs::file_size(path);
  std::vector<char> chunk(1 << 16, 'x');
  for (auto _ : state) {
    FILE* out = std::fopen((path + ".plain").c_str(), "wb");
    for (uint64_t written = 0; written < size; written += chunk.size())
      std::fwrite(chunk.data(), 1, std::min<uint64_t>(chunk.size(), size - written), out);
    std::fflush(out);
    fsync(fileno(out));
    std::fclose(out);
  }
  SetBytes(state);
}

long ResidentKilobytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Peak resident memory of a load in a fresh child process, against the loaded scene's size.
void BM_LoadPeakMemory(benchmark::State& state) {
  const std::string& path = DocumentPath();
  double ratio = 0, sceneMb = 0;
  for (auto _ : state) {
    malloc_trim(0);  // what earlier benchmarks freed must not count as already resident
    int pipefd[2];
    if (pipe(pipefd) != 0) std::abort();
    pid_t child = fork();
    if (child == 0) {
      long before = ResidentKilobytes();
      Scene scene;
      bool failed = LoadDocumentFile(path, scene).has_value();
      if (failed) std::fprintf(stderr, "load failed in child: %s\n", LoadDocumentFile(path, scene)->text.c_str());
      long after = ResidentKilobytes();
      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      long result[3] = {before, after, usage.ru_maxrss};
      if (write(pipefd[1], result, sizeof result) != sizeof result || failed) _exit(1);
      _exit(0);
    }
    long result[3] = {};
    if (read(pipefd[0], result, sizeof result) != sizeof result) state.SkipWithError("child failed");
    close(pipefd[0]);
    close(pipefd[1]);
    waitpid(child, nullptr, 0);
    sceneMb = (result[1] - result[0]) / 1024.0;
    ratio = double(result[2] - result[0]) / double(result[1] - result[0]);
  }
  state.counters["scene_MB"] = sceneMb;
  state.counters["peak_over_scene"] = ratio;
}

BENCHMARK(BM_LoadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadPlainStream)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadPlainStreamIntoMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StoreDocument)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WritePlainStream)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WritePlainStreamAndSync)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
