// The toolkit's timer thread: periodic deadlines kept in a heap, each fired
// on a fixed grid (deadline += period, so periods do not drift; periods
// missed while a callback ran are skipped). Started by the first timer.
#pragma once

#include <functional>
#include <memory>

class WTimerThread {
public:
    // fire(id) runs on the timer thread at every deadline of every timer.
    explicit WTimerThread(std::function<void(unsigned id)> fire);
    ~WTimerThread();
    WTimerThread(const WTimerThread&) = delete;
    WTimerThread& operator=(const WTimerThread&) = delete;

    void Add(unsigned id, unsigned periodMs);
    // Once it returns, id's deadlines are not taken again (a firing already
    // under way may still run).
    void Remove(unsigned id);

private:
    struct State;
    std::unique_ptr<State> state_;
};
