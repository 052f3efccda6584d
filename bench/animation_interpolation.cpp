// RecomputeAllFrames over scenes of models x frames, Hermite and linear, with a key every 30
// frames. Two sizes per shape show the cost growing linearly with models x frames.
#include <benchmark/benchmark.h>

#include <random>

#include "animation/interpolation.h"
#include "scene/scene.h"

namespace qv {
namespace {

void FillScene(Scene& scene, int models, int frames) {
  std::mt19937 rng(42);
  std::uniform_real_distribution<float> value(-300.0f, 300.0f);
  scene.m_models.assign(models, CModel{});
  for (CModel& model : scene.m_models) {
    model.m_tracks.assign(1, Track(frames));
    Track& track = model.m_tracks[0];
    for (int f = 0; f < frames; f += 30) {
      CAnimation& key = track[f];
      key.m_key = 1;
      key.m_position = {value(rng), value(rng), value(rng)};
      key.m_rotation = {value(rng), value(rng), value(rng)};
      key.m_scale = {1 + value(rng) / 600, 1, 1};
    }
  }
}

void RecomputeAll(benchmark::State& state, bool hermite) {
  const int models = static_cast<int>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  Scene scene;
  FillScene(scene, models, frames);
  scene.m_hermite = hermite;
  for (auto _ : state) {
    RecomputeAllFrames(scene);
    benchmark::DoNotOptimize(scene.m_models[0].m_tracks[0][1]);
  }
  state.SetItemsProcessed(state.iterations() * models * frames);
  state.counters["ns_per_pose"] = benchmark::Counter(
      static_cast<double>(models) * frames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RecomputeAllFramesHermite(benchmark::State& state) { RecomputeAll(state, true); }
void BM_RecomputeAllFramesLinear(benchmark::State& state) { RecomputeAll(state, false); }

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({20, 300})->Args({40, 300})->Args({100, 3600})->Args({200, 3600})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_RecomputeAllFramesHermite)->Apply(Sizes);
BENCHMARK(BM_RecomputeAllFramesLinear)->Apply(Sizes);

}  // namespace
}  // namespace qv
