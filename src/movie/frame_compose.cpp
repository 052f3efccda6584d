#include "movie/frame_compose.h"

#include <algorithm>

namespace qv {

void ComposeMovieFrame(const RgbaImage& overBlack, const RgbaImage* overWhite, int factor, RgbaImage& out) {
  factor = std::max(factor, 1);
  out.width = overBlack.width / factor;
  out.height = overBlack.height / factor;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height * 4);
  const size_t sourceRow = static_cast<size_t>(overBlack.width) * 4;
  const uint32_t count = static_cast<uint32_t>(factor * factor);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      // Premultiplied sums: the drawing over black is the colour already multiplied by alpha.
      uint32_t r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < factor; ++sy) {
        const size_t offset = (static_cast<size_t>(y) * factor + sy) * sourceRow + static_cast<size_t>(x) * factor * 4;
        const uint8_t* black = &overBlack.pixels[offset];
        const uint8_t* white = overWhite ? &overWhite->pixels[offset] : nullptr;
        for (int sx = 0; sx < factor; ++sx, black += 4) {
          r += black[0];
          g += black[1];
          b += black[2];
          if (white) {
            // The background shows through by the same amount in every channel; the largest
            // difference is the safest against rounding.
            const int shown = std::max({white[0] - black[0], white[1] - black[1], white[2] - black[2], 0});
            a += static_cast<uint32_t>(255 - std::min(shown, 255));
            white += 4;
          } else {
            a += 255;
          }
        }
      }
      uint8_t* p = &out.pixels[(static_cast<size_t>(y) * out.width + x) * 4];
      const uint32_t alpha = (a + count / 2) / count;
      if (alpha == 0) {
        p[0] = p[1] = p[2] = p[3] = 0;
        continue;
      }
      // Back from premultiplied: colour = sum / alpha sum, rounded.
      const auto unpremultiply = [&](uint32_t sum) {
        return static_cast<uint8_t>(std::min<uint32_t>((sum * 255 + a / 2) / a, 255));
      };
      p[0] = unpremultiply(r);
      p[1] = unpremultiply(g);
      p[2] = unpremultiply(b);
      p[3] = static_cast<uint8_t>(alpha);
    }
  }
}

}  // namespace qv
