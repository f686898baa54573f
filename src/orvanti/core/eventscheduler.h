// EventScheduler: a clock advanced by the frame deltas and a bounded
// min-heap of timed events; Update runs every event whose time is strictly
// before the clock. The Application owns one (capacity 20) and advances it
// each frame before the current state's update.
#pragma once

#include "eventheap.h"
#include "scheduledevent.h"

class EventScheduler {
public:
    explicit EventScheduler(int capacity);

    // Adds dt to the clock, then runs and removes the due events in
    // ascending time.
    void Update(float dt);
    // Schedules the event at clock + delay; false when full (the event is
    // then neither stored nor referenced).
    bool Schedule(float delay, ScheduledEvent* event);
    float GetTime() const { return clock_; }
    int Count() const { return heap_.Count(); }

private:
    float clock_ = 0.0f;
    EventHeap heap_;
};
