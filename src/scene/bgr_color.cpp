#include "scene/bgr_color.h"

namespace qv {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string HexOfBgr(uint32_t bgr) {
  std::string text;
  const Rgb8 rgb = RgbOfBgr(bgr);
  for (uint8_t channel : {rgb.red, rgb.green, rgb.blue}) {
    text += kHexDigits[channel >> 4];
    text += kHexDigits[channel & 15];
  }
  return text;
}

std::optional<uint32_t> BgrOfHex(std::string_view text) {
  if (text.size() != 6) return std::nullopt;
  uint8_t channels[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigitValue(text[2 * i]), low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    channels[i] = static_cast<uint8_t>(high * 16 + low);
  }
  return BgrOfRgb({channels[0], channels[1], channels[2]});
}

}  // namespace qv
