// The timer thread and its deadline heap.
#include "korrel/wtimerthread.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <queue>
#include <set>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Deadline {
    Clock::time_point when;
    unsigned id;
    Clock::duration period;
    bool operator>(const Deadline& other) const { return when > other.when; }
};

}  // namespace

struct WTimerThread::State {
    std::function<void(unsigned)> fire;
    std::mutex mutex;
    std::condition_variable changed;
    std::priority_queue<Deadline, std::vector<Deadline>, std::greater<Deadline>> heap;
    std::set<unsigned> live;  // ids whose deadlines still count
    bool quit = false;
    std::thread thread;

    void Run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!quit) {
            if (heap.empty()) {
                changed.wait(lock);
                continue;
            }
            const Deadline next = heap.top();
            if (live.count(next.id) == 0) {
                heap.pop();  // removed timer
                continue;
            }
            if (Clock::now() < next.when) {
                changed.wait_until(lock, next.when);
                continue;
            }
            heap.pop();
            Deadline following = next;
            const Clock::time_point now = Clock::now();
            while (following.when <= now) {
                following.when += following.period;
            }
            heap.push(following);
            lock.unlock();
            fire(next.id);
            lock.lock();
        }
    }
};

WTimerThread::WTimerThread(std::function<void(unsigned id)> fire)
    : state_(std::make_unique<State>())
{
    state_->fire = std::move(fire);
    state_->thread = std::thread([state = state_.get()] { state->Run(); });
}

WTimerThread::~WTimerThread()
{
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->quit = true;
        state_->changed.notify_all();
    }
    state_->thread.join();
}

void WTimerThread::Add(unsigned id, unsigned periodMs)
{
    const Clock::duration period = std::chrono::milliseconds(std::max(periodMs, 1u));
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->live.insert(id);
    state_->heap.push(Deadline{Clock::now() + period, id, period});
    state_->changed.notify_all();
}

void WTimerThread::Remove(unsigned id)
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->live.erase(id);
    state_->changed.notify_all();
}
