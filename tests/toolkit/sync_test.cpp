// Events, mutexes, user threads and the stop watch.
#include <gtest/gtest.h>

#include "korrel/wstopwatch.h"
#include "korrel/wthread.h"
#include "korrel/wwinevent.h"
#include "korrel/wwinmutex.h"
#include "testsupport.h"

#include <atomic>
#include <string>
#include <thread>

namespace {

TEST(WinEvent, AutoResets)
{
    WWinEvent event;
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    event.Reset();
    EXPECT_FALSE(event.Wait(0));
    std::thread setter([&event] { event.Set(); });
    EXPECT_TRUE(event.Wait(kKorrelInfinite));
    setter.join();
}

// Whether another thread gets the mutex at once.
bool OtherThreadTakes(WWinMutex& mutex)
{
    bool taken = false;
    std::thread([&] {
        taken = mutex.Request(0);
        if (taken) {
            mutex.Release();
        }
    }).join();
    return taken;
}

TEST(WinMutex, RecursiveOwnedAndTimed)
{
    WWinMutex mutex;
    ASSERT_TRUE(mutex.Request(0));
    ASSERT_TRUE(mutex.Request(kKorrelInfinite));
    mutex.Release();
    EXPECT_FALSE(OtherThreadTakes(mutex));  // still held once
    std::thread([&mutex] { mutex.Release(); }).join();
    EXPECT_FALSE(OtherThreadTakes(mutex));  // a stranger's release did nothing
    mutex.Release();
    EXPECT_TRUE(OtherThreadTakes(mutex));
}

TEST(WinMutex, OwnerThatExitedLeavesItFree)
{
    WWinMutex mutex;
    std::thread([&mutex] { ASSERT_TRUE(mutex.Request(0)); }).join();
    EXPECT_TRUE(mutex.Request(1000));
    mutex.Release();
    EXPECT_TRUE(OtherThreadTakes(mutex));
}

struct Probe {
    WThread* thread = nullptr;
    std::atomic<int> stateInside{-1};
    std::atomic<int> steps{0};
    std::atomic<bool> finish{false};
};

void Worker(std::uintptr_t argument)
{
    Probe& probe = *reinterpret_cast<Probe*>(argument);
    probe.stateInside = probe.thread->GetState();
    while (!probe.finish) {
        ++probe.steps;
        WThread::Sleep(1);
    }
}

template <typename F> bool WaitUntil(F done)
{
    for (int i = 0; i < 5000 && !done(); ++i) {
        WThread::Sleep(1);
    }
    return done();
}

TEST(Thread, StartsSuspendedStopsAndResumes)
{
    Probe probe;
    WThread thread(Worker, reinterpret_cast<std::uintptr_t>(&probe));
    probe.thread = &thread;
    WThread::Sleep(20);
    EXPECT_EQ(probe.steps, 0);  // created suspended
    EXPECT_EQ(thread.GetState(), WThread::kStopped);
    thread.Start();
    ASSERT_TRUE(WaitUntil([&] { return probe.steps > 0; }));
    EXPECT_EQ(probe.stateInside, WThread::kRunningCaller);
    EXPECT_EQ(thread.GetState(), WThread::kRunning);

    thread.Stop();
    EXPECT_EQ(thread.GetState(), WThread::kStopped);
    const int held = probe.steps;
    WThread::Sleep(30);
    EXPECT_EQ(probe.steps, held);
    thread.Start();
    EXPECT_TRUE(WaitUntil([&] { return probe.steps > held; }));

    thread.Stop();
    probe.finish = true;  // the destructor resumes it and waits for its end
}

struct MisuseCase {
    std::string name;
    int startsBefore;  // Start calls before the misuse
    bool finish;       // let the function return first
    void (*misuse)(WThread&);
    const char* printed;
};

class ThreadMisuse : public ::testing::TestWithParam<MisuseCase> {};

TEST_P(ThreadMisuse, FailsItsCheckWithTheHandle)
{
    const MisuseCase& c = GetParam();
    Probe probe;
    probe.finish = c.finish;
    WThread thread(Worker, reinterpret_cast<std::uintptr_t>(&probe));
    probe.thread = &thread;
    for (int i = 0; i < c.startsBefore; ++i) {
        thread.Start();
    }
    if (c.finish) {
        ASSERT_TRUE(WaitUntil([&] { return probe.stateInside != -1; }));
        WThread::Sleep(20);
    }
    BreakCounter breaks;
    testing::internal::CaptureStderr();
    c.misuse(thread);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(printed.rfind(c.printed, 0), 0u) << printed;
    const std::string report = printed.substr(0, printed.find('\n'));
    EXPECT_EQ(report.back(), 'H') << report;
    probe.finish = true;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ThreadMisuse,
    ::testing::Values(MisuseCase{"StartRunning", 1, false, [](WThread& t) { t.Start(); },
                                 "Korrel ERROR: WThread::Start() Unknown or terminated thread cannot be started  "
                                 "hTread= "},
                      MisuseCase{"StopStopped", 0, false, [](WThread& t) { t.Stop(); },
                                 "Korrel ERROR: WThread::Stop() Unknown or terminated thread cannot be stopped  "
                                 "hTread= "},
                      MisuseCase{"StateOfEnded", 1, true, [](WThread& t) { t.GetState(); },
                                 "Korrel ERROR: WThread::GetState() Unknown or terminated thread hTread= 0H"}),
    CaseName());

void NeverRuns(std::uintptr_t ran)
{
    *reinterpret_cast<bool*>(ran) = true;
}

TEST(Thread, DestroyedUnstartedNeverRunsItsFunction)
{
    bool ran = false;
    {
        WThread thread(NeverRuns, reinterpret_cast<std::uintptr_t>(&ran));
    }
    EXPECT_FALSE(ran);
}

TEST(StopWatch, RestartMakesTheNextReadingSmall)
{
    WStopWatch watch;
    WThread::Sleep(20);
    const int first = watch.Elapsed(true, true);
    EXPECT_GE(first, 19);
    EXPECT_LT(watch.Elapsed(true, true), first);
    EXPECT_GE(watch.Elapsed(false, false), 0);
}

}  // namespace
