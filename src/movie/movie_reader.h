#pragma once
// Reads a movie file back frame by frame as RGBA pictures, with the same libraries that wrote
// it: for checking what was written (tests, and figures of the written files).
#include <cstdint>
#include <functional>
#include <string>

#include "platform/rgba_image.h"

namespace qv {

struct MovieFileInfo {
  int width = 0;
  int height = 0;
  double fps = 0;      // from the first and last picture's times
  int64_t frames = 0;  // frames decoded, less those a player drops (outside an MP4's edit list)
  double seconds = 0;  // how long it plays: the container's own length, else to the last picture's end
};

// Decodes every frame of `path` and hands it to `frame` (index from 0; the picture is only valid
// during the call). VP9 is read with libvpx so that its alpha channel comes back; animated WebP with
// libwebp. Throws
// MovieError when the file cannot be read.
MovieFileInfo ReadMovieFile(const std::string& path,
                            const std::function<void(int64_t index, const RgbaImage& image)>& frame = {});

}  // namespace qv
