// Smoothing records and the vertex array of large meshes: a rolling height field of triangles
// (so that the smoothing angle both joins and separates faces). Two sizes show linear growth.
#include <benchmark/benchmark.h>

#include <cmath>

#include "geometry/model_geometry.h"

namespace qv {
namespace {

// A grid of cells x cells quads, each split into two triangles, spread over 4 materials.
CModel HeightField(int faces) {
  const int cells = static_cast<int>(std::sqrt(faces / 2.0));
  CModel m;
  m.m_smoothingAngle = 30.0f;
  for (int y = 0; y <= cells; ++y)
    for (int x = 0; x <= cells; ++x)
      m.m_vertices.push_back({x * 10.0f, y * 10.0f, 40.0f * std::sin(x * 0.3f) * std::cos(y * 0.2f)});
  auto at = [&](int x, int y) { return y * (cells + 1) + x; };
  for (int y = 0; y < cells; ++y) {
    for (int x = 0; x < cells; ++x) {
      CFace a, b;
      a.m_indices.assign({at(x, y), at(x + 1, y), at(x + 1, y + 1)});
      b.m_indices.assign({at(x, y), at(x + 1, y + 1), at(x, y + 1)});
      a.m_material = b.m_material = (x / 16 + y / 16) % 4;
      m.m_faces.push_back(a);
      m.m_faces.push_back(b);
    }
  }
  return m;
}

void BM_SmoothingAndVertexArray(benchmark::State& state) {
  const CModel source = HeightField(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    CModel m = source;  // a freshly loaded model: no records yet
    state.ResumeTiming();
    RebuildSmoothingRecords(m);
    BuildVertexArray(m, 4);
    benchmark::DoNotOptimize(m.m_meshVertices.data());
    state.PauseTiming();
    m = CModel{};  // not timed: freeing the records
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(source.m_faces.size()));
  state.counters["faces"] = static_cast<double>(source.m_faces.size());
}

// Rebuilding a model that already has its records (smoothing angle changed): the lists keep
// their storage.
void BM_SmoothingAndVertexArrayRebuild(benchmark::State& state) {
  CModel m = HeightField(static_cast<int>(state.range(0)));
  RebuildSmoothingRecords(m);
  for (auto _ : state) {
    RebuildSmoothingRecords(m);
    BuildVertexArray(m, 4);
    benchmark::DoNotOptimize(m.m_meshVertices.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(m.m_faces.size()));
  state.counters["faces"] = static_cast<double>(m.m_faces.size());
}

void BM_VertexArrayOnly(benchmark::State& state) {
  CModel m = HeightField(static_cast<int>(state.range(0)));
  RebuildSmoothingRecords(m);
  for (auto _ : state) {
    BuildVertexArray(m, 4);
    benchmark::DoNotOptimize(m.m_meshVertices.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(m.m_faces.size()));
}

BENCHMARK(BM_SmoothingAndVertexArray)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmoothingAndVertexArrayRebuild)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VertexArrayOnly)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
