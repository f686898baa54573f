// The event heap and scheduler: strict due times, ascending order, the
// capacity limit, ties, references held and released; and the list-based
// event queue.
#include "eventheap.h"
#include "eventscheduler.h"
#include "random15.h"
#include "sortedeventqueue.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// An event that records its runs and its destruction without freeing
// itself, so tests can look at it afterwards.
class ProbeEvent : public ScheduledEvent {
public:
    ProbeEvent(int id, std::vector<int>* runs)
        : id_(id),
          runs_(runs)
    {}
    void Execute() override
    {
        if (runs_ != nullptr)
            runs_->push_back(id_);
    }
    void Destroy() override { ++destroyed; }

    int destroyed = 0;

private:
    int id_;
    std::vector<int>* runs_;
};

std::vector<std::unique_ptr<ProbeEvent>> MakeProbes(int count, std::vector<int>* runs)
{
    std::vector<std::unique_ptr<ProbeEvent>> probes;
    for (int i = 0; i < count; ++i)
        probes.push_back(std::make_unique<ProbeEvent>(i, runs));
    return probes;
}

}  // namespace

TEST(EventHeap, EmptyHeapHasNoTopAndTimeMinusOne)
{
    EventHeap heap(4);
    EXPECT_EQ(heap.Count(), 0);
    EXPECT_EQ(heap.TopTime(), -1.0f);
    EXPECT_EQ(heap.Top(), nullptr);
    heap.Pop();
    EXPECT_EQ(heap.Count(), 0);
}

TEST(EventHeap, TopIsAlwaysTheSmallestKeyUnderMixedPushAndPop)
{
    constexpr int kCapacity = 20;
    auto probes = MakeProbes(kCapacity, nullptr);
    EventHeap heap(kCapacity);
    std::vector<std::pair<float, ProbeEvent*>> model;
    SeedRand15(42);
    int next = 0;
    for (int step = 0; step < 2000; ++step) {
        bool push = model.size() < kCapacity && (model.empty() || Rand15() % 3 != 0);
        if (push) {
            ProbeEvent* probe = nullptr;
            for (auto& candidate : probes) {
                if (candidate->RefCount() == 0) {
                    probe = candidate.get();
                    break;
                }
            }
            ASSERT_NE(probe, nullptr);
            float key = static_cast<float>(Rand15() % 50);
            ASSERT_TRUE(heap.Push(key, probe));
            model.emplace_back(key, probe);
            ++next;
        } else {
            auto smallest = std::min_element(model.begin(), model.end(),
                                             [](const auto& a, const auto& b) { return a.first < b.first; });
            ASSERT_EQ(heap.TopTime(), smallest->first);
            ProbeEvent* top = static_cast<ProbeEvent*>(heap.Top());
            auto entry = std::find_if(model.begin(), model.end(), [top](const auto& e) { return e.second == top; });
            ASSERT_NE(entry, model.end());
            ASSERT_EQ(entry->first, smallest->first);
            model.erase(entry);
            heap.Pop();
            EXPECT_EQ(top->RefCount(), 0);
        }
        ASSERT_EQ(heap.Count(), static_cast<int>(model.size()));
    }
    EXPECT_GT(next, 100);
}

TEST(EventHeap, PushBeyondCapacityIsRefusedWithoutReference)
{
    auto probes = MakeProbes(3, nullptr);
    EventHeap heap(2);
    EXPECT_TRUE(heap.Push(1.0f, probes[0].get()));
    EXPECT_TRUE(heap.Push(2.0f, probes[1].get()));
    EXPECT_FALSE(heap.Push(0.5f, probes[2].get()));
    EXPECT_EQ(probes[2]->RefCount(), 0);
    EXPECT_EQ(heap.Count(), 2);
    EXPECT_EQ(heap.TopTime(), 1.0f);
}

