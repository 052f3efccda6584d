#pragma once
// One palette of at most 256 colours for a whole GIF animation: the colours of every frame are
// counted first (the frames are drawn and dropped), then split by median cut. The counts are
// kept at 5 bits a channel, so memory does not depend on the number of frames.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/rgba_image.h"

namespace qv {

// Pixels with less alpha than this are the transparent index; GIF has no partial transparency.
inline constexpr uint8_t kGifAlphaThreshold = 128;

class ColorHistogram {
 public:
  ColorHistogram();
  void Add(const RgbaImage& image);
  bool SawTransparent() const { return m_sawTransparent; }

  // Opaque 0xFFRRGGBB entries, at most `maxColors` (>= 1), most frequent regions first; an empty
  // histogram gives one black entry.
  std::vector<uint32_t> MedianCut(int maxColors) const;

 private:
  std::vector<uint32_t> m_counts;  // 32768 cells, index r5 << 10 | g5 << 5 | b5
  bool m_sawTransparent = false;
};

// Maps pixels to the nearest palette entry, remembering the answer per cell of 6 bits a channel
// (finer than the counting, so neighbouring shades of smooth shading stay apart).
class PaletteMapper {
 public:
  // `transparentIndex` < 0: no transparency; pixels below kGifAlphaThreshold map there otherwise.
  PaletteMapper(std::vector<uint32_t> palette, int transparentIndex);
  uint8_t Index(const uint8_t* rgba);
  const std::vector<uint32_t>& Palette() const { return m_palette; }

 private:
  uint8_t Nearest(int r, int g, int b) const;
  std::vector<uint32_t> m_palette;
  int m_transparentIndex;
  std::vector<int16_t> m_cache;  // 262144 cells of 6 bits a channel, -1 = not yet known
};

}  // namespace qv
