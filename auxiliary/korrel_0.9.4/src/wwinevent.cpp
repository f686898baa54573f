// The auto-reset event.
#include "korrel/wwinevent.h"

#include <chrono>

WWinEvent::WWinEvent()
{}

WWinEvent::~WWinEvent()
{}

void WWinEvent::Set()
{
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = true;
    changed_.notify_one();
}

void WWinEvent::Reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = false;
}

bool WWinEvent::Wait(unsigned timeoutMs)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const auto isSet = [this] { return signalled_; };
    if (timeoutMs == kKorrelInfinite) {
        changed_.wait(lock, isSet);
    } else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), isSet)) {
        return false;
    }
    signalled_ = false;
    return true;
}
