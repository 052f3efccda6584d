// movie: the animation drawn frame by frame and encoded as a video or an animated image.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "publish/file_export.h"
#include "publish/movie_options.h"
#include "platform/picture_size.h"

namespace qv::cli {

namespace {

struct MovieOptions {
  std::string doc, out;
  std::optional<std::string> size;
  std::optional<int32_t> from, to;
  std::optional<int> loops;
  bool transparent = false;
  int supersample = 1;
};

std::string Clock(double seconds) {
  const int whole = static_cast<int>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
  return text;
}

// "12/60 frames drawn, 0:03 elapsed, about 0:12 left" on one line that rewrites itself.
class ProgressLine {
 public:
  ProgressLine() : m_start(std::chrono::steady_clock::now()) {}
  void Show(int64_t done, int64_t total) {
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    const double left = done > 0 ? elapsed * static_cast<double>(total - done) / static_cast<double>(done) : 0;
    std::fprintf(stderr, "\r%lld/%lld frames drawn, %s elapsed, about %s left   ", static_cast<long long>(done),
                 static_cast<long long>(total), Clock(elapsed).c_str(), Clock(left).c_str());
    if (done == total) std::fputc('\n', stderr);
    std::fflush(stderr);
  }

 private:
  std::chrono::steady_clock::time_point m_start;
};

void RunMovie(const MovieOptions& o) {
  const std::optional<MovieFormat> format = MovieFormatOfPath(o.out);
  if (!format) throw CommandFailure{"the output must end in .mp4, .webm, .gif, .png or .webp: " + o.out};
  RefuseOutputOverInput(o.out, o.doc);
  // Textures decoded: the frames are what `render --no-guides` draws.
  EditSession session(o.doc, /*createIfMissing=*/false, /*loadTextures=*/true);
  Scene& scene = session.doc().scene();

  MovieSettings settings = DefaultMovieSettings(scene, *format);
  if (o.size) {
    const std::optional<PictureSize> size = ParsePictureSize(*o.size, kMaxMovieSide);
    if (!size) throw CommandFailure{PictureSizeRule("--size", kMaxMovieSide)};
    settings.width = size->width;
    settings.height = size->height;
  }
  if (o.from) settings.firstFrame = *o.from;
  if (o.to) settings.lastFrame = *o.to;
  if (o.loops) settings.loops = *o.loops;
  settings.transparent = o.transparent;
  settings.supersample = o.supersample;

  ProgressLine line;
  MovieProgress progress;
  if (isatty(STDERR_FILENO)) progress = [&line](int64_t done, int64_t total) { line.Show(done, total); };
  try {
    WriteDocumentMovie(scene, settings, o.out, progress);
  } catch (const FileExportError& e) {
    throw CommandFailure{e.what()};
  }
}

}  // namespace

void AddMovieCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto options = std::make_shared<MovieOptions>();
  CLI::App* cmd = app.add_subcommand(
      "movie", "Write the animation as a video or an animated image (.mp4, .webm, .gif, .png, .webp)");
  cmd->add_option("DOC", options->doc, "document to draw")->required();
  cmd->add_option("-o,--output", options->out, "file to write; its extension chooses the format")->required();
  cmd->add_option("--size", options->size, "picture size WxH (default: the document's canvas)");
  cmd->add_option("--from", options->from, "first frame (default 0)");
  cmd->add_option("--to", options->to, "last frame (default the animation's last)");
  cmd->add_option("--loops", options->loops,
                  "animated images: times played, 0 forever (default); videos: times the frames are repeated");
  cmd->add_flag("--transparent", options->transparent, "no background: alpha 0 where no model is (not MP4)");
  cmd->add_option("--supersample", options->supersample, "draw at K times the size and scale down (1 to 4)")
      ->capture_default_str();
  commands.emplace_back(cmd, [options] { RunMovie(*options); });
}

}  // namespace qv::cli
