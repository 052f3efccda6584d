#pragma once
// The movie and animated-image formats `qvlogo movie` writes, chosen by the output's extension.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

enum class MovieFormat {
  kMp4,   // H.264, yuv420p: even sizes, no transparency
  kWebm,  // VP9, with an alpha channel when transparent
  kGif,   // one palette made for the whole animation, optionally a transparent index
  kApng,  // lossless RGB or RGBA
  kWebp,  // animated WebP, lossless
};

// By the path's extension, ignoring letter case: .mp4, .webm, .gif, .png (animated PNG), .webp.
std::optional<MovieFormat> MovieFormatOfPath(const std::string& path);

// "MP4", "WebM", ... for messages.
const char* MovieFormatName(MovieFormat format);

// Videos play once in a player; animated images repeat in a browser or a chat.
bool IsVideoFormat(MovieFormat format);

// What one movie is: the frames of the current animation from `firstFrame` to `lastFrame`, both
// included, at `fps`.
struct MovieSettings {
  MovieFormat format = MovieFormat::kMp4;
  int width = 800;
  int height = 600;
  float fps = 30.0f;
  int32_t firstFrame = 0;
  int32_t lastFrame = 0;
  // Animated images: how many times the animation plays, 0 = forever. Videos: how many times the
  // frames are written one after the other (1 or more).
  int loops = 0;
  bool transparent = false;
  int supersample = 1;  // drawn at this many times the size and scaled down
};

inline constexpr int kMaxMovieSide = 16384;
inline constexpr int kMaxSupersample = 4;

// Empty when the settings can be written for an animation whose frames run from 0 to
// `animationLastFrame`; otherwise the reason, fit for the user.
std::string CheckMovieSettings(const MovieSettings& settings, int32_t animationLastFrame);

}  // namespace qv
