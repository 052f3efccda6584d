// qvlogo movie: every format written, read back with the same libraries and compared with
// qvlogo render --no-guides of the same frames; transparency; refusals leave nothing behind.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "movie/frame_compose.h"
#include "movie/movie_reader.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string kDocument = std::string(QV_TEST_DATA_DIR) + "/gltf/hierarchy.qvlogo";  // 60 frames at 30 fps

using testing::Args;
using testing::CommandRun;
using testing::Qvlogo;

RgbaImage LoadPng(const std::string& path) {
  RgbaImage image;
  int channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
  if (!pixels) return image;
  image.pixels.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 4);
  stbi_image_free(pixels);
  return image;
}

// Peak signal-to-noise ratio over the colour channels, in dB (1000 for identical pictures).
double Psnr(const RgbaImage& a, const RgbaImage& b) {
  if (a.width != b.width || a.height != b.height) return 0;
  double sum = 0;
  size_t count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    if (i % 4 == 3) continue;
    const double d = double(a.pixels[i]) - double(b.pixels[i]);
    sum += d * d;
    ++count;
  }
  if (sum == 0) return 1000;
  return 10 * std::log10(255.0 * 255.0 / (sum / double(count)));
}

class MovieFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { dir = std::make_unique<testing::ScratchFolder>("qvlogo movie"); }
  static void TearDownTestSuite() { dir.reset(); }
  static std::string Path(const std::string& name) { return dir->Path(name); }
  // The reference pictures of frames 10 to 15 at 160x120, drawn once for all formats.
  static const RgbaImage& Reference(int frame) {
    static std::map<int, RgbaImage> pictures;
    auto [it, added] = pictures.try_emplace(frame);
    if (added) {
      const std::string png = Path("frame" + std::to_string(frame) + ".png");
      EXPECT_EQ(Qvlogo({"render", kDocument, "--no-guides", "--size", "160x120", "--frame", std::to_string(frame),
                        "-o", png})
                    .status,
                0);
      it->second = LoadPng(png);
    }
    return it->second;
  }
  static std::unique_ptr<testing::ScratchFolder> dir;
};
std::unique_ptr<testing::ScratchFolder> MovieFile::dir;

TEST_F(MovieFile, EveryFormatReadsBackAsTheRenderedFrames) {
  const struct {
    const char* name;
    double minPsnr;  // 1000: identical (lossless formats)
    double fpsTolerance;  // GIF counts time in hundredths of a second
  } formats[] = {
      {"out.mp4", 35, 0.01}, {"out.webm", 35, 0.1}, {"out.png", 1000, 0.01}, {"out.gif", 35, 1.0},
      {"out.webp", 1000, 0.2},
  };
  for (const auto& f : formats) {
    SCOPED_TRACE(f.name);
    const CommandRun run = Qvlogo({"movie", kDocument, "--size", "160x120", "--from", "10", "--to", "15", "-o", Path(f.name)});
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("frames drawn"), std::string::npos) << "no progress line when not on a terminal";
    double worst = 1000;
    const MovieFileInfo info = ReadMovieFile(Path(f.name), [&](int64_t index, const RgbaImage& image) {
      worst = std::min(worst, Psnr(image, Reference(10 + static_cast<int>(index))));
    });
    EXPECT_EQ(info.frames, 6);
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 120);
    EXPECT_NEAR(info.fps, 30.0, f.fpsTolerance);
    EXPECT_GE(worst, f.minPsnr);
  }
}

// A player shows every frame of the range, the last one too, each for 1/fps: an MP4 whose edit
// list ends where its last frame starts drops that frame, and a WebM whose length ends there cuts
// it short.
TEST_F(MovieFile, EveryFrameOfTheRangePlaysForItsWholeTime) {
  const std::string slower = Path("24 fps.qvlogo");
  fs::copy_file(kDocument, slower);
  ASSERT_EQ(Qvlogo({"set", slower, "--fps", "24"}).status, 0);
  const struct {
    const char* extension;
    double tolerance;  // seconds: WebM and WebP count milliseconds, GIF hundredths
  } formats[] = {{"mp4", 1e-6}, {"webm", 0.0015}, {"png", 0.001}, {"gif", 0.01}, {"webp", 0.0015}};
  const struct {
    std::string document;
    double fps;
    int from, to;
  } movies[] = {{kDocument, 30, 0, 30}, {kDocument, 30, 10, 15}, {slower, 24, 0, 30}, {kDocument, 30, 7, 7}};
  for (const auto& movie : movies) {
    for (const auto& f : formats) {
      const std::string name = "range " + std::to_string(movie.from) + "-" + std::to_string(movie.to) + " at " +
                               std::to_string(static_cast<int>(movie.fps)) + "." + f.extension;
      SCOPED_TRACE(name);
      const CommandRun run = Qvlogo({"movie", movie.document, "--size", "64x48", "--from", std::to_string(movie.from),
                                     "--to", std::to_string(movie.to), "-o", Path(name)});
      ASSERT_EQ(run.status, 0) << run.output;
      const MovieFileInfo info = ReadMovieFile(Path(name));
      const int frames = movie.to - movie.from + 1;
      EXPECT_EQ(info.frames, frames);
      // One picture is a still PNG or WebP, with no time of its own.
      const bool still = frames == 1 && (std::string(f.extension) == "png" || std::string(f.extension) == "webp");
      if (!still) {
        EXPECT_NEAR(info.seconds, frames / movie.fps, f.tolerance);
      }
    }
  }
}