// Equal keys are never swapped: a pushed entry stays below the entry of its
// time, the last entry moved up by a pop stays above children of its time,
// and of two equal children the left one rises.
TEST(EventHeap, EqualKeysStayInPlace)
{
    const struct {
        const char* name;
        std::vector<float> keys;  // pushed in order, events 0, 1, ...
        int pops;
        int top;
    } cases[] = {
        {"PushedBelowItsEqual", {1, 1}, 0, 0},
        {"MovedAboveItsLoneChild", {0, 1, 1}, 1, 2},
        {"MovedAboveEqualChildren", {0, 1, 2, 1}, 1, 3},
        {"LeftOfEqualChildrenRises", {0, 1, 1, 2}, 1, 1},
    };
    for (const auto& c : cases) {
        auto probes = MakeProbes(static_cast<int>(c.keys.size()), nullptr);
        EventHeap heap(static_cast<int>(c.keys.size()));
        for (size_t i = 0; i < c.keys.size(); ++i)
            heap.Push(c.keys[i], probes[i].get());
        for (int i = 0; i < c.pops; ++i)
            heap.Pop();
        EXPECT_EQ(heap.Top(), probes[c.top].get()) << c.name;
    }
}

TEST(EventScheduler, EmptyUpdateOnlyAdvancesTheClock)
{
    EventScheduler scheduler(20);
    scheduler.Update(0.25f);
    scheduler.Update(0.5f);
    EXPECT_FLOAT_EQ(scheduler.GetTime(), 0.75f);
}

TEST(EventScheduler, EventDueExactlyAtTheClockWaitsOneFrame)
{
    std::vector<int> runs;
    ProbeEvent event(7, &runs);
    EventScheduler scheduler(20);
    ASSERT_TRUE(scheduler.Schedule(1.0f, &event));
    EXPECT_EQ(event.RefCount(), 1);
    scheduler.Update(1.0f);
    EXPECT_TRUE(runs.empty());
    scheduler.Update(0.001f);
    EXPECT_EQ(runs, std::vector<int>{7});
    EXPECT_EQ(event.RefCount(), 0);
    EXPECT_EQ(event.destroyed, 1);
    EXPECT_EQ(scheduler.Count(), 0);
}

TEST(EventScheduler, DueEventsRunInAscendingTimeWithinOneFrame)
{
    std::vector<int> runs;
    auto probes = MakeProbes(6, &runs);
    const float delays[] = {0.5f, 0.1f, 0.4f, 0.2f, 0.9f, 0.3f};
    EventScheduler scheduler(20);
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(scheduler.Schedule(delays[i], probes[i].get()));
    scheduler.Update(0.6f);
    EXPECT_EQ(runs, (std::vector<int>{1, 3, 5, 2, 0}));
    EXPECT_EQ(scheduler.Count(), 1);
}

TEST(EventScheduler, EqualTimesRunInTheSameFrame)
{
    std::vector<int> runs;
    auto probes = MakeProbes(3, &runs);
    EventScheduler scheduler(20);
    for (auto& probe : probes)
        ASSERT_TRUE(scheduler.Schedule(0.2f, probe.get()));
    scheduler.Update(0.1f);
    EXPECT_TRUE(runs.empty());
    scheduler.Update(0.2f);
    std::sort(runs.begin(), runs.end());
    EXPECT_EQ(runs, (std::vector<int>{0, 1, 2}));
}

TEST(EventScheduler, TwentyFirstEventIsRefused)
{
    auto probes = MakeProbes(21, nullptr);
    EventScheduler scheduler(20);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(scheduler.Schedule(1.0f, probes[i].get()));
    EXPECT_FALSE(scheduler.Schedule(1.0f, probes[20].get()));
    EXPECT_EQ(probes[20]->RefCount(), 0);
}

TEST(EventScheduler, DestructionReleasesHeldEvents)
{
    auto probes = MakeProbes(3, nullptr);
    {
        EventScheduler scheduler(20);
        for (auto& probe : probes)
            scheduler.Schedule(5.0f, probe.get());
    }
    for (auto& probe : probes) {
        EXPECT_EQ(probe->RefCount(), 0);
        EXPECT_EQ(probe->destroyed, 1);
    }
}

