// Timer: the frame timer on the platform's high-resolution clock. The
// Application takes one Delta per frame; Total is the time up to that delta.
#pragma once

#include <cstdint>

class Timer {
public:
    // Reads the frequency and the start count.
    Timer();

    // Seconds since the previous Delta (or the start); moves the mark. A
    // counter that ran backwards gives 0.
    float Delta();
    // Seconds since the previous Delta, without moving the mark.
    float Peek();
    // Seconds from the start to the count of the latest Delta; does not
    // read the clock.
    float Total() const;
    // Restarts: start and mark at the present count.
    void Reset();

private:
    float SecondsSinceLast() const;

    std::int64_t frequency_ = 0;
    double secondsPerCount_ = 0.0;
    std::int64_t last_ = 0;
    std::int64_t now_ = 0;
    std::int64_t start_ = 0;
};
