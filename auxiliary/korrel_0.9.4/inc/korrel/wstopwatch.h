// A high-resolution interval timer on the monotonic clock (nanosecond
// ticks; no overflow for centuries). Elapsed is cut to 32 bits.
#pragma once

#include "wobject.h"

#include <cstdint>

class WStopWatch : public WObject {
public:
    // Starts, and measures the cost of one reading as its offset.
    WStopWatch();
    ~WStopWatch() override;

    void Start();
    // Time since the start, less the offset (never negative): milliseconds or
    // microseconds. restart starts the watch anew at this reading.
    std::int32_t Elapsed(bool restart, bool milliseconds);

private:
    std::int64_t start_ = 0;
    std::int64_t offset_ = 0;  // ticks
};
