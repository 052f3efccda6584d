#pragma once
// What a movie of the document is when nobody says otherwise, and what the desktop program
// remembers of the last one asked for: the same defaults as `qvlogo movie`.
#include <optional>

#include "document/recent_files.h"
#include "movie/movie_format.h"
#include "scene/scene.h"
#include "scene/user_interaction.h"

namespace qv {

// Where the options are remembered in the settings.
inline constexpr const char* kMovieSettingsSection = "Movie Export";

// The movie format a save-as type writes; nothing for the other types.
std::optional<MovieFormat> MovieFormatOfSaveType(SaveType type);

// The canvas's size, every frame of the current animation at the document's frame rate, videos
// played once and animated images repeating forever, opaque, not supersampled.
MovieSettings DefaultMovieSettings(const Scene& scene, MovieFormat format);

// The defaults with what `store` remembers. The size and the frame range are remembered only when
// they differ from the canvas and the whole animation (otherwise they follow the document), and a
// remembered range that does not fit this animation gives way to the whole one; loops are kept
// apart for videos and animated images (their meanings differ); transparency is not offered for
// MP4. Unreadable values are left at the defaults.
MovieSettings RememberedMovieSettings(const SettingsStore& store, const Scene& scene, MovieFormat format);

// Keeps the options of a movie that was asked for (its format, fps aside).
void RememberMovieSettings(SettingsStore& store, const MovieSettings& settings, const Scene& scene);

}  // namespace qv
