#include "platform/memory_reuse.h"

#include <malloc.h>

namespace qv {

namespace {

// Blocks below this come from the heap, where freed ones are reused; larger ones (a 4096²
// texture) are still mapped and unmapped on their own.
constexpr int kMapAbove = 32 << 20;
// Free memory at the heap's end beyond this goes back to the system.
constexpr int kTrimAbove = 64 << 20;

}  // namespace

void KeepLargeBlocksForReuse() {
  mallopt(M_MMAP_THRESHOLD, kMapAbove);
  mallopt(M_TRIM_THRESHOLD, kTrimAbove);
}

}  // namespace qv
