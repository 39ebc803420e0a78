#include "platform/memory.h"

#include <malloc.h>

namespace platform {

void KeepLargeBlocksForReuse() {
    // glibc maps each block from 128 KB (or, once one is freed, the size of that block) on its
    // own and unmaps it when freed, and hands the top of the heap back once 256 KB of it lie free.
    // Blocks below 64 MB come from the heap instead, whose top is kept up to twice that.
    constexpr int kLargestKept = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestKept);
    mallopt(M_TRIM_THRESHOLD, 2 * kLargestKept);
}

}  // namespace platform
