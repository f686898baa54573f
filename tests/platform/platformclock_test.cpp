// The monotonic clock behind the frame timer, and its test source.
#include "platformclock.h"

#include <gtest/gtest.h>

TEST(PlatformClock, CountsNanosecondsAndNeverGoesBack)
{
    EXPECT_EQ(PlatformClockFrequency(), 1000000000);
    std::int64_t previous = PlatformClockCounter();
    for (int i = 0; i < 1000; ++i) {
        std::int64_t now = PlatformClockCounter();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

TEST(PlatformClock, TestSourceReplacesTheSystemClockUntilRemoved)
{
    ClockSource old = SetPlatformClockSource([] { return std::int64_t{42}; });
    EXPECT_FALSE(old);
    EXPECT_EQ(PlatformClockCounter(), 42);
    SetPlatformClockSource({});
    EXPECT_GT(PlatformClockCounter(), 42);
}
