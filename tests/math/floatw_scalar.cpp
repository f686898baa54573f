// The plain FloatW, built here beside the vector one the code uses.
#define ORVANTI_FLOATW_SCALAR
#include "floatw_probe.h"

FloatWProbe ProbeScalarFloatW(const float* a, const float* b)
{
    return ProbeFloatW(a, b);
}
