// The main-thread queue; see mainthreadqueue.h.
#include "mainthreadqueue.h"

#include "guithread.h"

void MainThreadQueue::Open()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        mainThread_ = std::this_thread::get_id();
        open_ = true;
    }
    SetGuiWaitHook([this] { Drain(); });
}

void MainThreadQueue::Close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
}

bool MainThreadQueue::IsOpen() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return open_;
}

bool MainThreadQueue::Run(std::function<void()> fn)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!open_) {
        return false;
    }
    if (std::this_thread::get_id() == mainThread_) {
        lock.unlock();
        fn();
        return true;
    }
    bool done = false;
    items_.push_back(Item{std::move(fn), &done});
    ran_.wait(lock, [&done] { return done; });
    return true;
}

int MainThreadQueue::Drain()
{
    int count = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!items_.empty()) {
        Item item = std::move(items_.front());
        items_.pop_front();
        lock.unlock();
        item.fn();
        lock.lock();
        *item.done = true;
        ran_.notify_all();
        ++count;
    }
    return count;
}

MainThreadQueue& GetMainThreadQueue()
{
    static MainThreadQueue queue;
    return queue;
}
