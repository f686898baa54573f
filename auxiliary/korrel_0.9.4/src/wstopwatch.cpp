// The interval timer.
#include "korrel/wstopwatch.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr std::int64_t kTicksPerMillisecond = 1000000;
constexpr std::int64_t kTicksPerMicrosecond = 1000;

std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

WStopWatch::WStopWatch()
{
    Start();
    const std::int64_t reading = Now();
    offset_ = reading - start_;
}

WStopWatch::~WStopWatch()
{}

void WStopWatch::Start()
{
    start_ = Now();
}

std::int32_t WStopWatch::Elapsed(bool restart, bool milliseconds)
{
    const std::int64_t now = Now();
    const std::int64_t delta = std::max<std::int64_t>(now - start_ - offset_, 0);
    if (restart) {
        start_ = now;
    }
    return static_cast<std::int32_t>(delta / (milliseconds ? kTicksPerMillisecond : kTicksPerMicrosecond));
}
