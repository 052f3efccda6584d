#pragma once
// The movie and animated-image formats `qvlogo movie` writes, chosen by the output's extension.
#include <cstdint>
#include <optional>
#include <string>

#include "scene/limits.h"

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

// Empty when the settings can be written for an animation whose frames run from 0 to
// `animationLastFrame`; otherwise the reason, fit for the user. Checked up front: each encoder's
// largest size, the pixels drawn (kMaxDrawnPixels) and the frames encoded (kMaxMovieFrames).
std::string CheckMovieSettings(const MovieSettings& settings, int32_t animationLastFrame);

// GIF delays are whole hundredths of a second, and browsers (FFmpeg's reader too) play a delay of
// less than two hundredths as a tenth of a second: a GIF shows at most 50 frames a second.
inline constexpr float kMaxGifFps = 50.0f;

// The frames one pass of the movie shows: every frame from first to last, except in a GIF faster
// than kMaxGifFps, which shows every two hundredths of a second the frame due then (the others
// are dropped) and plays at 50 frames per second, as long as the animation.
int64_t MovieFramesPerPass(const MovieSettings& settings);
// The animation's frame shown as the pass's `index`th (from 0).
int32_t MovieFrameAt(const MovieSettings& settings, int64_t index);
// The frame rate the encoder writes: settings.fps, or kMaxGifFps for such a GIF.
float EncodedFps(const MovieSettings& settings);
// Frames encoded in all: a pass, times loops for a video.
int64_t MovieFramesEncoded(const MovieSettings& settings);

}  // namespace qv
