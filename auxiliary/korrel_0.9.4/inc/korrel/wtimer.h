// A periodic callback timer. A multimedia timer fires on the toolkit's timer
// thread, on a fixed grid of deadlines (no drift); a thread timer fires on
// the toolkit's GUI thread. Both kinds share one registry keyed by timer id
// (ids never reused), and callbacks run with the registry's lock held, so
// Start and Stop on other threads wait for a running callback. The lock is
// recursive: a callback may stop or restart its own timer.
#pragma once

#include "wevent.h"
#include "wobject.h"

#include <atomic>

class WTimer : public WObject {
public:
    WTimer(unsigned periodMs, WEventCallback callback, bool multimedia);
    ~WTimer() override;

    // Restarts a running timer with a new id.
    void Start();
    void Stop();

    // 0 while stopped.
    unsigned GetId() const { return timerId_.load(); }
    unsigned GetPeriod() const { return periodMs_; }
    bool IsMultimedia() const { return multimedia_; }
    // The record written before the last callback (read it from the callback).
    const WEvent& GetLastEvent() const { return lastEvent_; }
    // The timer an event record of a timer callback came from.
    static WTimer* FromEvent(const WEvent& event);

    // Registry records (for tests).
    static int RegistryCount();

    // The timer procedures: find the timer's record, fill its event record, call back.
    static void OnThreadTimer(unsigned timerId);
    static void OnMultimediaTimer(unsigned timerId);

private:
    static void Fire(unsigned timerId, WPARAM wParam);

    WEvent lastEvent_;
    std::atomic<unsigned> timerId_{0};
    unsigned periodMs_;
    WEventCallback callback_;
    bool multimedia_;
    unsigned guiTimer_ = 0;  // the GUI thread's timer behind a thread timer
};

// Milliseconds of the monotonic clock, cut to 32 bits.
unsigned KorrelTickCount();
