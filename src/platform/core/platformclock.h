// The high-resolution clock in place of the performance counter: a
// monotonic counter (CLOCK_MONOTONIC) in nanoseconds. The frame timer and
// the toolkit's timers read it. Tests can put a fake counter in its place.
#pragma once

#include <cstdint>
#include <functional>

// Counts per second.
std::int64_t PlatformClockFrequency();

// The current count: monotonic, never less than an earlier reading
// (unless a test source says otherwise).
std::int64_t PlatformClockCounter();

using ClockSource = std::function<std::int64_t()>;

// Installs (or, with an empty function, removes) a source that
// PlatformClockCounter returns instead of the system clock; returns the old one.
ClockSource SetPlatformClockSource(ClockSource source);
