// The callback events.
#include "scheduledevent.h"

#include "eventscheduler.h"

void CallbackEvent::Execute()
{
    if (callback_ != nullptr)
        callback_();
}

void RepeatingCallbackEvent::Execute()
{
    if (callback_ != nullptr)
        callback_();
    if (scheduler_ != nullptr)
        scheduler_->Schedule(period_, this);
}
