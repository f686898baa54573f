// The program's rand(): a seedable 15-bit generator (0..32767), the range
// the game's random maths is built on. Main-thread use only.
#pragma once

constexpr int kRand15Max = 32767;

// Next value in 0..32767.
int Rand15();

// Restarts the sequence; the program starts as if seeded with 1.
void SeedRand15(unsigned int seed);
