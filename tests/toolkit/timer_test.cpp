// Multimedia and thread timers: event records, restarts, stopping from a
// callback, a thread timer started on the toolkit's GUI thread.
#include <gtest/gtest.h>

#include "guithread.h"
#include "korrel/wtimer.h"
#include "korrel/wwinevent.h"

#include <atomic>

namespace {

struct CountingTimer : WTimer {
    CountingTimer(bool multimedia, WEventCallback callback = Count)
        : WTimer(2, callback, multimedia)
    {}
    std::atomic<int> ticks{0};
    std::atomic<bool> onGuiThread{false};
    WEvent seen;  // copy of the record at the last tick
    WWinEvent ticked;

    static void Count(WEvent event)
    {
        auto* timer = static_cast<CountingTimer*>(WTimer::FromEvent(event));
        timer->seen = event;
        timer->onGuiThread = OnGuiThread();
        ++timer->ticks;
        timer->ticked.Set();
    }
    static void StopItself(WEvent event)
    {
        Count(event);
        WTimer::FromEvent(event)->Stop();
    }
};

class Timers : public ::testing::TestWithParam<bool> {};

TEST_P(Timers, FillTheEventRecordAndRestartWithOneRecord)
{
    const int before = WTimer::RegistryCount();
    CountingTimer timer(GetParam());
    timer.Start();
    const unsigned first = timer.GetId();
    timer.Start();
    const unsigned second = timer.GetId();
    EXPECT_NE(second, first);
    EXPECT_NE(timer.GetId(), 0u);
    EXPECT_EQ(WTimer::RegistryCount(), before + 1);
    ASSERT_TRUE(timer.ticked.Wait(5000));
    ASSERT_TRUE(timer.ticked.Wait(5000));
    timer.Stop();
    EXPECT_EQ(timer.seen.id, second);
    EXPECT_EQ(timer.seen.message, 275u);
    EXPECT_EQ(timer.seen.hWnd, nullptr);
    EXPECT_EQ(timer.seen.lParam, 0);
    EXPECT_EQ(timer.GetLastEvent().id, timer.seen.id);
    EXPECT_EQ(timer.onGuiThread, !GetParam());
    EXPECT_EQ(timer.GetId(), 0u);
    EXPECT_EQ(WTimer::RegistryCount(), before);
    const int ticks = timer.ticks;
    timer.ticked.Reset();  // a tick may have come before the stop
    EXPECT_FALSE(timer.ticked.Wait(20));
    EXPECT_EQ(timer.ticks, ticks);
}

TEST_P(Timers, CallbackMayStopItsOwnTimer)
{
    CountingTimer timer(GetParam(), CountingTimer::StopItself);
    timer.Start();
    ASSERT_TRUE(timer.ticked.Wait(5000));
    EXPECT_FALSE(timer.ticked.Wait(20));
    EXPECT_EQ(timer.ticks, 1);
    EXPECT_EQ(timer.GetId(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Timers, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Multimedia" : "ThreadTimer"; });

TEST(ThreadTimer, StartsFromTheGuiThreadItself)
{
    CountingTimer timer(false);
    ASSERT_TRUE(CallOnGuiThread([&timer] { timer.Start(); }));
    ASSERT_TRUE(timer.ticked.Wait(5000));
    EXPECT_TRUE(timer.onGuiThread);
    ASSERT_TRUE(CallOnGuiThread([&timer] { timer.Stop(); }));
    EXPECT_EQ(timer.GetId(), 0u);
}

}  // namespace
