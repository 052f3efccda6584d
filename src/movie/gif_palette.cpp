#include "movie/gif_palette.h"

#include <algorithm>
#include <limits>

namespace qv {

namespace {

constexpr int kCells = 1 << 15;

int CellOf(int r, int g, int b) { return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); }

// A box of histogram cells, split along its widest channel at the median count.
struct Box {
  std::vector<uint16_t> cells;
  uint64_t total = 0;
  int Range(int channel) const {
    int lo = 31, hi = 0;
    for (uint16_t c : cells) {
      const int v = (c >> (10 - 5 * channel)) & 31;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    return hi - lo;
  }
};

}  // namespace

ColorHistogram::ColorHistogram() : m_counts(kCells, 0) {}

void ColorHistogram::Add(const RgbaImage& image) {
  for (size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    const uint8_t* p = &image.pixels[i];
    if (p[3] < kGifAlphaThreshold) {
      m_sawTransparent = true;
      continue;
    }
    uint32_t& count = m_counts[CellOf(p[0], p[1], p[2])];
    if (count != std::numeric_limits<uint32_t>::max()) ++count;
  }
}

std::vector<uint32_t> ColorHistogram::MedianCut(int maxColors) const {
  std::vector<Box> boxes(1);
  for (int c = 0; c < kCells; ++c)
    if (m_counts[c]) {
      boxes[0].cells.push_back(static_cast<uint16_t>(c));
      boxes[0].total += m_counts[c];
    }
  if (boxes[0].cells.empty()) return {0xFF000000u};

  while (static_cast<int>(boxes.size()) < maxColors) {
    // Split the box with the most pixels that still holds more than one cell.
    int best = -1;
    for (size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].cells.size() > 1 && (best < 0 || boxes[i].total > boxes[best].total)) best = static_cast<int>(i);
    if (best < 0) break;
    Box& box = boxes[best];
    int channel = 0;
    for (int ch = 1; ch < 3; ++ch)
      if (box.Range(ch) > box.Range(channel)) channel = ch;
    const int shift = 10 - 5 * channel;
    std::sort(box.cells.begin(), box.cells.end(),
              [shift](uint16_t a, uint16_t b) { return ((a >> shift) & 31) < ((b >> shift) & 31); });
    uint64_t running = 0;
    size_t split = 1;
    for (; split < box.cells.size(); ++split) {
      running += m_counts[box.cells[split - 1]];
      if (running * 2 >= box.total) break;
    }
    split = std::min(split, box.cells.size() - 1);
    Box upper;
    upper.cells.assign(box.cells.begin() + static_cast<std::ptrdiff_t>(split), box.cells.end());
    box.cells.resize(split);
    for (uint16_t c : upper.cells) upper.total += m_counts[c];
    box.total -= upper.total;
    boxes.push_back(std::move(upper));
  }

  std::vector<uint32_t> palette;
  for (const Box& box : boxes) {
    // The count-weighted mean of the cells' centres.
    uint64_t r = 0, g = 0, b = 0, n = 0;
    for (uint16_t c : box.cells) {
      const uint64_t w = m_counts[c];
      r += w * (((c >> 10) & 31) * 8 + 4);
      g += w * (((c >> 5) & 31) * 8 + 4);
      b += w * ((c & 31) * 8 + 4);
      n += w;
    }
    palette.push_back(0xFF000000u | static_cast<uint32_t>(r / n) << 16 | static_cast<uint32_t>(g / n) << 8 |
                      static_cast<uint32_t>(b / n));
  }
  return palette;
}

PaletteMapper::PaletteMapper(std::vector<uint32_t> palette, int transparentIndex)
    : m_palette(std::move(palette)), m_transparentIndex(transparentIndex), m_cache(1 << 18, -1) {}

uint8_t PaletteMapper::Nearest(int r, int g, int b) const {
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (size_t i = 0; i < m_palette.size(); ++i) {
    if (static_cast<int>(i) == m_transparentIndex) continue;
    const int dr = static_cast<int>((m_palette[i] >> 16) & 255) - r;
    const int dg = static_cast<int>((m_palette[i] >> 8) & 255) - g;
    const int db = static_cast<int>(m_palette[i] & 255) - b;
    // Weighted towards green, which the eye sees best.
    const int distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return static_cast<uint8_t>(best);
}

uint8_t PaletteMapper::Index(const uint8_t* rgba) {
  if (m_transparentIndex >= 0 && rgba[3] < kGifAlphaThreshold) return static_cast<uint8_t>(m_transparentIndex);
  const int cell = (rgba[0] >> 2) << 12 | (rgba[1] >> 2) << 6 | (rgba[2] >> 2);
  int16_t& known = m_cache[cell];
  if (known < 0) known = Nearest((rgba[0] & ~3) | 2, (rgba[1] & ~3) | 2, (rgba[2] & ~3) | 2);
  return static_cast<uint8_t>(known);
}

}  // namespace qv
