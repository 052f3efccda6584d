#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// An 8-bit RGBA picture, rows from the top, each row left to right, 4 bytes per pixel.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  bool empty() const { return pixels.empty(); }
  // 0xAARRGGBB of one pixel, for comparisons with device colours.
  uint32_t Argb(int x, int y) const {
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
  }
};

}  // namespace qv
