// Work that the level edit dialog's handlers (on the toolkit's thread) hand
// to the main thread, so world changes and GL calls happen there, between
// frames. A handler waits until its own item has run. The edit state opens
// the queue on entering, runs it at the top of every frame and once more on
// leaving; while the main thread itself waits for the toolkit, it keeps
// running the queue, so neither thread waits for the other for ever.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class MainThreadQueue {
public:
    // Main thread: takes items from now on and runs them while waiting for the toolkit.
    void Open();
    // Main thread: refuses new items (the ones queued stay until the next Drain).
    void Close();
    // Runs fn on the main thread and waits for it; on the main thread at once.
    // False, without running it, when the queue is closed.
    bool Run(std::function<void()> fn);
    // Main thread: runs every queued item in order; the number run.
    int Drain();
    bool IsOpen() const;

private:
    struct Item {
        std::function<void()> fn;
        bool* done;
    };

    mutable std::mutex mutex_;
    std::condition_variable ran_;
    std::deque<Item> items_;
    std::thread::id mainThread_;
    bool open_ = false;
};

// The one queue of the program.
MainThreadQueue& GetMainThreadQueue();
