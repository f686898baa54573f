// The maths' free functions: clamps, random unit values and colours,
// degree conversion and the next power of two.
#pragma once

#include "color.h"

// lo when v < lo, hi when v > hi, else v (a NaN comes back unchanged).
float ClampFloat(float v, float lo, float hi);
int ClampInt(int v, int lo, int hi);

// Rand15() / 32766.0: from 0 up to 32767/32766, slightly above 1.
float RandomUnitFloat();

// r, g and b each a RandomUnitFloat (drawn in that order), a = 1.
Color RandomColor();

float DegToRad(float degrees);
double DegToRad(double degrees);

// The smallest power of two p >= n, counting from 1 (1 for any n <= 1).
int NextPowerOfTwo(int n);
