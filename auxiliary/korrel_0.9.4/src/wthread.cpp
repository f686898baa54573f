// User threads: the start gate, suspension by signals, the state.
#include "korrel/wthread.h"

#include "korrel/korrelcheck.h"

#include <pthread.h>
#include <semaphore.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>

struct WThread::Suspension {
    sem_t acknowledged;                 // posted by the handler once the thread is held
    std::atomic<bool> resume{false};    // set by Start before the resume signal
    std::atomic<bool> finished{false};  // the thread's function has returned
    Suspension() { sem_init(&acknowledged, 0, 0); }
    ~Suspension() { sem_destroy(&acknowledged); }
};

namespace {

constexpr long kAcknowledgeSliceNs = 10 * 1000 * 1000;

thread_local WThread::Suspension* tSuspension = nullptr;

int SuspendSignal()
{
    return SIGRTMIN + 4;
}

int ResumeSignal()
{
    return SIGRTMIN + 5;
}

// Holds the thread until Start sets resume and sends the resume signal,
// which stays blocked outside sigsuspend so it cannot slip past the test.
void OnSuspendSignal(int)
{
    const int savedErrno = errno;
    WThread::Suspension* suspension = tSuspension;
    if (suspension) {
        sem_post(&suspension->acknowledged);
        sigset_t waitMask;
        pthread_sigmask(SIG_BLOCK, nullptr, &waitMask);
        sigdelset(&waitMask, ResumeSignal());
        while (!suspension->resume.exchange(false)) {
            sigsuspend(&waitMask);
        }
    }
    errno = savedErrno;
}

void OnResumeSignal(int)
{}

void InstallSignalHandlers()
{
    static const bool installed = [] {
        struct sigaction action {};
        sigemptyset(&action.sa_mask);
        sigaddset(&action.sa_mask, SuspendSignal());
        sigaddset(&action.sa_mask, ResumeSignal());
        action.sa_flags = SA_RESTART;
        action.sa_handler = OnSuspendSignal;
        sigaction(SuspendSignal(), &action, nullptr);
        action.sa_handler = OnResumeSignal;
        sigaction(ResumeSignal(), &action, nullptr);
        return true;
    }();
    (void)installed;
}

// Waits for the handler's acknowledgement, or until the thread has ended
// (a signal sent to an exiting thread is never handled).
void AwaitSuspension(WThread::Suspension& suspension)
{
    while (!suspension.finished) {
        timespec until{};
        clock_gettime(CLOCK_REALTIME, &until);
        until.tv_nsec += kAcknowledgeSliceNs;
        if (until.tv_nsec >= 1000000000L) {
            until.tv_nsec -= 1000000000L;
            ++until.tv_sec;
        }
        if (sem_timedwait(&suspension.acknowledged, &until) == 0) {
            return;
        }
    }
}

}  // namespace

WThread::WThread(WThreadFunction function, std::uintptr_t argument)
    : function_(function),
      argument_(argument),
      suspension_(std::make_unique<Suspension>())
{
    InstallSignalHandlers();
    thread_ = std::thread([this] { ThreadFcn(); });
    std::unique_lock<std::mutex> lock(gateMutex_);
    gateChanged_.wait(lock, [this] { return started_; });
    KorrelCheck(HandleValue() != nullptr, "WThread::WThread() Could not create user thread");
}

WThread::~WThread()
{
    {
        std::lock_guard<std::mutex> lock(gateMutex_);
        if (!gateOpen_) {
            cancelled_ = true;
            gateOpen_ = true;
            gateChanged_.notify_all();
        }
    }
    if (state_ == kStopped && handle_.load() != nullptr) {
        suspension_->resume = true;
        pthread_kill(thread_.native_handle(), ResumeSignal());
    }
    if (thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach();
    } else if (thread_.joinable()) {
        thread_.join();
    }
    state_ = kTerminated;
}

void WThread::ThreadFcn()
{
    tSuspension = suspension_.get();
    {
        std::lock_guard<std::mutex> lock(gateMutex_);
        threadId_ = static_cast<unsigned>(::syscall(SYS_gettid));
        handle_ = reinterpret_cast<const void*>(pthread_self());
        started_ = true;
        gateChanged_.notify_all();
    }
    bool run = false;
    {
        std::unique_lock<std::mutex> lock(gateMutex_);
        gateChanged_.wait(lock, [this] { return gateOpen_; });
        run = !cancelled_;
    }
    if (run && function_) {
        function_(argument_);
    }
    KorrelTrace("WThread::threadFcn(): User thread terminates\n");
    suspension_->finished = true;
    handle_ = nullptr;
    state_ = kTerminated;
    tSuspension = nullptr;
}

void WThread::Start()
{
    KorrelCheck(state_ == kStopped,
                "WThread::Start() Unknown or terminated thread cannot be started  hTread=", HandleValue());
    if (state_ != kStopped) {
        return;
    }
    state_ = kRunning;
    std::unique_lock<std::mutex> lock(gateMutex_);
    if (!gateOpen_) {
        gateOpen_ = true;
        gateChanged_.notify_all();
    } else {
        lock.unlock();
        suspension_->resume = true;
        pthread_kill(thread_.native_handle(), ResumeSignal());
    }
    std::this_thread::yield();
}

void WThread::Stop()
{
    KorrelCheck(state_ == kRunning,
                "WThread::Stop() Unknown or terminated thread cannot be stopped  hTread=", HandleValue());
    if (state_ != kRunning) {
        return;
    }
    state_ = kStopped;
    if (pthread_kill(thread_.native_handle(), SuspendSignal()) == 0) {
        AwaitSuspension(*suspension_);
    }
}

int WThread::GetState() const
{
    KorrelCheck(HandleValue() != nullptr, "WThread::GetState() Unknown or terminated thread hTread=", HandleValue());
    const int state = state_;
    if (state == kRunning && thread_.get_id() == std::this_thread::get_id()) {
        return kRunningCaller;
    }
    return state;
}

void WThread::Sleep(unsigned ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
