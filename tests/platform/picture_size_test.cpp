#include "platform/picture_size.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(PictureSize, ReadsWidthByHeightWithinTheRange) {
  const struct {
    std::string text;
    int width, height;
  } cases[] = {
      {"800x600", 800, 600},
      {"800X600", 800, 600},
      {"1x1", 1, 1},
      {"16384x16384", 16384, 16384},
      {"1x16384", 1, 16384},
      {"0800x0600", 800, 600},  // leading zeros are still decimal
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<PictureSize> size = ParsePictureSize(c.text, 16384);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, c.width);
    EXPECT_EQ(size->height, c.height);
  }
}

TEST(PictureSize, RefusesEverythingElse) {
  const char* const refused[] = {
      "",
      "x",
      "800",
      "800x",
      "x600",
      "800x600abc",  // trailing junk
      "800abcx600",
      "abc800x600",
      "800x600x2",
      "800*600",
      "800 x 600",  // blanks
      " 800x600",
      "800x600 ",
      "800x600\n",
      "\t800x600",
      "+800x600",  // signs
      "800x+600",
      "-800x600",
      "800x-600",
      "-0x600",
      "0x600",  // zero
      "800x0",
      "0x0",
      "16385x600",  // beyond the range
      "800x16385",
      "2147483647x600",  // the largest int, then beyond it
      "2147483648x600",
      "4294967296x600",  // wraps to 0 in 32 bits
      "4294967297x1",    // wraps to 1 in 32 bits
      "99999999999999999999999x1",
      "800.0x600",
      "8e2x600",
      "0x320x240",  // hexadecimal
      "８００x６００",  // full-width digits
  };
  for (const char* text : refused) EXPECT_FALSE(ParsePictureSize(text, 16384).has_value()) << '"' << text << '"';
  EXPECT_FALSE(ParsePictureSize(std::string("800x600\0junk", 12), 16384).has_value());
}

TEST(PictureSize, TheRangeIsTheCallers) {
  EXPECT_TRUE(ParsePictureSize("100x100", 100).has_value());
  EXPECT_FALSE(ParsePictureSize("101x100", 100).has_value());
  EXPECT_FALSE(ParsePictureSize("100x101", 100).has_value());
}

TEST(PictureSize, TheMessageNamesTheOptionAndItsRange) {
  EXPECT_EQ(PictureSizeRule("--canvas", 16384), "--canvas must be WIDTHxHEIGHT, each from 1 to 16384, for example 800x600");
  EXPECT_EQ(PictureSizeRule("--size", 4096), "--size must be WIDTHxHEIGHT, each from 1 to 4096, for example 800x600");
}

}  // namespace
}  // namespace qv
