// The maths' free functions.
#include "mathutil.h"

#include "random15.h"

namespace {
constexpr double kRandomUnitDivisor = 32766.0;
constexpr double kDegreesToRadians = 0.01745329252;
constexpr int kLargestIntPowerOfTwo = 1 << 30;
}  // namespace

float ClampFloat(float v, float lo, float hi)
{
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return v;
}

bool ToInt32(double value, int32_t* result)
{
    // Written so that NaN fails both comparisons.
    if (!(value > static_cast<double>(INT32_MIN) - 1.0 && value < static_cast<double>(INT32_MAX) + 1.0))
        return false;
    *result = static_cast<int32_t>(value);
    return true;
}

int32_t ToInt32Clamped(double value)
{
    int32_t result = 0;
    if (ToInt32(value, &result) || value != value)
        return result;
    return value > 0.0 ? INT32_MAX : INT32_MIN;
}

int ClampInt(int v, int lo, int hi)
{
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return v;
}

float RandomUnitFloat()
{
    return static_cast<float>(Rand15() / kRandomUnitDivisor);
}

Color RandomColor()
{
    float red = RandomUnitFloat();
    float green = RandomUnitFloat();
    float blue = RandomUnitFloat();
    return Color(red, green, blue, 1.0f);
}

float DegToRad(float degrees)
{
    return degrees * static_cast<float>(kDegreesToRadians);
}

double DegToRad(double degrees)
{
    return degrees * kDegreesToRadians;
}

int NextPowerOfTwo(int n)
{
    int p = 1;
    while (p < n && p < kLargestIntPowerOfTwo)
        p *= 2;
    return p;
}
