// The generated scripts must print numbers exactly as printf does.
#include "export/number_format.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

std::string Fixed(float value, int precision) {
  char buffer[kNumberBufferSize];
  return std::string(buffer, FormatFixed(buffer, value, precision));
}

std::string Printf(float value, int precision) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", precision, static_cast<double>(value));
  return buffer;
}

constexpr int kPrecisions[] = {0, 2, 3, 4, 6, 9};

TEST(NumberFormat, FixedEqualsPrintfOnChosenValues) {
  const float values[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 1.5f, 2.5f, -2.5f, 0.125f, 0.375f, -0.625f, 0.00005f,
                          -0.00005f, 0.00004999f, 0.25f, 0.8f, 5.0f, 20.0f, 1500.0f, 1400.0f, 0.017453292f,
                          123456.789f, 16777216.0f, 16777217.0f, 1e10f, 1.7e10f, 2e10f, 1e20f, 3.4e38f,
                          std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
                          std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(),
                          0.1f, 0.7f, 0.95f, 0.9995f, 0.99995f, 9.99995f, 99999.99f, -0.000049f};
  for (float v : values)
    for (int p : kPrecisions) EXPECT_EQ(Fixed(v, p), Printf(v, p)) << "value " << v << " precision " << p;
}

// Ties where the decimal value lies exactly halfway: printf rounds them to even.
TEST(NumberFormat, ExactTiesRoundToEven) {
  for (int p : kPrecisions) {
    for (int n = -4000; n <= 4000; ++n) {
      const float v = static_cast<float>(n) / 4096.0f;
      EXPECT_EQ(Fixed(v, p), Printf(v, p)) << v;
      const float w = static_cast<float>(n) + 0.5f;
      EXPECT_EQ(Fixed(w, p), Printf(w, p)) << w;
    }
  }
  EXPECT_EQ(Fixed(0.125f, 2), "0.12");
  EXPECT_EQ(Fixed(0.375f, 2), "0.38");
  EXPECT_EQ(Fixed(2.5f, 0), "2");
}

TEST(NumberFormat, FixedEqualsPrintfOnRandomBitPatterns) {
  std::mt19937 random(20240611);
  for (int i = 0; i < 400000; ++i) {
    const float v = std::bit_cast<float>(static_cast<uint32_t>(random()));
    const int p = kPrecisions[i % std::size(kPrecisions)];
    ASSERT_EQ(Fixed(v, p), Printf(v, p)) << std::bit_cast<uint32_t>(v);
  }
  // Values of the size scenes hold, where every digit shows.
  std::uniform_real_distribution<float> scene(-5000.0f, 5000.0f);
  for (int i = 0; i < 400000; ++i) {
    const float v = scene(random);
    const int p = kPrecisions[i % std::size(kPrecisions)];
    ASSERT_EQ(Fixed(v, p), Printf(v, p)) << v;
  }
}

TEST(NumberFormat, NonFiniteValues) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(Fixed(nan, 4), Printf(nan, 4));
  EXPECT_EQ(Fixed(-nan, 4), Printf(-nan, 4));
  EXPECT_EQ(Fixed(inf, 4), Printf(inf, 4));
  EXPECT_EQ(Fixed(-inf, 4), Printf(-inf, 4));

  // In a script they become literals the language knows.
  char buffer[kNumberBufferSize];
  const auto script = [&](float v) { return std::string(buffer, FormatScriptFixed(buffer, v, 4)); };
  EXPECT_EQ(script(nan), "NaN");
  EXPECT_EQ(script(-nan), "NaN");
  EXPECT_EQ(script(inf), "Infinity");
  EXPECT_EQ(script(-inf), "-Infinity");
  EXPECT_EQ(script(-0.0f), "-0.0000");
  EXPECT_EQ(script(1.23456f), "1.2346");
}

TEST(NumberFormat, IntegerAndHex) {
  char buffer[kNumberBufferSize];
  for (int32_t v : {0, -1, 42, 2147483647, -2147483647 - 1}) {
    char expected[32];
    std::snprintf(expected, sizeof expected, "%d", v);
    EXPECT_EQ(std::string(buffer, FormatInt(buffer, v)), expected);
  }
  for (int v : {0, 9, 0x1e, 0x41, 0x5a, 0xff}) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "%02x", v);
    EXPECT_EQ(std::string(buffer, FormatHexByte(buffer, static_cast<uint8_t>(v))), expected);
  }
}

}  // namespace
}  // namespace qv
