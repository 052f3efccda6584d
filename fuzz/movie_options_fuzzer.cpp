// libFuzzer target: the options of `qvlogo movie` and `render` as typed (output name, size text,
// frame range, loops, supersampling, transparency, frame rate) are either refused with a message
// or describe a movie that can be drawn: sides within the limits (even for MP4), a frame range
// inside the animation, and a drawing size that fits in memory arithmetic without overflow.
//
// Input: a line per option (missing lines keep the default): output name, size, first frame,
// last frame, loops, supersampling, transparent (0/1), frame rate, the animation's last frame.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "movie/movie_format.h"
#include "platform/picture_size.h"
#include "script_checks.h"

namespace {

using qv::fuzz::Check;

std::vector<std::string> Lines(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  for (std::string line; std::getline(in, line) && lines.size() < 9;) lines.push_back(line);
  lines.resize(9);
  return lines;
}

template <typename T>
T Number(const std::string& text, T fallback) {
  std::istringstream in(text);
  T value{};
  return (in >> value) ? value : fallback;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv;
  const std::vector<std::string> option = Lines(data, size);

  const std::optional<MovieFormat> format = MovieFormatOfPath(option[0].empty() ? "out.mp4" : option[0]);
  if (!format) return 0;  // refused by its extension
  MovieSettings settings;
  settings.format = *format;
  if (!option[1].empty()) {
    const std::optional<PictureSize> picture = ParsePictureSize(option[1], kMaxMovieSide);
    if (!picture) return 0;  // refused with the option's rule
    Check(picture->width >= 1 && picture->width <= kMaxMovieSide);
    Check(picture->height >= 1 && picture->height <= kMaxMovieSide);
    settings.width = picture->width;
    settings.height = picture->height;
  }
  const int32_t animationLastFrame = Number<int32_t>(option[8], 60);
  settings.firstFrame = Number<int32_t>(option[2], 0);
  settings.lastFrame = Number<int32_t>(option[3], animationLastFrame);
  settings.loops = Number<int>(option[4], IsVideoFormat(*format) ? 1 : 0);
  settings.supersample = Number<int>(option[5], 1);
  settings.transparent = option[6] == "1";
  settings.fps = Number<float>(option[7], 30.0f);
  if (animationLastFrame < 0) return 0;  // no document has one

  if (!CheckMovieSettings(settings, animationLastFrame).empty()) return 0;
  Check(settings.width >= 1 && settings.width <= kMaxMovieSide);
  Check(settings.height >= 1 && settings.height <= kMaxMovieSide);
  Check(settings.firstFrame >= 0 && settings.firstFrame <= settings.lastFrame &&
        settings.lastFrame <= animationLastFrame);
  Check(settings.supersample >= 1 && settings.supersample <= kMaxSupersample);
  Check(settings.loops >= 0);
  if (*format == MovieFormat::kMp4) Check(settings.width % 2 == 0 && settings.height % 2 == 0 && !settings.transparent);
  // The drawing (supersampled, four bytes a pixel) is sized in 64-bit arithmetic without overflow.
  const int64_t drawnPixels = int64_t{settings.width} * settings.supersample * settings.height * settings.supersample;
  Check(drawnPixels > 0 && drawnPixels <= std::numeric_limits<int64_t>::max() / 4);
  return 0;
}
