// The recursive mutex with owner and time-out.
#include "korrel/wwinmutex.h"

#include "korrel/wwinevent.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// How often a waiter looks whether the owner has exited.
constexpr auto kOwnerCheckPeriod = std::chrono::milliseconds(5);

// Lives as long as its thread: the flag turns false when the thread exits.
struct ThreadLife {
    std::shared_ptr<std::atomic<bool>> alive = std::make_shared<std::atomic<bool>>(true);
    ~ThreadLife() { *alive = false; }
};

thread_local ThreadLife tLife;

}  // namespace

WWinMutex::WWinMutex()
{}

WWinMutex::~WWinMutex()
{}

bool WWinMutex::Free() const
{
    return depth_ == 0 || !ownerAlive_ || !*ownerAlive_;
}

bool WWinMutex::Mine() const
{
    return depth_ > 0 && ownerAlive_ == tLife.alive;
}

bool WWinMutex::Request(unsigned timeoutMs)
{
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> lock(mutex_);
    while (!Mine() && !Free()) {
        if (timeoutMs == kKorrelInfinite) {
            changed_.wait_for(lock, kOwnerCheckPeriod);
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (now >= until) {
            return false;
        }
        changed_.wait_for(lock, std::min<Clock::duration>(until - now, kOwnerCheckPeriod));
    }
    if (!Mine()) {
        ownerAlive_ = tLife.alive;
        depth_ = 0;  // taken over from an exited owner: its count goes with it
    }
    ++depth_;
    return true;
}

void WWinMutex::Release()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!Mine()) {
        return;
    }
    if (--depth_ == 0) {
        changed_.notify_one();
    }
}
