// CLOCK_MONOTONIC behind the performance-counter interface.
#include "platformclock.h"

#include <ctime>
#include <mutex>

namespace {
constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

std::mutex& SourceMutex()
{
    static std::mutex mutex;
    return mutex;
}

ClockSource& Source()
{
    static ClockSource source;
    return source;
}
}  // namespace

std::int64_t PlatformClockFrequency()
{
    return kNanosecondsPerSecond;
}

std::int64_t PlatformClockCounter()
{
    ClockSource source;
    {
        std::lock_guard<std::mutex> lock(SourceMutex());
        source = Source();
    }
    if (source)
        return source();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

ClockSource SetPlatformClockSource(ClockSource source)
{
    std::lock_guard<std::mutex> lock(SourceMutex());
    ClockSource old = std::move(Source());
    Source() = std::move(source);
    return old;
}