TEST(EventScheduler, EventHeldElsewhereSurvivesItsRun)
{
    std::vector<int> runs;
    ProbeEvent event(1, &runs);
    RefHandle<ProbeEvent> keep(&event);
    EventScheduler scheduler(20);
    scheduler.Schedule(0.0f, &event);
    scheduler.Update(0.1f);
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_EQ(event.RefCount(), 1);
    EXPECT_EQ(event.destroyed, 0);
}

namespace {
int g_calls = 0;
void CountCall()
{
    ++g_calls;
}
}  // namespace

TEST(EventScheduler, RepeatingEventWithPeriodZeroRunsOncePerFrame)
{
    g_calls = 0;
    EventScheduler scheduler(20);
    scheduler.Schedule(0.0f, new RepeatingCallbackEvent(CountCall, 0.0f, &scheduler));
    for (int frame = 0; frame < 5; ++frame)
        scheduler.Update(0.016f);
    EXPECT_EQ(g_calls, 5);
    EXPECT_EQ(scheduler.Count(), 1);
}

TEST(EventScheduler, RepeatingEventKeepsItsPeriod)
{
    g_calls = 0;
    EventScheduler scheduler(20);
    scheduler.Schedule(0.5f, new RepeatingCallbackEvent(CountCall, 0.5f, &scheduler));
    for (int frame = 0; frame < 10; ++frame)
        scheduler.Update(0.25f);
    // The period counts from the clock of the run, not from the due time:
    // due 0.5 runs at 0.75, due 1.25 runs at 1.5, due 2.0 runs at 2.25.
    EXPECT_EQ(g_calls, 3);
}

TEST(EventScheduler, CallbackEventRunsOnceAndIsGone)
{
    g_calls = 0;
    EventScheduler scheduler(20);
    scheduler.Schedule(0.0f, new CallbackEvent(CountCall));
    scheduler.Update(0.1f);
    scheduler.Update(0.1f);
    EXPECT_EQ(g_calls, 1);
    EXPECT_EQ(scheduler.Count(), 0);
}

TEST(EventScheduler, NullEventBreaksAndIsRefused)
{
    BreakCounter breaks;
    EventScheduler scheduler(20);
    EXPECT_FALSE(scheduler.Schedule(0.0f, nullptr));
    EXPECT_EQ(breaks.Count(), 1);
    scheduler.Update(1.0f);
}

TEST(SortedEventQueue, KeepsAscendingTimeWithNewestTieFirst)
{
    auto probes = MakeProbes(5, nullptr);
    SortedEventQueue queue(5);
    const float times[] = {3.0f, 1.0f, 3.0f, 2.0f, 1.0f};
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(queue.Insert(times[i], probes[i].get()));
    std::vector<ScheduledEvent*> order;
    while (queue.Count() > 0) {
        order.push_back(queue.TopEvent());
        queue.Pop();
    }
    std::vector<ScheduledEvent*> expected = {probes[4].get(), probes[1].get(), probes[3].get(), probes[2].get(),
                                             probes[0].get()};
    EXPECT_EQ(order, expected);
}

TEST(SortedEventQueue, ReusesFreedNodesAndRefusesWhenFull)
{
    auto probes = MakeProbes(4, nullptr);
    SortedEventQueue queue(2);
    EXPECT_TRUE(queue.Insert(1.0f, probes[0].get()));
    EXPECT_TRUE(queue.Insert(2.0f, probes[1].get()));
    EXPECT_FALSE(queue.Insert(0.5f, probes[2].get()));
    queue.Pop();
    EXPECT_TRUE(queue.Insert(0.5f, probes[3].get()));
    EXPECT_EQ(queue.TopTime(), 0.5f);
    EXPECT_EQ(queue.TopEvent(), probes[3].get());
}

TEST(SortedEventQueue, TopOfEmptyQueueBreaksSafely)
{
    BreakCounter breaks;
    SortedEventQueue empty;
    EXPECT_FALSE(empty.Insert(1.0f, nullptr));
    EXPECT_EQ(empty.TopTime(), -1.0f);
    EXPECT_EQ(empty.TopEvent(), nullptr);
    EXPECT_EQ(breaks.Count(), 2);
}
