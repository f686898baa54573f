// An auto-reset event: Set wakes one waiter (or the next one to wait), and
// a successful wait resets it.
#pragma once

#include "wobject.h"

#include <condition_variable>
#include <mutex>

constexpr unsigned kKorrelInfinite = 0xFFFFFFFF;

class WWinEvent : public WObject {
public:
    WWinEvent();
    ~WWinEvent() override;

    void Set();
    void Reset();
    // False only on a time-out; kKorrelInfinite waits for ever.
    bool Wait(unsigned timeoutMs);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};
