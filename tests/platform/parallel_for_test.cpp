#include "platform/parallel_for.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace qv {
namespace {

TEST(ParallelFor, EveryIndexOnceInRangesOfAtMostTheGrain) {
  struct Case {
    size_t count, grain;
  };
  for (const Case& c : {Case{0, 4}, Case{1, 4}, Case{7, 4}, Case{8, 4}, Case{1000, 3}, Case{5, 0}, Case{100000, 8192}}) {
    std::vector<std::atomic<int>> visits(c.count);
    std::atomic<bool> tooLong{false};
    ParallelFor(c.count, c.grain, [&](size_t begin, size_t end) {
      if (end - begin > std::max<size_t>(c.grain, 1)) tooLong = true;
      for (size_t i = begin; i < end; ++i) ++visits[i];
    });
    for (size_t i = 0; i < c.count; ++i) ASSERT_EQ(visits[i], 1) << c.count << " " << c.grain << " " << i;
    EXPECT_FALSE(tooLong) << c.count << " " << c.grain;
  }
}

TEST(ParallelFor, AnExceptionReachesTheCaller) {
  EXPECT_THROW(ParallelFor(1000, 1,
                           [](size_t begin, size_t) {
                             if (begin == 3) throw std::runtime_error("piece 3");
                           }),
               std::runtime_error);
}

TEST(ParallelFor, LimitedToOneThreadRunsEveryRangeInTurnOnTheCaller) {
  LimitParallelThreads(1);
  std::vector<size_t> begins;
  bool elsewhere = false;
  const std::thread::id caller = std::this_thread::get_id();
  ParallelFor(1000, 3, [&](size_t begin, size_t) {
    if (std::this_thread::get_id() != caller) elsewhere = true;
    begins.push_back(begin);  // unguarded: only the caller may be here
  });
  LimitParallelThreads(0);
  EXPECT_FALSE(elsewhere);
  ASSERT_EQ(begins.size(), 334u);
  for (size_t r = 0; r < begins.size(); ++r) EXPECT_EQ(begins[r], 3 * r);
}

}  // namespace
}  // namespace qv