TEST_F(MovieFile, TransparentBackgroundIsAlphaZeroAndTheModelOpaque) {
  // Where the opaque picture shows the background all around a pixel, there is no model; where
  // nothing around it is background, the model covers it.
  const RgbaImage& reference = Reference(12);
  const auto background = [&](int x, int y) { return reference.Argb(x, y) == 0xFF1E415Au; };
  const auto all = [&](int x, int y, bool wanted) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (background(x + dx, y + dy) != wanted) return false;
    return true;
  };
  const struct {
    const char* name;
    int tolerance;  // VP9 codes the alpha plane lossily too
  } formats[] = {{"clear.webm", 2}, {"clear.png", 0}, {"clear.gif", 0}, {"clear.webp", 0}};
  for (const auto& format : formats) {
    const std::string name = format.name;
    const int tolerance = format.tolerance;  // a plain local: clang 14 cannot capture a binding
    SCOPED_TRACE(name);
    const CommandRun run =
        Qvlogo({"movie", kDocument, "--size", "160x120", "--from", "12", "--to", "12", "--transparent", "-o", Path(name)});
    ASSERT_EQ(run.status, 0) << run.output;
    int empty = 0, covered = 0, wrong = 0;
    const MovieFileInfo info = ReadMovieFile(Path(name), [&](int64_t, const RgbaImage& image) {
      for (int y = 2; y < image.height - 2; ++y)
        for (int x = 2; x < image.width - 2; ++x) {
          const uint8_t alpha = image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3];
          if (all(x, y, true)) ++empty, wrong += alpha > tolerance;
          if (all(x, y, false)) ++covered, wrong += alpha < 255 - tolerance;
        }
    });
    EXPECT_EQ(info.frames, 1);
    EXPECT_GT(empty, 1000);
    EXPECT_GT(covered, 100);
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(MovieFile, SupersampledFramesAreTheLargerDrawingScaledDown) {
  const std::string large = Path("large.png");
  ASSERT_EQ(Qvlogo({"render", kDocument, "--no-guides", "--size", "320x240", "--frame", "12", "-o", large}).status, 0);
  RgbaImage expected;
  ComposeMovieFrame(LoadPng(large), nullptr, 2, expected);
  const CommandRun run = Qvlogo({"movie", kDocument, "--size", "160x120", "--from", "12", "--to", "12", "--supersample",
                                 "2", "-o", Path("smooth.png")});
  ASSERT_EQ(run.status, 0) << run.output;
  const MovieFileInfo info = ReadMovieFile(Path("smooth.png"), [&](int64_t, const RgbaImage& image) {
    EXPECT_EQ(image.pixels, expected.pixels);
    EXPECT_LT(Psnr(image, Reference(12)), 1000) << "the edges differ from the plain drawing";
  });
  EXPECT_EQ(info.frames, 1);
}

