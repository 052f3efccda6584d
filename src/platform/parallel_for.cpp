#include "platform/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace qv {

namespace {

std::atomic<size_t> threadLimit{0};

}  // namespace

void LimitParallelThreads(size_t threads) { threadLimit = threads; }

void ParallelFor(size_t count, size_t grain, const std::function<void(size_t begin, size_t end)>& work) {
  if (grain == 0) grain = 1;
  const size_t ranges = (count + grain - 1) / grain;
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t limit = threadLimit;
  const size_t threads = std::min({cores, size_t{8}, ranges, limit == 0 ? cores : limit});
  if (threads < 2) {
    for (size_t r = 0; r < ranges; ++r) work(r * grain, std::min(count, (r + 1) * grain));
    return;
  }
  // Ranges are handed out one at a time: their costs differ widely (a comma and a kanji).
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr error;
  std::mutex errorLock;
  auto run = [&] {
    try {
      for (size_t r; !failed && (r = next++) < ranges;) work(r * grain, std::min(count, (r + 1) * grain));
    } catch (...) {
      std::lock_guard<std::mutex> hold(errorLock);
      if (!error) error = std::current_exception();
      failed = true;
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(threads - 1);
  try {
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
  } catch (const std::system_error&) {
    // No more threads to be had: the ones there are do all the ranges.
  }
  run();
  for (std::thread& helper : helpers) helper.join();
  if (error) std::rethrow_exception(error);
}

}  // namespace qv
