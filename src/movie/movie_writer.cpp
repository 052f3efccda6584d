#include "movie/movie_writer.h"

#include "movie/gif_palette.h"
#include "movie/movie_frame_renderer.h"
#include "platform/atomic_file.h"

namespace qv {

void WriteMovie(Scene& scene, const MovieSettings& settings, int32_t animationLastFrame, const std::string& path,
                const MovieProgress& progress) {
  const std::string refusal = CheckMovieSettings(settings, animationLastFrame);
  if (!refusal.empty()) throw MovieError(refusal);

  std::string error;
  auto renderer = MovieFrameRenderer::Create(scene, settings.width, settings.height, settings.supersample,
                                             settings.transparent, &error);
  if (!renderer) throw MovieError("cannot draw: " + error);

  // A GIF faster than its hundredths of a second draws only the frames it can show.
  const int64_t frameCount = MovieFramesPerPass(settings);
  const int repeats = IsVideoFormat(settings.format) ? settings.loops : 1;
  const bool gif = settings.format == MovieFormat::kGif;
  const int64_t total = frameCount * repeats + (gif ? frameCount : 0);
  int64_t done = 0;
  RgbaImage image;

  std::unique_ptr<PaletteMapper> palette;
  if (gif) {
    ColorHistogram histogram;
    for (int64_t i = 0; i < frameCount; ++i) {
      renderer->Render(MovieFrameAt(settings, i), image);
      histogram.Add(image);
      if (progress) progress(++done, total);
    }
    const bool transparentIndex = settings.transparent && histogram.SawTransparent();
    std::vector<uint32_t> colors = histogram.MedianCut(transparentIndex ? 255 : 256);
    if (transparentIndex) colors.push_back(0x00000000u);
    const int index = transparentIndex ? static_cast<int>(colors.size()) - 1 : -1;
    palette = std::make_unique<PaletteMapper>(std::move(colors), index);
  }

  MovieSettings encoded = settings;
  encoded.fps = EncodedFps(settings);
  WriteFileAtomicallyToDescriptor(path, [&](int fd) {
    MovieEncoder encoder(fd, encoded, palette.get());
    for (int pass = 0; pass < repeats; ++pass)
      for (int64_t i = 0; i < frameCount; ++i) {
        renderer->Render(MovieFrameAt(settings, i), image);
        encoder.AddFrame(image);
        if (progress) progress(++done, total);
      }
    encoder.Finish();
  });
}

}  // namespace qv
