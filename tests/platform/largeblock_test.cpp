#include "largeblock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(LargeBlock, BigBlocksAreAlignedToHugePagesAndUsable)
{
    constexpr size_t kBytes = (size_t(3) << 20) + 123;
    auto* block = static_cast<unsigned char*>(AllocateLargeBlock(kBytes));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % (size_t(2) << 20), 0u);
    block[0] = 1;
    block[kBytes - 1] = 2;
    EXPECT_EQ(block[0] + block[kBytes - 1], 3);
    FreeLargeBlock(block);
}

TEST(LargeBlock, VectorKeepsItsContentsAcrossGrowth)
{
    std::vector<int, LargeBlockAllocator<int>> values;
    for (int i = 0; i < 1 << 20; ++i)
        values.push_back(i);
    std::vector<int, LargeBlockAllocator<int>> copy = values;
    ASSERT_EQ(copy.size(), size_t(1) << 20);
    for (int i = 0; i < 1 << 20; i += 4099)
        ASSERT_EQ(copy[static_cast<size_t>(i)], i);
}
