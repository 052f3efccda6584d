// Reading a glyph: walking the native outline records and flattening their quadratic curves.
#include "geometry/glyph_outline.h"

#include <cstring>

#include "platform/native_outline.h"
#include "platform/platform_font.h"

namespace qv {

namespace {

struct WorkPoint {
  int32_t x;
  int32_t y;
  bool offCurve;
};

uint32_t Read32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t Read16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

// Emits the contour held in `work` (entries 0 .. count - 1 plus the sentinel at count).
void EmitContour(const std::vector<WorkPoint>& work, size_t count, int32_t subdivisions, OutlineContour& polygon) {
  constexpr float kCell = 2048.0f;
  auto fx = [](int32_t v) { return FixedToFloat(v); };
  for (size_t i = 0; i < count; ++i) {
    const WorkPoint& e = work[i];
    if (!e.offCurve) {
      polygon.AddPoint(fx(e.x) / kCell, fx(e.y) / kCell);
      continue;
    }
    // A control point: the curve runs from the previous on-curve point (or the midpoint with
    // the previous control point) to the next one (or the midpoint with the next control point).
    const WorkPoint& prev = work[i - 1];
    const WorkPoint& next = work[i + 1];
    float cx = fx(e.x), cy = fx(e.y);
    float p0x = fx(prev.x), p0y = fx(prev.y);
    if (prev.offCurve) {
      p0x = (p0x + cx) / 2.0f;
      p0y = (p0y + cy) / 2.0f;
    }
    float p2x = fx(next.x), p2y = fx(next.y);
    if (next.offCurve) {
      p2x = (cx + p2x) / 2.0f;
      p2y = (cy + p2y) / 2.0f;
    }
    for (int32_t k = 1; k < subdivisions; ++k) {
      float t = static_cast<float>(k) / static_cast<float>(subdivisions);
      float x = p0x + 2.0f * t * (cx - p0x) + t * t * (p0x - 2.0f * cx + p2x);
      float y = p0y + 2.0f * t * (cy - p0y) + t * t * (p0y - 2.0f * cy + p2y);
      polygon.AddPoint(x / kCell, y / kCell);
    }
  }
}

}  // namespace

bool GlyphOutline::ReadGlyph(PlatformFont& font, uint32_t charCode, int32_t subdivisions) {
  m_polygons.clear();
  std::vector<uint8_t> records;
  uint32_t size = font.GlyphOutline(charCode, records);
  if (size == 0 || size == kGlyphOutlineError) return false;
  return ReadRecords(records.data(), records.size(), subdivisions);
}

bool GlyphOutline::ReadGlyphById(PlatformFont& font, uint32_t glyph, int32_t subdivisions) {
  m_polygons.clear();
  std::vector<uint8_t> records;
  uint32_t size = font.GlyphOutlineById(glyph, records);
  if (size == 0 || size == kGlyphOutlineError) return false;
  return ReadRecords(records.data(), records.size(), subdivisions);
}

bool GlyphOutline::ReadRecords(const uint8_t* records, size_t size, int32_t subdivisions) {
  m_polygons.clear();
  if (size == 0) return false;
  if (subdivisions < 1) subdivisions = 1;
  // The working list grows with the contour; its first entry is the polygon's start point.
  std::vector<WorkPoint> work;
  size_t offset = 0;
  while (offset + kPolygonHeaderSize <= size) {
    const uint8_t* header = records + offset;
    uint32_t cb = Read32(header);
    // A size that does not fit the buffer ends the walk rather than reading past it.
    if (cb < kPolygonHeaderSize || cb > size - offset) break;
    offset += cb;
    if (Read32(header + 4) != kPolygonType) continue;
    work.clear();
    work.push_back({static_cast<int32_t>(Read32(header + 8)), static_cast<int32_t>(Read32(header + 12)), false});
    size_t at = kPolygonHeaderSize;
    while (at + kCurveHeaderSize <= cb) {
      uint16_t type = Read16(header + at);
      uint16_t count = Read16(header + at + 2);
      size_t bytes = kCurveHeaderSize + size_t{8} * count;
      if (bytes > cb - at) break;
      if (type == kPrimLine || type == kPrimQSpline) {
        for (uint16_t i = 0; i < count; ++i) {
          const uint8_t* p = header + at + kCurveHeaderSize + 8 * i;
          work.push_back({static_cast<int32_t>(Read32(p)), static_cast<int32_t>(Read32(p + 4)), type == kPrimQSpline});
        }
        if (type == kPrimQSpline && count > 0) work.back().offCurve = false;
      }
      at += bytes;
    }
    // Close: a last point repeating the start is dropped; a copy of the start follows the last
    // entry as the next point of the last curve, without being emitted itself.
    size_t n = work.size();
    if (n > 0 && work[n - 1].x == work[0].x && work[n - 1].y == work[0].y) --n;
    work.resize(n);
    work.push_back({work.empty() ? 0 : work[0].x, work.empty() ? 0 : work[0].y, false});
    auto polygon = std::make_unique<OutlineContour>();
    EmitContour(work, n, subdivisions, *polygon);
    m_polygons.push_back(std::move(polygon));
  }
  return true;
}

float CharacterAdvance(PlatformFont& font, uint32_t charCode) {
  AbcWidths widths;
  if (!font.CharAbcWidths(charCode, widths)) return 0.0f;
  int64_t sum = int64_t{widths.a} + int64_t{widths.b} + int64_t{widths.c};
  return static_cast<float>(sum) / 2048.0f;
}

}  // namespace qv
