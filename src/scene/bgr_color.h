#pragma once
// The scene's colours as stored: 32-bit 0x00BBGGRR (red in the lowest byte), and what the
// screens, pages and command line make of them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

struct Rgb8 {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb8&) const = default;
};

constexpr Rgb8 RgbOfBgr(uint32_t bgr) {
  return {static_cast<uint8_t>(bgr & 0xFF), static_cast<uint8_t>((bgr >> 8) & 0xFF),
          static_cast<uint8_t>((bgr >> 16) & 0xFF)};
}

constexpr uint32_t BgrOfRgb(Rgb8 rgb) {
  return uint32_t(rgb.red) | uint32_t(rgb.green) << 8 | uint32_t(rgb.blue) << 16;
}

// Opaque 0xAARRGGBB, the device's colour words.
constexpr uint32_t OpaqueArgbOfBgr(uint32_t bgr) {
  const Rgb8 rgb = RgbOfBgr(bgr);
  return 0xFF000000u | uint32_t(rgb.red) << 16 | uint32_t(rgb.green) << 8 | rgb.blue;
}

// "RRGGBB" in upper-case hexadecimal digits.
std::string HexOfBgr(uint32_t bgr);
// The colour of a "RRGGBB" text (six hexadecimal digits of either case); nothing for any other text.
std::optional<uint32_t> BgrOfHex(std::string_view text);

}  // namespace qv
