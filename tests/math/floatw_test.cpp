// FloatW: each lane of each operation is exactly the scalar float result,
// for the vector implementation and for the plain one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "floatw_probe.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kTiny = std::numeric_limits<float>::denorm_min();

// Four lanes of a and b at a time: rounding cases, signed zeros, equal
// values, infinities, NaN and subnormals.
constexpr float kA[][4] = {
    {1.0f, 0.1f, 15.0f, 0.0025f},
    {0.0f, -0.0f, 0.05f, 3.0f},
    {kInf, -2.0f, kNaN, kTiny},
    {7.0f, 1e-30f, -kInf, 0.07f},
};
constexpr float kB[][4] = {
    {3.0f, 0.2f, 0.07f, 0.0049f},
    {-0.0f, 0.0f, 0.05f, -1.0f},
    {1.0f, kInf, 2.0f, kTiny},
    {0.0f, 1e-30f, 4.0f, 0.0701f},
};

bool SameFloat(float x, float y)
{
    return (std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0;
}

void ExpectScalarResults(const FloatWProbe& p, const float* a, const float* b)
{
    int less = 0;
    int lessEqual = 0;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(SameFloat(p.sum[i], a[i] + b[i])) << "sum lane " << i;
        EXPECT_TRUE(SameFloat(p.difference[i], a[i] - b[i])) << "difference lane " << i;
        EXPECT_TRUE(SameFloat(p.product[i], a[i] * b[i])) << "product lane " << i;
        EXPECT_TRUE(SameFloat(p.quotient[i], a[i] / b[i])) << "quotient lane " << i;
        EXPECT_TRUE(SameFloat(p.root[i], std::sqrt(a[i]))) << "root lane " << i;
        EXPECT_TRUE(SameFloat(p.smaller[i], a[i] < b[i] ? a[i] : b[i])) << "select lane " << i;
        less |= a[i] < b[i] ? 1 << i : 0;
        lessEqual |= a[i] <= b[i] ? 1 << i : 0;
    }
    EXPECT_EQ(p.less, less);
    EXPECT_EQ(p.lessEqual, lessEqual);
}

TEST(FloatW, EachLaneIsTheScalarResult)
{
    for (size_t row = 0; row < std::size(kA); ++row) {
        SCOPED_TRACE(row);
        ExpectScalarResults(ProbeFloatW(kA[row], kB[row]), kA[row], kB[row]);
        ExpectScalarResults(ProbeScalarFloatW(kA[row], kB[row]), kA[row], kB[row]);
    }
}

}  // namespace
