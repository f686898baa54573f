// The event scheduler's frame step.
#include "eventscheduler.h"

#include "debugbreak.h"

EventScheduler::EventScheduler(int capacity)
    : heap_(capacity)
{}

void EventScheduler::Update(float dt)
{
    clock_ += dt;
    while (heap_.TopTime() < clock_ && heap_.Count() != 0) {
        // The event runs while it is still on top and is removed after.
        heap_.Top()->Execute();
        heap_.Pop();
    }
}

bool EventScheduler::Schedule(float delay, ScheduledEvent* event)
{
    if (event == nullptr) {
        DEBUG_BREAK("null event scheduled");
        return false;
    }
    float key = static_cast<float>(static_cast<double>(clock_) + static_cast<double>(delay));
    return heap_.Push(key, event);
}
