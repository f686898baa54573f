#include "largeblock.h"

#include <cstdlib>
#include <sys/mman.h>

namespace {
constexpr size_t kHugePageBytes = size_t(2) << 20;
}

void* AllocateLargeBlock(size_t bytes)
{
    if (bytes < kHugePageBytes) {
        return std::malloc(bytes > 0 ? bytes : 1);
    }
    const size_t rounded = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* block = std::aligned_alloc(kHugePageBytes, rounded);
    if (block != nullptr) {
        ::madvise(block, rounded, MADV_HUGEPAGE);  // advice only: a refusal changes nothing
    }
    return block;
}

void FreeLargeBlock(void* block)
{
    std::free(block);
}
