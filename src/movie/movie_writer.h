#pragma once
// Writes the frames of an animation as a movie file: each frame is drawn, encoded and dropped,
// so memory does not grow with the number of frames. The file appears at `path` only when it is
// complete (temporary name in the same folder, renamed at the end).
#include <cstdint>
#include <functional>
#include <string>

#include "movie/movie_encoder.h"
#include "movie/movie_format.h"
#include "scene/scene.h"

namespace qv {

// Called after each frame drawn: work done and the total (a GIF draws every frame twice, once to
// choose its palette).
using MovieProgress = std::function<void(int64_t done, int64_t total)>;

// Writes `settings` for `scene`, whose current animation has frames 0 to `animationLastFrame`.
// Throws MovieError for settings that cannot be written (nothing is created then), when OpenGL
// is not available or encoding fails, and FileException when the file cannot be written; a
// failure never leaves a file at `path`, nor replaces one that was there.
void WriteMovie(Scene& scene, const MovieSettings& settings, int32_t animationLastFrame, const std::string& path,
                const MovieProgress& progress = {});

}  // namespace qv
