// Writing a movie of the sample logo (tests/data/gltf/hierarchy.qvlogo: 60 frames at 800 × 600)
// in each format: frames per second of the whole pipeline (draw offscreen, read back, convert,
// encode, write) and the size of the file written. GIF draws every frame twice (palette pass).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "animation/interpolation.h"
#include "movie/movie_writer.h"
#include "scene/document_file.h"

namespace {

using namespace qv;

void WriteMovieOfTheSampleLogo(benchmark::State& state, MovieFormat format, const char* extension) {
  Scene scene;
  if (LoadDocumentFile(std::string(QV_SOURCE_DIR) + "/tests/data/gltf/hierarchy.qvlogo", scene)) {
    state.SkipWithError("cannot load the sample logo");
    return;
  }
  RecomputeAllFrames(scene);
  MovieSettings settings;
  settings.format = format;
  settings.width = 800;
  settings.height = 600;
  settings.fps = scene.m_fps;
  settings.firstFrame = 0;
  settings.lastFrame = 59;
  settings.loops = IsVideoFormat(format) ? 1 : 0;
  const std::string path = "/tmp/qvlogo-bench-movie-" + std::to_string(getpid()) + extension;
  for (auto _ : state) WriteMovie(scene, settings, scene.m_lastFrame, path);
  struct stat st {};
  stat(path.c_str(), &st);
  unlink(path.c_str());
  state.counters["fps"] = benchmark::Counter(60.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bytes"] = static_cast<double>(st.st_size);
}

BENCHMARK_CAPTURE(WriteMovieOfTheSampleLogo, mp4, MovieFormat::kMp4, ".mp4")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WriteMovieOfTheSampleLogo, webm, MovieFormat::kWebm, ".webm")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WriteMovieOfTheSampleLogo, gif, MovieFormat::kGif, ".gif")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WriteMovieOfTheSampleLogo, apng, MovieFormat::kApng, ".png")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(WriteMovieOfTheSampleLogo, webp, MovieFormat::kWebp, ".webp")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
