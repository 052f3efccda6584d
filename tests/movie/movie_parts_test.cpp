// The pieces of a movie that need no OpenGL and no encoder: formats and refusals, the frame
// composition for supersampling and transparency, the GIF palette.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "movie/frame_compose.h"
#include "movie/gif_palette.h"
#include "movie/movie_format.h"

namespace qv {
namespace {

TEST(MovieFormat, ChosenByExtensionIgnoringCase) {
  const struct {
    const char* path;
    std::optional<MovieFormat> format;
  } cases[] = {
      {"a.mp4", MovieFormat::kMp4},      {"dir.x/A.MP4", MovieFormat::kMp4}, {"a.webm", MovieFormat::kWebm},
      {"a.gif", MovieFormat::kGif},      {"a.png", MovieFormat::kApng},     {"a.apng", MovieFormat::kApng},
      {"a.WebP", MovieFormat::kWebp},    {"a.avi", std::nullopt},           {"mp4", std::nullopt},
      {"dir.mp4/file", std::nullopt},    {"a.mp4.txt", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(MovieFormatOfPath(c.path), c.format) << c.path;
}

TEST(MovieFormat, RefusesWhatCannotBeWritten) {
  const auto with = [](auto change) {
    MovieSettings s;
    s.format = MovieFormat::kMp4;
    s.lastFrame = 60;
    s.loops = 1;
    change(s);
    return CheckMovieSettings(s, 60);
  };
  EXPECT_EQ(with([](MovieSettings&) {}), "");
  EXPECT_EQ(with([](MovieSettings& s) { s.format = MovieFormat::kGif, s.loops = 0, s.transparent = true; }), "");
  // At each encoder's limits, and a GIF faster than its hundredths of a second.
  const struct {
    const char* what;
    std::function<void(MovieSettings&)> change;
  } accepted[] = {
      {"H.264 at its largest", [](MovieSettings& s) { s.width = 4096, s.height = 4096; }},
      {"H.264 at its widest", [](MovieSettings& s) { s.width = 16384, s.height = 1024; }},
      {"WebP at its largest side", [](MovieSettings& s) { s.format = MovieFormat::kWebp, s.width = 16383, s.height = 2; }},
      {"WebM at its largest side", [](MovieSettings& s) { s.format = MovieFormat::kWebm, s.width = 2, s.height = 16383; }},
      {"8192 x 8192 drawn", [](MovieSettings& s) { s.format = MovieFormat::kApng, s.width = 4096, s.height = 4096, s.supersample = 2; }},
      {"GIF at 1000 frames a second", [](MovieSettings& s) { s.format = MovieFormat::kGif, s.loops = 0, s.fps = 1000; }},
      {"frames x loops at the limit", [](MovieSettings& s) { s.lastFrame = 0, s.loops = 65535; }},
  };
  for (const auto& a : accepted) EXPECT_EQ(with(a.change), "") << a.what;
  const struct {
    const char* what;
    std::function<void(MovieSettings&)> change;
  } refusals[] = {
      {"zero width", [](MovieSettings& s) { s.width = 0; }},
      {"too high", [](MovieSettings& s) { s.height = kMaxMovieSide + 1; }},
      {"odd width for H.264", [](MovieSettings& s) { s.width = 801; }},
      {"odd height for H.264", [](MovieSettings& s) { s.height = 599; }},
      {"transparent H.264", [](MovieSettings& s) { s.transparent = true; }},
      {"last frame after the animation", [](MovieSettings& s) { s.lastFrame = 61; }},
      {"negative first frame", [](MovieSettings& s) { s.firstFrame = -1; }},
      {"first after last", [](MovieSettings& s) { s.firstFrame = 30, s.lastFrame = 29; }},
      {"supersample 0", [](MovieSettings& s) { s.supersample = 0; }},
      {"supersample over the side limit", [](MovieSettings& s) { s.width = 8192, s.supersample = 4; }},
      {"no frame rate", [](MovieSettings& s) { s.fps = 0; }},
      {"video forever", [](MovieSettings& s) { s.loops = 0; }},
      {"negative loops", [](MovieSettings& s) { s.format = MovieFormat::kGif, s.loops = -1; }},
      {"H.264 of more pixels than a video frame", [](MovieSettings& s) { s.width = 4096, s.height = 4098; }},
      {"VP9 of more pixels than a video frame", [](MovieSettings& s) { s.format = MovieFormat::kWebm, s.width = 8192, s.height = 2050; }},
      {"WebP beyond 16383", [](MovieSettings& s) { s.format = MovieFormat::kWebp, s.width = 16384, s.height = 2; }},
      {"WebM beyond 16383", [](MovieSettings& s) { s.format = MovieFormat::kWebm, s.width = 2, s.height = 16384; }},
      {"more pixels than drawn at most", [](MovieSettings& s) { s.format = MovieFormat::kApng, s.width = 16384, s.height = 4098; }},
      {"supersampled beyond the pixels", [](MovieSettings& s) { s.format = MovieFormat::kApng, s.width = 4096, s.height = 4098, s.supersample = 2; }},
      {"frames x loops beyond the limit", [](MovieSettings& s) { s.loops = 65535; }},
      {"loops beyond 65535", [](MovieSettings& s) { s.format = MovieFormat::kGif, s.loops = 65536; }},
  };
  for (const auto& r : refusals) EXPECT_NE(with(r.change), "") << r.what;
}

TEST(MovieFormat, ReasonsNameTheLimit) {
  MovieSettings s;
  s.lastFrame = 60;
  s.loops = 65535;
  EXPECT_EQ(CheckMovieSettings(s, 60), "the movie would have 3997635 frames (frames x loops), more than 1000001");
  s.loops = 1;
  s.format = MovieFormat::kWebp;
  s.width = 16384;
  EXPECT_EQ(CheckMovieSettings(s, 60), "animated WebP is written at most 16383 pixels a side, not 16384x600: choose a smaller --size");
}

// GIF delays are hundredths of a second, and less than two play as ten: faster animations show
// every two hundredths the frame due then; the others play every frame.
TEST(MovieFormat, GifsFasterThanFiftyFramesASecondDropFrames) {
  const struct {
    MovieFormat format;
    float fps;
    int32_t first, last;
    std::vector<int32_t> shown;
  } cases[] = {
      {MovieFormat::kGif, 50, 0, 3, {0, 1, 2, 3}},
      {MovieFormat::kGif, 30, 3, 5, {3, 4, 5}},
      {MovieFormat::kGif, 100, 0, 7, {0, 2, 4, 6}},
      {MovieFormat::kGif, 60, 0, 5, {0, 1, 2, 3, 4}},  // a tenth of a second: five fiftieths
      {MovieFormat::kGif, 150, 10, 24, {10, 13, 16, 19, 22}},
      {MovieFormat::kGif, 1000, 0, 5, {0}},
      {MovieFormat::kWebp, 1000, 0, 3, {0, 1, 2, 3}},
  };
  for (const auto& c : cases) {
    MovieSettings s;
    s.format = c.format;
    s.fps = c.fps;
    s.firstFrame = c.first;
    s.lastFrame = c.last;
    std::vector<int32_t> shown;
    for (int64_t i = 0; i < MovieFramesPerPass(s); ++i) shown.push_back(MovieFrameAt(s, i));
    EXPECT_EQ(shown, c.shown) << c.fps;
    EXPECT_EQ(EncodedFps(s), c.format == MovieFormat::kGif && c.fps > 50 ? 50.0f : c.fps);
  }
}

RgbaImage Picture(int width, int height, std::initializer_list<uint32_t> rgba) {
  RgbaImage image;
  image.width = width;
  image.height = height;
  for (uint32_t p : rgba)
    for (int shift : {24, 16, 8, 0}) image.pixels.push_back(static_cast<uint8_t>(p >> shift));
  return image;
}

TEST(FrameCompose, RecoversAlphaFromTheTwoBackgroundsAndAveragesBlocks) {
  // Opaque red, nothing, and a half-covering translucent green (over black 0,128,0 / over white 127,255,127).
  const RgbaImage black = Picture(3, 1, {0xFF0000FF, 0x000000FF, 0x008000FF});
  const RgbaImage white = Picture(3, 1, {0xFF0000FF, 0xFFFFFFFF, 0x7FFF7FFF});
  RgbaImage out;
  ComposeMovieFrame(black, &white, 1, out);
  EXPECT_EQ(out.pixels, Picture(3, 1, {0xFF0000FF, 0x00000000, 0x00FF0080}).pixels);

  // Opaque: a 2x2 block becomes its mean; the alpha stays 255.
  const RgbaImage block = Picture(2, 2, {0xFF0000FF, 0x000000FF, 0x00FF00FF, 0x0000FFFF});
  ComposeMovieFrame(block, nullptr, 2, out);
  EXPECT_EQ(out.pixels, Picture(1, 1, {0x404040FF}).pixels);

  // Transparent 2x2: one red model pixel among three background ones is a quarter-covered red,
  // not a darkened one.
  const RgbaImage overWhite = Picture(2, 2, {0xFF0000FF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
  const RgbaImage overBlack = Picture(2, 2, {0xFF0000FF, 0x000000FF, 0x000000FF, 0x000000FF});
  ComposeMovieFrame(overBlack, &overWhite, 2, out);
  EXPECT_EQ(out.pixels, Picture(1, 1, {0xFF000040}).pixels);
}

TEST(GifPalette, KeepsFewColoursExactlyAndMapsTransparency) {
  ColorHistogram histogram;
  histogram.Add(Picture(4, 1, {0xF80000FF, 0x00F800FF, 0x0000F8FF, 0x12345600}));
  EXPECT_TRUE(histogram.SawTransparent());
  std::vector<uint32_t> palette = histogram.MedianCut(255);
  ASSERT_EQ(palette.size(), 3u);
  // Each colour comes back as the centre of its 5-bit cell.
  for (uint32_t expected : {0xFFFC0404u, 0xFF04FC04u, 0xFF0404FCu})
    EXPECT_NE(std::find(palette.begin(), palette.end(), expected), palette.end()) << std::hex << expected;
  palette.push_back(0);
  PaletteMapper mapper(palette, 3);
  const RgbaImage pixels = Picture(3, 1, {0x00F000FF, 0x00F00010, 0xFFFFFFFF});
  EXPECT_EQ(mapper.Palette()[mapper.Index(&pixels.pixels[0])], 0xFF04FC04u);
  EXPECT_EQ(mapper.Index(&pixels.pixels[4]), 3);
  EXPECT_NE(mapper.Index(&pixels.pixels[8]), 3);  // white is opaque: never the transparent index

  // Many colours: no more entries than asked, every one opaque.
  ColorHistogram ramp;
  RgbaImage gradient;
  gradient.width = 256;
  gradient.height = 256;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      for (int v : {x, y, (x + y) / 2, 255}) gradient.pixels.push_back(static_cast<uint8_t>(v));
  ramp.Add(gradient);
  const std::vector<uint32_t> many = ramp.MedianCut(256);
  EXPECT_EQ(many.size(), 256u);
  for (uint32_t entry : many) EXPECT_EQ(entry >> 24, 0xFFu);
}

}  // namespace
}  // namespace qv
