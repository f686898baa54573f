#include "random15.h"

#include <cstdint>

namespace {
constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;
uint32_t g_state = 1u;
}  // namespace

int Rand15()
{
    g_state = g_state * kMultiplier + kIncrement;
    return static_cast<int>((g_state >> 16) & 0x7fffu);
}

void SeedRand15(unsigned int seed)
{
    g_state = seed;
}
