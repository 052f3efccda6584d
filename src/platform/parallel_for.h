#pragma once
// Runs independent pieces of work on the processor's cores.
#include <cstddef>
#include <functional>

namespace qv {

// Calls work(begin, end) for consecutive ranges of at most `grain` indices covering [0, count),
// spread over up to the number of cores (at most eight threads, the calling thread among them).
// With one core, or fewer than two ranges, everything runs on the calling thread. The ranges
// must not touch each other's data. An exception thrown by a range keeps further ranges from
// starting and is rethrown here once the running ones are done.
void ParallelFor(size_t count, size_t grain, const std::function<void(size_t begin, size_t end)>& work);

// Caps the threads every later ParallelFor uses, the calling thread among them; 0 takes the cap
// away. A process that is one of several side by side, each busy with small pieces of work (a
// fuzzing campaign's workers), gains nothing from starting threads and loses their cost.
void LimitParallelThreads(size_t threads);

}  // namespace qv
