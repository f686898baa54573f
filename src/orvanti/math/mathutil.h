// The maths' free functions: clamps, random unit values and colours,
// degree conversion and the next power of two.
#pragma once

#include "color.h"

#include <cstdint>

// lo when v < lo, hi when v > hi, else v (a NaN comes back unchanged).
float ClampFloat(float v, float lo, float hi);
int ClampInt(int v, int lo, int hi);

// Read numbers to whole numbers: the whole part of value (toward zero) as
// an int32 in result; false, leaving result alone, for NaN, an infinity or
// a value outside the int32 range (a plain cast would be undefined there).
bool ToInt32(double value, int32_t* result);
// The same clamped into the int32 range; NaN gives 0.
int32_t ToInt32Clamped(double value);

// Rand15() / 32766.0: from 0 up to 32767/32766, slightly above 1.
float RandomUnitFloat();

// r, g and b each a RandomUnitFloat (drawn in that order), a = 1.
Color RandomColor();

float DegToRad(float degrees);
double DegToRad(double degrees);

// The smallest power of two p >= n, counting from 1 (1 for any n <= 1).
int NextPowerOfTwo(int n);
