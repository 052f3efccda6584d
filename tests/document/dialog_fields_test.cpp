// The dialogs' number edits: which texts read as numbers and which bring up a message.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "document/dialog_fields.h"

namespace qv {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<int32_t> value;
};

TEST(DialogFields, IntegerEditsReadWholeNumbersWithinInt32Only) {
  const IntegerCase cases[] = {
      {"0", 0},
      {"42", 42},
      {"  7\t", 7},
      {"-15", -15},
      {"+15", 15},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},  // beyond int32: not silently wrapped
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"1.5", std::nullopt},
      {"12abc", std::nullopt},
      {"abc", std::nullopt},
      {"0x10", std::nullopt},
      {"+-3", std::nullopt},
      {"1 2", std::nullopt},
  };
  for (const IntegerCase& c : cases) EXPECT_EQ(ReadIntegerField(c.text), c.value) << '"' << c.text << '"';
}

struct NumberCase {
  const char* text;
  std::optional<float> value;
};

TEST(DialogFields, NumberEditsReadFiniteFloatsOnly) {
  const NumberCase cases[] = {
      {"100", 100.0f},
      {"89.5", 89.5f},
      {" -0.25 ", -0.25f},
      {"+3", 3.0f},
      {"1e3", 1000.0f},
      {".5", 0.5f},
      {"3.4e38", 3.4e38f},
      {"1e39", std::nullopt},  // beyond float
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"", std::nullopt},
      {"89,5", std::nullopt},  // the period is the separator whatever the locale
      {"12px", std::nullopt},
      {"-", std::nullopt},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(ReadNumberField(c.text), c.value) << '"' << c.text << '"';
}

TEST(DialogFields, NumbersShowInTheShortestFormAndReadBackUnchanged) {
  EXPECT_EQ(FormatNumberField(100.0f), "100");
  EXPECT_EQ(FormatNumberField(50.0f), "50");
  EXPECT_EQ(FormatNumberField(89.5f), "89.5");
  EXPECT_EQ(FormatNumberField(0.1f), "0.1");
  EXPECT_EQ(FormatNumberField(1234567.0f), "1.23457e+06");
  EXPECT_EQ(FormatIntegerField(-12), "-12");
  for (float v : {100.0f, 89.5f, 0.1f, 12.25f}) EXPECT_EQ(ReadNumberField(FormatNumberField(v)), v);
}

}  // namespace
}  // namespace qv
