#include "movie/movie_format.h"

#include <cctype>
#include <algorithm>
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

namespace {

bool DropsGifFrames(const MovieSettings& s) { return s.format == MovieFormat::kGif && s.fps > kMaxGifFps; }

// The largest side and pixel count an encoder writes.
struct EncoderSize {
  int side;
  int64_t pixels;
};

EncoderSize EncoderSizeOf(MovieFormat format) {
  switch (format) {
    case MovieFormat::kMp4: return {kMaxMovieSide, kMaxVideoPixels};
    case MovieFormat::kWebm: return {kMaxWebmSide, kMaxVideoPixels};
    case MovieFormat::kWebp: return {kMaxWebpSide, kMaxDrawnPixels};
    case MovieFormat::kGif:
    case MovieFormat::kApng: return {kMaxMovieSide, kMaxDrawnPixels};
  }
  return {kMaxMovieSide, kMaxDrawnPixels};
}

std::string Size(int64_t width, int64_t height) { return std::to_string(width) + "x" + std::to_string(height); }

}  // namespace

int64_t MovieFramesPerPass(const MovieSettings& s) {
  const int64_t frames = int64_t{s.lastFrame} - s.firstFrame + 1;
  if (frames < 1) return 0;
  if (!DropsGifFrames(s)) return frames;
  // The pass lasts frames / fps seconds, in fiftieths.
  return std::max<int64_t>(1, std::llround(static_cast<double>(frames) * kMaxGifFps / s.fps));
}

int32_t MovieFrameAt(const MovieSettings& s, int64_t index) {
  if (!DropsGifFrames(s)) return static_cast<int32_t>(s.firstFrame + index);
  // The frame on show at index fiftieths of a second (a hair added against rounding just below).
  const auto due = static_cast<int64_t>(std::floor(static_cast<double>(index) * s.fps / kMaxGifFps + 1e-9));
  return static_cast<int32_t>(std::min<int64_t>(s.firstFrame + due, s.lastFrame));
}

float EncodedFps(const MovieSettings& s) { return DropsGifFrames(s) ? kMaxGifFps : s.fps; }

int64_t MovieFramesEncoded(const MovieSettings& s) {
  return MovieFramesPerPass(s) * (IsVideoFormat(s.format) ? std::max(s.loops, 1) : 1);
}

std::string CheckMovieSettings(const MovieSettings& s, int32_t animationLastFrame) {
  if (s.width < 1 || s.height < 1 || s.width > kMaxMovieSide || s.height > kMaxMovieSide)
    return "size must be WIDTHxHEIGHT between 1 and " + std::to_string(kMaxMovieSide);
  const EncoderSize most = EncoderSizeOf(s.format);
  if (s.width > most.side || s.height > most.side)
    return std::string(MovieFormatName(s.format)) + " is written at most " + std::to_string(most.side) +
           " pixels a side, not " + Size(s.width, s.height) + ": choose a smaller --size";
  if (int64_t{s.width} * s.height > most.pixels)
    return std::string(MovieFormatName(s.format)) + " is written at most " + std::to_string(most.pixels) +
           " pixels a frame (" + (most.pixels == kMaxVideoPixels ? "4096x4096" : "8192x8192") + "), not " +
           Size(s.width, s.height) + ": choose a smaller --size";
  if (s.format == MovieFormat::kMp4 && (s.width % 2 || s.height % 2))
    return "H.264 in MP4 needs an even width and height, not " + std::to_string(s.width) + "x" +
           std::to_string(s.height);
  if (s.supersample < 1 || s.supersample > kMaxSupersample)
    return "supersample must be between 1 and " + std::to_string(kMaxSupersample);
  if (static_cast<int64_t>(s.width) * s.supersample > kMaxMovieSide ||
      static_cast<int64_t>(s.height) * s.supersample > kMaxMovieSide)
    return "the supersampled size must stay within " + std::to_string(kMaxMovieSide) + " pixels a side";
  if (int64_t{s.width} * s.supersample * s.height * s.supersample > kMaxDrawnPixels)
    return "--size " + Size(s.width, s.height) + " with --supersample " + std::to_string(s.supersample) +
           " draws " + Size(int64_t{s.width} * s.supersample, int64_t{s.height} * s.supersample) + " pixels, more than " +
           std::to_string(kMaxDrawnPixels) + " (8192x8192) a frame";
  if (!(s.fps > 0) || !std::isfinite(s.fps) || s.fps > 1000)
    return "the document's frame rate must be a positive number up to 1000 to make a movie";
  if (s.firstFrame < 0 || s.lastFrame > animationLastFrame || s.firstFrame > s.lastFrame)
    return "frames must run from F to L within 0 to " + std::to_string(animationLastFrame) + ", F not after L";
  if (s.transparent && s.format == MovieFormat::kMp4)
    return "H.264 in MP4 has no transparency: write .webm, .png, .webp or .gif with --transparent";
  if (s.loops < 0) return "loops must be 0 (forever) or more";
  if (IsVideoFormat(s.format) && s.loops < 1)
    return "a video cannot repeat forever: give --loops 1 or more for " + std::string(MovieFormatName(s.format));
  if (s.loops > kMaxMovieLoops) return "loops must be at most " + std::to_string(kMaxMovieLoops);
  if (MovieFramesEncoded(s) > kMaxMovieFrames)
    return "the movie would have " + std::to_string(MovieFramesEncoded(s)) + " frames (frames x loops), more than " +
           std::to_string(kMaxMovieFrames);
  return {};
}

}  // namespace qv
