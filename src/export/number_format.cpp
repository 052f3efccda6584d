#include "export/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

constexpr uint64_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                     100000, 1000000, 10000000, 100000000, 1000000000};

char* Copy(char* out, const char* text) {
  const size_t n = std::strlen(text);
  std::memcpy(out, text, n);
  return out + n;
}

// printf's spelling of a value that is not finite.
char* NonFinite(char* out, bool negative, bool nan) {
  if (negative) *out++ = '-';
  return Copy(out, nan ? "nan" : "inf");
}

// `scaled` is the value times 10^precision, already rounded: the integer part, the point and
// exactly `precision` fraction digits.
char* WriteScaled(char* out, bool negative, uint64_t scaled, int precision) {
  if (negative) *out++ = '-';
  const uint64_t power = kPowersOfTen[precision];
  out = std::to_chars(out, out + 24, scaled / power).ptr;
  if (precision == 0) return out;
  *out++ = '.';
  uint64_t fraction = scaled % power;
  for (int i = precision; i-- > 0;) {
    out[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  return out + precision;
}

// Large values (at least 2^34): the library's exact conversion. A float has at most 39 integer
// digits, so the text fits the buffer.
char* LargeFixed(char* out, float value, int precision) {
  return std::to_chars(out, out + kNumberBufferSize, static_cast<double>(value), std::chars_format::fixed, precision)
      .ptr;
}

}  // namespace

char* FormatFixed(char* out, float value, int precision) {
  const uint32_t bits = std::bit_cast<uint32_t>(value);
  const bool negative = (bits >> 31) != 0;
  const uint32_t exponentField = (bits >> 23) & 0xFF;
  const uint64_t fieldMantissa = bits & 0x7FFFFF;
  if (exponentField == 0xFF) return NonFinite(out, negative, fieldMantissa != 0);

  // value = mantissa * 2^exponent exactly.
  const uint64_t mantissa = exponentField == 0 ? fieldMantissa : (fieldMantissa | 0x800000);
  const int exponent = exponentField == 0 ? -149 : static_cast<int>(exponentField) - 150;
  const uint64_t power = kPowersOfTen[precision];  // below 2^30

  if (exponent >= 0) {
    // mantissa < 2^24: the scaled integer fits 64 bits while exponent + 24 + 30 <= 64.
    if (exponent > 10) return LargeFixed(out, value, precision);
    return WriteScaled(out, negative, (mantissa << exponent) * power, precision);
  }
  // value * 10^precision = numerator / 2^shift, rounded to nearest, ties to even.
  const uint64_t numerator = mantissa * power;  // below 2^54
  const int shift = -exponent;
  uint64_t scaled = 0;
  if (shift <= 54) {
    scaled = numerator >> shift;
    const uint64_t remainder = numerator & ((uint64_t{1} << shift) - 1);
    const uint64_t half = uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (scaled & 1))) ++scaled;
  }
  // Otherwise numerator < 2^54 <= half: the value rounds to zero.
  return WriteScaled(out, negative, scaled, precision);
}

char* FormatScriptFixed(char* out, float value, int precision) {
  if (std::isnan(value)) return Copy(out, "NaN");
  if (std::isinf(value)) return Copy(out, value < 0 ? "-Infinity" : "Infinity");
  return FormatFixed(out, value, precision);
}

char* FormatInt(char* out, int32_t value) { return std::to_chars(out, out + 16, value).ptr; }

char* FormatHexByte(char* out, uint8_t value) {
  constexpr char kDigits[] = "0123456789abcdef";
  out[0] = kDigits[value >> 4];
  out[1] = kDigits[value & 15];
  return out + 2;
}

}  // namespace qv
