// ScheduledEvent: a timed, reference-counted action for the EventScheduler,
// plus the engine's two callback events (once, and repeating with a period).
#pragma once

#include "refcounted.h"

class EventScheduler;

class ScheduledEvent : public RefCounted {
public:
    // Runs the event; it must not schedule anything with a negative delay.
    virtual void Execute() = 0;
};

using EventCallback = void (*)();

// Calls a function once; deletes itself when the last reference goes.
class CallbackEvent : public ScheduledEvent {
public:
    explicit CallbackEvent(EventCallback callback)
        : callback_(callback)
    {}

    void Destroy() override { delete this; }
    void Execute() override;

private:
    EventCallback callback_;
};

// Calls a function, then schedules itself again after its period on the
// scheduler it was given; deletes itself when the last reference goes.
class RepeatingCallbackEvent : public ScheduledEvent {
public:
    RepeatingCallbackEvent(EventCallback callback, float period, EventScheduler* scheduler)
        : callback_(callback),
          period_(period),
          scheduler_(scheduler)
    {}

    void Destroy() override { delete this; }
    void Execute() override;

private:
    EventCallback callback_;
    float period_;
    EventScheduler* scheduler_;
};
