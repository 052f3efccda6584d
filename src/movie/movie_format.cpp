#include "movie/movie_format.h"

#include <cctype>
#include <cmath>

namespace qv {

std::optional<MovieFormat> MovieFormatOfPath(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "mp4") return MovieFormat::kMp4;
  if (extension == "webm") return MovieFormat::kWebm;
  if (extension == "gif") return MovieFormat::kGif;
  if (extension == "png" || extension == "apng") return MovieFormat::kApng;
  if (extension == "webp") return MovieFormat::kWebp;
  return std::nullopt;
}

const char* MovieFormatName(MovieFormat format) {
  switch (format) {
    case MovieFormat::kMp4: return "MP4";
    case MovieFormat::kWebm: return "WebM";
    case MovieFormat::kGif: return "GIF";
    case MovieFormat::kApng: return "animated PNG";
    case MovieFormat::kWebp: return "animated WebP";
  }
  return "?";
}

bool IsVideoFormat(MovieFormat format) { return format == MovieFormat::kMp4 || format == MovieFormat::kWebm; }

std::string CheckMovieSettings(const MovieSettings& s, int32_t animationLastFrame) {
  if (s.width < 1 || s.height < 1 || s.width > kMaxMovieSide || s.height > kMaxMovieSide)
    return "size must be WIDTHxHEIGHT between 1 and " + std::to_string(kMaxMovieSide);
  if (s.format == MovieFormat::kMp4 && (s.width % 2 || s.height % 2))
    return "H.264 in MP4 needs an even width and height, not " + std::to_string(s.width) + "x" +
           std::to_string(s.height);
  if (s.supersample < 1 || s.supersample > kMaxSupersample)
    return "supersample must be between 1 and " + std::to_string(kMaxSupersample);
  if (static_cast<int64_t>(s.width) * s.supersample > kMaxMovieSide ||
      static_cast<int64_t>(s.height) * s.supersample > kMaxMovieSide)
    return "the supersampled size must stay within " + std::to_string(kMaxMovieSide) + " pixels a side";
  if (!(s.fps > 0) || !std::isfinite(s.fps) || s.fps > 1000)
    return "the document's frame rate must be a positive number up to 1000 to make a movie";
  if (s.firstFrame < 0 || s.lastFrame > animationLastFrame || s.firstFrame > s.lastFrame)
    return "frames must run from F to L within 0 to " + std::to_string(animationLastFrame) + ", F not after L";
  if (s.transparent && s.format == MovieFormat::kMp4)
    return "H.264 in MP4 has no transparency: write .webm, .png, .webp or .gif with --transparent";
  if (s.loops < 0) return "loops must be 0 (forever) or more";
  if (IsVideoFormat(s.format) && s.loops < 1)
    return "a video cannot repeat forever: give --loops 1 or more for " + std::string(MovieFormatName(s.format));
  if (s.loops > 65535) return "loops must be at most 65535";
  return {};
}

}  // namespace qv