TEST_F(MovieFile, LoopsRepeatVideosAndAreStoredInAnimatedImages) {
  const CommandRun video = Qvlogo(
      {"movie", kDocument, "--size", "160x120", "--from", "10", "--to", "15", "--loops", "2", "-o", Path("twice.webm")});
  ASSERT_EQ(video.status, 0) << video.output;
  EXPECT_EQ(ReadMovieFile(Path("twice.webm")).frames, 12);

  // An animated PNG keeps the count in its animation control chunk: frames, then plays.
  const CommandRun image = Qvlogo(
      {"movie", kDocument, "--size", "160x120", "--from", "10", "--to", "15", "--loops", "3", "-o", Path("thrice.png")});
  ASSERT_EQ(image.status, 0) << image.output;
  std::ifstream file(Path("thrice.png"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t at = bytes.find("acTL");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(bytes.substr(at + 4, 8), std::string("\0\0\0\x06\0\0\0\x03", 8));
}

// GIF delays are hundredths of a second, less than two play as ten: a faster animation shows
// every two hundredths the frame due then, and nothing of the encoder's own reaches the terminal.
TEST_F(MovieFile, GifsFasterThanFiftyFramesASecondKeepTheirDuration) {
  const std::string doc = Path("fast.qvlogo");
  fs::copy_file(kDocument, doc, fs::copy_options::overwrite_existing);
  ASSERT_EQ(Qvlogo({"set", doc, "--fps", "150"}).status, 0);
  const CommandRun run = Qvlogo({"movie", doc, "--size", "32x24", "--from", "0", "--to", "14", "-o", Path("fast.gif")});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "");
  const MovieFileInfo info = ReadMovieFile(Path("fast.gif"));
  EXPECT_EQ(info.frames, 5);  // 15 frames at 150 a second last a tenth of a second
  EXPECT_NEAR(info.fps, 50.0, 1.0);
}

// Sizes an encoder cannot write and movies of more frames than the limit are refused up front, in
// one line of ours.
TEST_F(MovieFile, EncoderLimitsAreRefusedUpFrontInOneLine) {
  const struct {
    Args args;
    const char* out;
    const char* message;
  } refusals[] = {
      {{"--size", "16384x2"}, "wide.webp", "at most 16383 pixels a side"},
      {{"--size", "2x16384"}, "tall.webm", "at most 16383 pixels a side"},
      {{"--size", "4098x4096", "--to", "0"}, "big.mp4", "at most 16777216 pixels a frame (4096x4096)"},
      {{"--size", "4100x4100", "--supersample", "2", "--to", "0"}, "big.png", "more than 67108864"},
      {{"--size", "2x2", "--loops", "65535"}, "long.mp4", "frames x loops"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.out);
    const CommandRun run = Qvlogo(testing::Join({{"movie", kDocument}, r.args, {"-o", Path(r.out)}}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(r.message), std::string::npos) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_FALSE(fs::exists(Path(r.out)));
  }
  const CommandRun render = Qvlogo({"render", kDocument, "--size", "8200x8200", "-o", Path("huge.png")});
  EXPECT_EQ(render.status, 1);
  EXPECT_NE(render.output.find("8192x8192"), std::string::npos) << render.output;
  EXPECT_FALSE(fs::exists(Path("huge.png")));
}

TEST_F(MovieFile, RefusalsLeaveNoFileBehind) {
  std::ofstream(Path("kept.mp4"), std::ios::binary).close();
  ASSERT_TRUE(fs::exists(Path("kept.mp4")));
  const struct {
    Args args;
    const char* out;
    const char* message;
  } refusals[] = {
      {{}, "out.avi", ".mp4, .webm, .gif, .png or .webp"},
      {{"--size", "0x120"}, "zero.mp4", "--size must be WIDTHxHEIGHT, each from 1 to 16384"},
      {{"--size", "160x120abc"}, "junk.webm", "--size must be WIDTHxHEIGHT, each from 1 to 16384"},
      {{"--size", "4294967456x120"}, "wrapped.gif", "--size must be WIDTHxHEIGHT, each from 1 to 16384"},
      {{"--size", "161x120"}, "odd.mp4", "even"},
      {{"--size", "160x120", "--transparent"}, "kept.mp4", "transparency"},
      {{"--size", "160x120", "--from", "50", "--to", "61"}, "range.webm", "frames"},
      {{"--size", "160x120", "--from", "20", "--to", "10"}, "kept.mp4", "frames"},
      {{"--size", "160x120", "--supersample", "9"}, "kept.mp4", "supersample"},
      {{"--size", "160x120", "--loops", "0"}, "kept.mp4", "forever"},
      {{"--size", "160x120", "--to", "1"}, "missing-folder/out.gif", "cannot write"},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.out);
    const CommandRun run = Qvlogo(testing::Join({{"movie", kDocument}, r.args, {"-o", Path(r.out)}}));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find(r.message), std::string::npos) << run.output;
    if (std::string(r.out) != "kept.mp4") {
      EXPECT_FALSE(fs::exists(Path(r.out)));
    }
  }
  EXPECT_EQ(fs::file_size(Path("kept.mp4")), 0u);
  // Nothing but what the tests wrote: no temporary files left.
  for (const auto& entry : fs::directory_iterator(dir->path()))
    EXPECT_EQ(entry.path().filename().string().find(".mp4."), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace qv
