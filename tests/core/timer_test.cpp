// The frame timer on a fake counter: deltas, peeks, totals, and a counter
// that runs backwards.
#include "platformclock.h"
#include "timer.h"

#include <gtest/gtest.h>

namespace {

class FrameTimer : public ::testing::Test {
protected:
    void SetUp() override
    {
        old_ = SetPlatformClockSource([this] { return counter_; });
    }
    void TearDown() override { SetPlatformClockSource(old_); }

    void Advance(double seconds) { counter_ += static_cast<std::int64_t>(seconds * 1e9); }

    std::int64_t counter_ = 5000000000;
    ClockSource old_;
};

}  // namespace

TEST_F(FrameTimer, DeltaMeasuresFromThePreviousDelta)
{
    Timer timer;
    Advance(0.25);
    EXPECT_FLOAT_EQ(timer.Delta(), 0.25f);
    Advance(0.5);
    EXPECT_FLOAT_EQ(timer.Delta(), 0.5f);
    EXPECT_FLOAT_EQ(timer.Delta(), 0.0f);
}

TEST_F(FrameTimer, PeekDoesNotMoveTheMark)
{
    Timer timer;
    Advance(0.1);
    EXPECT_FLOAT_EQ(timer.Peek(), 0.1f);
    Advance(0.1);
    EXPECT_FLOAT_EQ(timer.Peek(), 0.2f);
    EXPECT_FLOAT_EQ(timer.Delta(), 0.2f);
}

TEST_F(FrameTimer, TotalStopsAtTheLatestDelta)
{
    Timer timer;
    Advance(1.0);
    timer.Delta();
    Advance(3.0);
    EXPECT_FLOAT_EQ(timer.Total(), 1.0f);
    timer.Peek();
    EXPECT_FLOAT_EQ(timer.Total(), 1.0f);
    timer.Delta();
    EXPECT_FLOAT_EQ(timer.Total(), 4.0f);
}

TEST_F(FrameTimer, CounterRunningBackwardsGivesZero)
{
    Timer timer;
    Advance(1.0);
    timer.Delta();
    Advance(-0.5);
    EXPECT_EQ(timer.Peek(), 0.0f);
    EXPECT_EQ(timer.Delta(), 0.0f);
    Advance(0.25);
    EXPECT_FLOAT_EQ(timer.Delta(), 0.25f);
}

TEST_F(FrameTimer, ResetRestartsTotal)
{
    Timer timer;
    Advance(2.0);
    timer.Delta();
    timer.Reset();
    EXPECT_EQ(timer.Total(), 0.0f);
    Advance(0.5);
    EXPECT_FLOAT_EQ(timer.Delta(), 0.5f);
    EXPECT_FLOAT_EQ(timer.Total(), 0.5f);
}
