#include "publish/movie_options.h"

#include <charconv>
#include <string>

#include "platform/picture_size.h"

namespace qv {

namespace {

std::optional<int> ReadInt(const SettingsStore& store, const char* name) {
  const std::optional<std::string> text = store.Read(kMovieSettingsSection, name);
  if (!text) return std::nullopt;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [stop, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

const char* LoopsName(MovieFormat format) { return IsVideoFormat(format) ? "VideoLoops" : "ImageLoops"; }

}  // namespace

std::optional<MovieFormat> MovieFormatOfSaveType(SaveType type) {
  switch (type) {
    case SaveType::kMp4: return MovieFormat::kMp4;
    case SaveType::kWebm: return MovieFormat::kWebm;
    case SaveType::kGif: return MovieFormat::kGif;
    case SaveType::kApng: return MovieFormat::kApng;
    case SaveType::kWebp: return MovieFormat::kWebp;
    default: return std::nullopt;
  }
}

MovieSettings DefaultMovieSettings(const Scene& scene, MovieFormat format) {
  MovieSettings settings;
  settings.format = format;
  settings.width = scene.m_canvasWidth;
  settings.height = scene.m_canvasHeight;
  settings.fps = scene.m_fps;
  settings.firstFrame = 0;
  settings.lastFrame = scene.m_lastFrame;
  settings.loops = IsVideoFormat(format) ? 1 : 0;
  return settings;
}

MovieSettings RememberedMovieSettings(const SettingsStore& store, const Scene& scene, MovieFormat format) {
  MovieSettings settings = DefaultMovieSettings(scene, format);
  if (const std::optional<std::string> size = store.Read(kMovieSettingsSection, "Size"))
    if (const std::optional<PictureSize> parsed = ParsePictureSize(*size, kMaxMovieSide)) {
      settings.width = parsed->width;
      settings.height = parsed->height;
    }
  const std::optional<int> first = ReadInt(store, "FirstFrame");
  const std::optional<int> last = ReadInt(store, "LastFrame");
  if (first && last && *first >= 0 && *first <= *last && *last <= scene.m_lastFrame) {
    settings.firstFrame = *first;
    settings.lastFrame = *last;
  }
  if (const std::optional<int> loops = ReadInt(store, LoopsName(format)))
    if (*loops >= (IsVideoFormat(format) ? 1 : 0) && *loops <= 65535) settings.loops = *loops;
  if (const std::optional<int> transparent = ReadInt(store, "Transparent"))
    settings.transparent = *transparent != 0 && format != MovieFormat::kMp4;
  if (const std::optional<int> supersample = ReadInt(store, "Supersample"))
    if (*supersample >= 1 && *supersample <= kMaxSupersample) settings.supersample = *supersample;
  return settings;
}

void RememberMovieSettings(SettingsStore& store, const MovieSettings& settings, const Scene& scene) {
  if (settings.width == scene.m_canvasWidth && settings.height == scene.m_canvasHeight)
    store.Remove(kMovieSettingsSection, "Size");
  else
    store.Write(kMovieSettingsSection, "Size", std::to_string(settings.width) + "x" + std::to_string(settings.height));
  if (settings.firstFrame == 0 && settings.lastFrame == scene.m_lastFrame) {
    store.Remove(kMovieSettingsSection, "FirstFrame");
    store.Remove(kMovieSettingsSection, "LastFrame");
  } else {
    store.Write(kMovieSettingsSection, "FirstFrame", std::to_string(settings.firstFrame));
    store.Write(kMovieSettingsSection, "LastFrame", std::to_string(settings.lastFrame));
  }
  store.Write(kMovieSettingsSection, LoopsName(settings.format), std::to_string(settings.loops));
  // An MP4 cannot be transparent: asking for one says nothing about the next WebM.
  if (settings.format != MovieFormat::kMp4)
    store.Write(kMovieSettingsSection, "Transparent", settings.transparent ? "1" : "0");
  store.Write(kMovieSettingsSection, "Supersample", std::to_string(settings.supersample));
}

}  // namespace qv
