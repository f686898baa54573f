// A recursive mutex with a time-out and an owner: only the owner releases it
// (a release by another thread does nothing), and a mutex whose owner exited
// while holding it can be taken again.
#pragma once

#include "wobject.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

class WWinMutex : public WObject {
public:
    WWinMutex();
    ~WWinMutex() override;

    // False only on a time-out; kKorrelInfinite (wwinevent.h) waits for ever.
    bool Request(unsigned timeoutMs);
    void Release();

private:
    bool Free() const;
    bool Mine() const;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<std::atomic<bool>> ownerAlive_;  // the owner's life flag; identifies the owner
    unsigned depth_ = 0;
};
