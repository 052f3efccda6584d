#pragma once
// Encodes frames one at a time into a movie container written to an open file descriptor, with
// FFmpeg's libraries: nothing but the encoder's own look-ahead is kept between frames.
#include <memory>
#include <stdexcept>
#include <string>

#include "movie/movie_format.h"
#include "platform/rgba_image.h"

namespace qv {

class PaletteMapper;

// An encoder or container failure, with FFmpeg's reason.
class MovieError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class MovieEncoder {
 public:
  // Starts the container on `fd` (seekable, not owned) for frames of settings.width x height at
  // settings.fps. GIF needs `palette` (kept, not owned) for the whole animation. Throws MovieError.
  MovieEncoder(int fd, const MovieSettings& settings, PaletteMapper* palette = nullptr);
  ~MovieEncoder();
  MovieEncoder(const MovieEncoder&) = delete;
  MovieEncoder& operator=(const MovieEncoder&) = delete;

  // The next frame, RGBA of the movie's size (alpha ignored unless transparent). Throws MovieError.
  void AddFrame(const RgbaImage& image);
  // Drains the encoder and writes the container's end. Throws MovieError.
  void Finish();

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace qv
