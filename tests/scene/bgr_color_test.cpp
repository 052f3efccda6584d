// The stored 0x00BBGGRR colour and its forms: channels, the device's 0xAARRGGBB, "RRGGBB" text.
#include "scene/bgr_color.h"

#include <gtest/gtest.h>

#include "scene/scene.h"

namespace qv {
namespace {

TEST(BgrColor, ChannelsDeviceWordAndText) {
  const struct {
    uint32_t bgr;
    Rgb8 rgb;
    uint32_t argb;
    const char* hex;
  } kCases[] = {
      {kDefaultBackgroundColor, {0x1E, 0x41, 0x5A}, 0xFF1E415Au, "1E415A"},
      {0x00000000u, {0, 0, 0}, 0xFF000000u, "000000"},
      {0x00FFFFFFu, {0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu, "FFFFFF"},
      {0x000000FFu, {0xFF, 0, 0}, 0xFFFF0000u, "FF0000"},
      {0x00FF0000u, {0, 0, 0xFF}, 0xFF0000FFu, "0000FF"},
      {0x00A0B0C0u, {0xC0, 0xB0, 0xA0}, 0xFFC0B0A0u, "C0B0A0"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(RgbOfBgr(c.bgr), c.rgb);
    EXPECT_EQ(BgrOfRgb(c.rgb), c.bgr);
    EXPECT_EQ(OpaqueArgbOfBgr(c.bgr), c.argb);
    EXPECT_EQ(HexOfBgr(c.bgr), c.hex);
    EXPECT_EQ(BgrOfHex(c.hex), c.bgr);
  }
  // The top byte is not a channel.
  EXPECT_EQ(HexOfBgr(0xAB1E415Au), "5A411E");
}

TEST(BgrColor, OnlySixHexadecimalDigitsAreAColour) {
  EXPECT_EQ(BgrOfHex("1e415a"), 0x005A411Eu);
  for (const char* text : {"", "1E415", "1E415A0", "#1E415", "1E415G", " 1E415", "0x1E41", "+1E415", "-1E415"})
    EXPECT_EQ(BgrOfHex(text), std::nullopt) << text;
}

}  // namespace
}  // namespace qv
