#pragma once
// The native glyph outline format: a byte buffer of polygon records, each a header followed by
// curve records, with points as 16.16 fixed-point numbers in a coordinate system whose character
// cell (ascent plus descent) measures 2048. The font services produce it and the glyph reader
// walks it record by record.
//
//   polygon header (16 bytes): uint32 cb (bytes of this polygon, header included),
//                              uint32 type (kPolygonType), FixedPoint start (on the curve)
//   curve record (4 + 8n bytes): uint16 type (kPrimLine, kPrimQSpline), uint16 n, n FixedPoint
//
// A line record's points are all on the curve. A quadratic spline record's points are control
// points except the last, which is on the curve; between two consecutive control points lies
// their implied midpoint. The contour closes back to the header's start point.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qv {

inline constexpr uint32_t kPolygonType = 24;
inline constexpr uint16_t kPrimLine = 1;
inline constexpr uint16_t kPrimQSpline = 2;
inline constexpr uint16_t kPrimCSpline = 3;  // never produced: cubic curves arrive as quadratics

// Signed 16.16 fixed-point point; its bytes match the platform layout (fraction word first).
struct FixedPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const FixedPoint&) const = default;
};
static_assert(sizeof(FixedPoint) == 8);

inline constexpr size_t kPolygonHeaderSize = 16;
inline constexpr size_t kCurveHeaderSize = 4;

// Integer part plus the 16-bit fraction / 65536, in single precision.
inline float FixedToFloat(int32_t v) {
  return static_cast<float>(static_cast<int16_t>(static_cast<uint32_t>(v) >> 16)) +
         static_cast<float>(static_cast<uint32_t>(v) & 0xFFFFu) / 65536.0f;
}

// Appends records to a buffer. Unaligned-safe: every field is copied byte-wise.
class NativeOutlineWriter {
 public:
  explicit NativeOutlineWriter(std::vector<uint8_t>& out) : out_(out) {}

  void BeginPolygon(FixedPoint start) {
    polygonStart_ = out_.size();
    Put32(0);  // cb, filled in by EndPolygon
    Put32(kPolygonType);
    PutPoint(start);
  }
  void AddCurve(uint16_t type, const FixedPoint* points, uint16_t count) {
    Put16(type);
    Put16(count);
    for (uint16_t i = 0; i < count; ++i) PutPoint(points[i]);
  }
  void EndPolygon() {
    uint32_t cb = static_cast<uint32_t>(out_.size() - polygonStart_);
    std::memcpy(out_.data() + polygonStart_, &cb, 4);
  }

 private:
  void Put16(uint16_t v) { Append(&v, 2); }
  void Put32(uint32_t v) { Append(&v, 4); }
  void PutPoint(FixedPoint p) { Append(&p.x, 4); Append(&p.y, 4); }
  void Append(const void* p, size_t n) {
    const size_t at = out_.size();
    if (at + n > out_.capacity()) out_.reserve(std::max<size_t>(2 * out_.capacity(), at + n + 256));
    out_.resize(at + n);
    std::memcpy(out_.data() + at, p, n);
  }

  std::vector<uint8_t>& out_;
  size_t polygonStart_ = 0;
};

}  // namespace qv
