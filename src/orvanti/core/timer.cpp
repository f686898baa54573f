// The frame timer.
#include "timer.h"

#include "platformclock.h"

Timer::Timer()
{
    frequency_ = PlatformClockFrequency();
    start_ = PlatformClockCounter();
    last_ = start_;
    now_ = start_;
    secondsPerCount_ = frequency_ > 0 ? 1.0 / static_cast<double>(frequency_) : 0.0;
}

float Timer::SecondsSinceLast() const
{
    double seconds = (static_cast<double>(now_) - static_cast<double>(last_)) * secondsPerCount_;
    if (seconds < 0.0)
        seconds = 0.0;
    return static_cast<float>(seconds);
}

float Timer::Delta()
{
    now_ = PlatformClockCounter();
    float seconds = SecondsSinceLast();
    last_ = now_;
    return seconds;
}

float Timer::Peek()
{
    now_ = PlatformClockCounter();
    return SecondsSinceLast();
}

float Timer::Total() const
{
    return static_cast<float>((static_cast<double>(last_) - static_cast<double>(start_)) * secondsPerCount_);
}

void Timer::Reset()
{
    start_ = PlatformClockCounter();
    last_ = start_;
}
