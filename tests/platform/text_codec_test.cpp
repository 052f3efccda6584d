#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TextCodec, Cp932AndUtf8RoundTrip) {
  const struct {
    std::string cp932, utf8;
  } cases[] = {
      {"Logo_1", "Logo_1"},
      {"\x83\x8d\x83\x53", "ロゴ"},
      {"\x95\x5c\x8e\xa6", "表示"},  // trail byte 0x5C
      {"\xb6\xc0\xb6\xc5", "ｶﾀｶﾅ"},  // half-width katakana
      {"\x81\x60", "～"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932);
  }
}

TEST(TextCodec, InvalidBytesShowAsReplacementAndUnmappableAsQuestionMark) {
  EXPECT_EQ(Cp932ToUtf8(std::string("a\x81", 2)), "a\xEF\xBF\xBD");   // lone lead byte at the end
  EXPECT_EQ(Cp932ToUtf8(std::string("\xA0z", 2)), "\xEF\xBF\xBDz");  // not a character
  EXPECT_EQ(Utf8ToCp932("a€b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("😀x"), "?x");
  EXPECT_EQ(Utf8ToCp932(std::string("\xFFq", 2)), "?q");
}

TEST(TextCodec, SixteenBitStringsLoseOnlyTheUnitsWithoutAForm) {
  const struct {
    std::u16string utf16;
    std::string cp932;
  } cases[] = {
      {u"A\U0001F600B", "A?B"},                  // a pair without a form: one "?"
      {std::u16string{0xD800, u'A'}, "?A"},       // lone high surrogate: the next unit stays
      {std::u16string{0xD800, 0xD800, u'A'}, "??A"},
      {std::u16string{u'x', 0xDC00, u'A'}, "x?A"},  // lone low surrogate
      {std::u16string{u'x', 0xD800}, "x?"},        // high surrogate at the end
      {std::u16string{0xD83D, 0x30A2}, "?\x83\x41"},  // the katakana after it survives
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToCp932(c.utf16), c.cp932);
}

TEST(TextCodec, CaseInsensitiveComparisonNeverSplitsDoubleByteCharacters) {
  EXPECT_TRUE(EqualsNoCase("Wood.PNG", "wood.png"));
  EXPECT_FALSE(EqualsNoCase("wood.png", "wood.pn"));
  // "ソ" is 83 5C: its trail byte must not be compared as a backslash or folded
  EXPECT_FALSE(EqualsNoCase("\x83\x5c" "a", "\x83\x7c" "a"));
  // 82 61 ("Ａ") and 82 81 ("ａ") are different characters; a byte-wise fold would not see the lead
  EXPECT_FALSE(EqualsNoCase("\x82\x61", "\x82\x81"));
  EXPECT_TRUE(EqualsNoCase("\x83\x8dX", "\x83\x8dx"));
  EXPECT_LT(CompareNoCase("abc", "ABD"), 0);
}

}  // namespace
}  // namespace qv
