#include "viewport/frame_rate_meter.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FrameRateMeterTest, MeasuresAboutOnceASecondAtTheDocumentsRate) {
  FrameRateMeter meter;
  meter.Restart(1000);
  // The very first frame measures (nothing to compare with yet); 20 ms per frame is 50 fps.
  EXPECT_FALSE(meter.Step(1000, 30).has_value());  // no time has passed yet
  auto first = meter.Step(1020, 30);
  ASSERT_TRUE(first.has_value());
  EXPECT_NEAR(*first, 2 * 999.0 / 20, 1e-9);
  // From then on it waits for more than min(fps, 2 × rate) frames.
  int measured = 0;
  std::optional<double> rate;
  for (uint32_t t = 1040; t <= 1040 + 20 * 40; t += 20)
    if (auto r = meter.Step(t, 30)) {
      ++measured;
      rate = r;
    }
  EXPECT_EQ(measured, 1);
  ASSERT_TRUE(rate.has_value());
  EXPECT_NEAR(*rate, 31 * 999.0 / (31 * 20), 1e-9);  // 49.95
  EXPECT_EQ(FrameRateText(*rate), "FPS 49.950000");
}

TEST(FrameRateMeterTest, APauseCountsAsOneSecond) {
  FrameRateMeter meter;
  meter.Restart(0);
  ASSERT_TRUE(meter.Step(10, 1).has_value());  // measured at 10 ms
  EXPECT_FALSE(meter.Step(20, 1).has_value());
  // Ten seconds without a frame, then one: the span since the last measurement is 1010 ms
  // (one second for the pause), not 10010.
  const auto rate = meter.Step(10020, 1);
  ASSERT_TRUE(rate.has_value());
  EXPECT_NEAR(*rate, 2 * 999.0 / 1010.0, 1e-9);
}

}  // namespace
}  // namespace qv
