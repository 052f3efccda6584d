#include "geometry/string_separator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

std::vector<std::string> Split(const std::string& line) {
  StringSeparator s;
  const int32_t n = s.Separate(line);
  std::vector<std::string> out;
  for (int32_t i = 0; i < n; ++i) out.push_back(s.Token(i));
  return out;
}

using Tokens = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string line;
  Tokens tokens;
};

class SeparateTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SeparateTest, Splits) { EXPECT_EQ(Split(GetParam().line), GetParam().tokens); }

// Katakana with second bytes equal to [ (0x5B), \ (0x5C) and { (0x7B).
const std::string kZe = "\x83\x5B", kSo = "\x83\x5C", kBo = "\x83\x7B";

INSTANTIATE_TEST_SUITE_P(
    Lines, SeparateTest,
    ::testing::Values(
        SplitCase{"ChunkHeader", "Material 2 {", {"Material", "2", "{"}},
        SplitCase{"QuotedNameWithBlank",
                  "\t\"mat 1\" col(1.000 0.500 0.000 1.000)\r\n",
                  {"mat 1", "col", "(", "1.000", "0.500", "0.000", "1.000", ")"}},
        SplitCase{"EmptyQuotes", "tex(\"\")", {"tex", "(", "", ")"}},
        SplitCase{"Punctuation", "a=b;c", {"a", "=", "b", ";", "c"}},
        SplitCase{"AllSinglesAndColon", "x:(,)[]{}", {"x", ":", "(", ",", ")", "[", "]", "{", "}"}},
        SplitCase{"FaceLine", "3 V(0 1 2) M(0)", {"3", "V", "(", "0", "1", "2", ")", "M", "(", "0", ")"}},
        SplitCase{"OnlyBlanks", " \t  \t", {}},
        SplitCase{"EmptyLine", "\r\n", {}},
        SplitCase{"StopsAtFirstLineEnd", "a b\rc d\n", {"a", "b"}},
        SplitCase{"StopsAtNul", std::string("a\0b", 3), {"a"}},
        SplitCase{"UnterminatedQuote", "name \"abc def", {"name", "abc def"}},
        SplitCase{"QuoteEndsToken", "ab\"cd\"ef", {"ab", "cd", "ef"}},
        SplitCase{"PunctuationInsideQuotes", "\"a(b) {c}\"", {"a(b) {c}"}},
        SplitCase{"TrailBytesStayInName",
                  "\"" + kZe + kSo + kBo + "\" " + kZe + "x" + kBo + " {",
                  {kZe + kSo + kBo, kZe + "x" + kBo, "{"}},
        SplitCase{"BackslashTrailInPath", "tex(\"" + kSo + "\\a.png\")", {"tex", "(", kSo + "\\a.png", ")"}},
        // A stray lead byte swallows the next character (byte-wise names stay as written) ...
        SplitCase{"StrayLeadByteInName", "\"\x8Dmiku1\" col(1 0 0 1)",
                  {"\x8Dmiku1", "col", "(", "1", "0", "0", "1", ")"}},
        // ... but never the line end.
        SplitCase{"StrayLeadByteBeforeLineEnd", "abc\x8D\r\nxyz", {"abc\x8D"}},
        SplitCase{"StrayLeadByteAtEnd", "abc\x8D", {"abc\x8D"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(StringSeparator, AccessorsCheckTheCountNotTheSlots) {
  StringSeparator s;
  ASSERT_EQ(s.Separate("Object \"body\" { 1.5 -7"), 5);
  EXPECT_TRUE(s.IsKeyword("OBJECT", 2));
  EXPECT_FALSE(s.IsKeyword("Object", 6));
  EXPECT_TRUE(s.TokenIs(2, "{"));
  EXPECT_DOUBLE_EQ(s.TokenFloat(3), 1.5);
  EXPECT_EQ(s.TokenInt(4), -7);

  ASSERT_EQ(s.Separate("x"), 1);  // slot 2 still holds "{" from before
  EXPECT_FALSE(s.TokenIs(2, "{"));
  EXPECT_EQ(s.Token(2), "");
  EXPECT_EQ(s.TokenFloat(3), 0.0);
  EXPECT_EQ(s.TokenInt(4), 0);
  EXPECT_FALSE(s.TokenIs(-1, "x"));
}

TEST(StringSeparator, NumbersReadLikeTheCLibrary) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c : {Case{"1.5", 1.5}, Case{"+2", 2.0}, Case{"-0.25e1", -2.5}, Case{".5", 0.5},
                        Case{"12abc", 12.0}, Case{"abc", 0.0}, Case{"", 0.0}, Case{"+-1", 0.0},
                        Case{"0x10", 16.0}, Case{"567.13293", 567.13293},
                        Case{"0.2431666666666666666666666667", 0.2431666666666666666666666667}}) {
    EXPECT_DOUBLE_EQ(ParseDouble(c.text), c.value) << c.text;
  }
  EXPECT_TRUE(std::isinf(ParseDouble("1e999")));
  EXPECT_TRUE(std::signbit(ParseDouble("-0")));

  struct IntCase {
    const char* text;
    int32_t value;
  };
  for (const IntCase& c : {IntCase{"42", 42}, IntCase{"-7", -7}, IntCase{" 3", 3}, IntCase{"12abc", 12},
                           IntCase{"x", 0}, IntCase{"2147483647", 2147483647},
                           IntCase{"2147483648", std::numeric_limits<int32_t>::max()},
                           IntCase{"-2147483648", std::numeric_limits<int32_t>::min()},
                           IntCase{"-99999999999999999999", std::numeric_limits<int32_t>::min()}}) {
    EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
  }
}

struct MemoryFile {
  explicit MemoryFile(std::string bytes) : data(std::move(bytes)) {
    file = fmemopen(data.data(), data.size(), "rb");
  }
  ~MemoryFile() {
    if (file) std::fclose(file);
  }
  std::string data;
  std::FILE* file = nullptr;
};

TEST(AsciiFileString, ReadsLinesUntilTheEndAndStaysThere) {
  MemoryFile input("Metasequoia Document\r\n\r\n  \nlast line without end");
  AsciiFileString reader(input.file);
  EXPECT_EQ(reader.ReadLine(), 2);
  EXPECT_EQ(reader.Token(1), "Document");
  EXPECT_EQ(reader.ReadLine(), 0);
  EXPECT_EQ(reader.ReadLine(), 0);
  EXPECT_EQ(reader.ReadLine(), 4);
  EXPECT_EQ(reader.LineNumber(), 4);
  EXPECT_EQ(reader.ReadLine(), -1);
  EXPECT_EQ(reader.Count(), -1);
  EXPECT_EQ(reader.ReadLine(), -1);
}

TEST(AsciiFileString, CarriageReturnOnlyFileGivesTextBeforeTheFirstReturn) {
  MemoryFile input("a b\rc d\re\r");
  AsciiFileString reader(input.file);
  EXPECT_EQ(reader.ReadLine(), 2);
  EXPECT_EQ(reader.Token(1), "b");
  EXPECT_EQ(reader.ReadLine(), -1);
}

TEST(AsciiFileString, ReadsLinesLongerThanAnyFixedBuffer) {
  std::string line = "100 V(";
  for (int i = 0; i < 100; ++i) line += " " + std::string(100, '1');
  line += ")\n";
  MemoryFile input(line + "next\n");
  AsciiFileString reader(input.file);
  EXPECT_EQ(reader.ReadLine(), 104);  // 100, V, (, 100 numbers, )
  EXPECT_EQ(reader.ReadLine(), 1);
}

TEST(FileStringSeparator, EndsLinesAtLoneCarriageReturnsAndKeepsDoubleByteCharacters) {
  // 0x83 0x0A: a lead byte takes the following byte along, unseen.
  MemoryFile input("a b\rc\r\nd\n\"\x83\x5C\" e\nlast");
  FileStringSeparator reader(input.file);
  EXPECT_EQ(reader.ReadLine(), 2);
  EXPECT_EQ(reader.ReadLine(), 1);
  EXPECT_EQ(reader.Token(0), "c");
  EXPECT_EQ(reader.ReadLine(), 1);
  EXPECT_EQ(reader.Token(0), "d");
  EXPECT_EQ(reader.ReadLine(), 2);
  EXPECT_EQ(reader.Token(0), "\x83\x5C");
  EXPECT_EQ(reader.ReadLine(), 1);
  EXPECT_EQ(reader.Token(0), "last");
  EXPECT_EQ(reader.ReadLine(), -1);
}

}  // namespace
}  // namespace qv
