// A user thread, created suspended: it runs its function only after Start.
// Stop suspends it wherever it is (a per-thread signal whose handler waits
// until Start resumes it), as a garbage collector stops threads. The
// destructor resumes a stopped thread and waits for its function to return;
// a thread never started ends without running it.
#pragma once

#include "wobject.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

using WThreadFunction = void (*)(std::uintptr_t argument);

class WThread : public WObject {
public:
    static constexpr int kStopped = 0;
    static constexpr int kRunning = 1;
    static constexpr int kRunningCaller = 2;  // GetState asked by the thread itself
    static constexpr int kTerminated = 3;

    WThread(WThreadFunction function, std::uintptr_t argument);
    ~WThread() override;

    // The state must be kStopped (never started, or stopped).
    void Start();
    // The state must be kRunning.
    void Stop();
    // The thread must not have ended.
    int GetState() const;
    // Kernel id of the thread.
    unsigned GetId() const { return threadId_.load(); }
    static void Sleep(unsigned ms);

    // Suspension of one thread by signals (shared with the signal handler).
    struct Suspension;

private:
    void ThreadFcn();
    const void* HandleValue() const { return handle_.load(); }

    std::atomic<const void*> handle_{nullptr};  // null once the thread has ended
    std::atomic<unsigned> threadId_{0};
    WThreadFunction function_;
    std::uintptr_t argument_;
    std::atomic<int> state_{kStopped};

    std::mutex gateMutex_;
    std::condition_variable gateChanged_;
    bool gateOpen_ = false;
    bool cancelled_ = false;  // destroyed before it was started
    bool started_ = false;
    std::unique_ptr<Suspension> suspension_;
    std::thread thread_;
};
