// The maths' free functions and the small vector types.
#include "color.h"
#include "face.h"
#include "mathutil.h"
#include "random15.h"
#include "rect.h"
#include "testsupport.h"
#include "vec2.h"
#include "vec3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

struct ClampCase {
    const char* name;
    float v;
    float lo;
    float hi;
    float expected;
};

class ClampFloatCases : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampFloatCases, GivesBoundOrValue)
{
    const ClampCase& c = GetParam();
    EXPECT_EQ(ClampFloat(c.v, c.lo, c.hi), c.expected);
    EXPECT_EQ(ClampInt(static_cast<int>(c.v), static_cast<int>(c.lo), static_cast<int>(c.hi)),
              static_cast<int>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ClampFloatCases,
                         ::testing::Values(ClampCase{"AboveHigh", 5, 0, 3, 3}, ClampCase{"BelowLow", -1, 0, 3, 0},
                                           ClampCase{"AtHigh", 3, 0, 3, 3}, ClampCase{"AtLow", 0, 0, 3, 0},
                                           ClampCase{"Inside", 2, 0, 3, 2}),
                         CaseName());

TEST(ClampFloat, NanComesBackUnchanged)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(std::isnan(ClampFloat(nan, 0.0f, 1.0f)));
}

struct PowerCase {
    const char* name;
    int n;
    int expected;
};

class NextPowerOfTwoCases : public ::testing::TestWithParam<PowerCase> {};

TEST_P(NextPowerOfTwoCases, IsTheSmallestPowerAtLeastN)
{
    EXPECT_EQ(NextPowerOfTwo(GetParam().n), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NextPowerOfTwoCases,
                         ::testing::Values(PowerCase{"Negative", -7, 1}, PowerCase{"Zero", 0, 1},
                                           PowerCase{"One", 1, 1}, PowerCase{"Two", 2, 2}, PowerCase{"Three", 3, 4},
                                           PowerCase{"JustAbove128", 129, 256}, PowerCase{"Exact1024", 1024, 1024},
                                           PowerCase{"LargestPower", 1 << 30, 1 << 30},
                                           PowerCase{"PastTheLargestPower", (1 << 30) + 1, 1 << 30}),
                         CaseName());

TEST(ToInt32, TakesTheWholePartOnlyWithinTheInt32Range)
{
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    struct Case {
        double value;
        bool ok;
        int32_t whole;    // when ok
        int32_t clamped;  // ToInt32Clamped
    };
    const Case cases[] = {
        {0.0, true, 0, 0},
        {-0.75, true, 0, 0},
        {2.9, true, 2, 2},
        {-2.9, true, -2, -2},
        {2147483647.0, true, INT32_MAX, INT32_MAX},
        {2147483647.9, true, INT32_MAX, INT32_MAX},
        {-2147483648.9, true, INT32_MIN, INT32_MIN},
        {2147483648.0, false, 0, INT32_MAX},
        {static_cast<double>(2147483647.0f), false, 0, INT32_MAX},
        {-2147483649.0, false, 0, INT32_MIN},
        {1e30, false, 0, INT32_MAX},
        {-inf, false, 0, INT32_MIN},
        {inf, false, 0, INT32_MAX},
        {nan, false, 0, 0},
    };
    for (const Case& c : cases) {
        int32_t result = 7;
        EXPECT_EQ(ToInt32(c.value, &result), c.ok) << c.value;
        EXPECT_EQ(result, c.ok ? c.whole : 7) << c.value;
        EXPECT_EQ(ToInt32Clamped(c.value), c.clamped) << c.value;
    }
}

TEST(RandomUnitFloat, IsRandOver32766AndReachesAboveOne)
{
    constexpr int kDraws = 400000;
    SeedRand15(99);
    std::vector<int> raw(kDraws);
    for (int& value : raw)
        value = Rand15();
    SeedRand15(99);
    float highest = 0.0f;
    for (int i = 0; i < kDraws; ++i) {
        float unit = RandomUnitFloat();
        ASSERT_EQ(unit, static_cast<float>(raw[i] / 32766.0));
        highest = std::max(highest, unit);
    }
    EXPECT_EQ(highest, static_cast<float>(32767 / 32766.0));
    EXPECT_GT(highest, 1.0f);
}

TEST(RandomColor, DrawsRedGreenBlueInOrderWithOpaqueAlpha)
{
    SeedRand15(5);
    float r = RandomUnitFloat();
    float g = RandomUnitFloat();
    float b = RandomUnitFloat();
    SeedRand15(5);
    Color color = RandomColor();
    EXPECT_EQ(color.r, r);
    EXPECT_EQ(color.g, g);
    EXPECT_EQ(color.b, b);
    EXPECT_EQ(color.a, 1.0f);
}

TEST(DegToRad, UsesTheFixedFactorInBothPrecisions)
{
    EXPECT_EQ(DegToRad(180.0), 180.0 * 0.01745329252);
    EXPECT_NEAR(DegToRad(180.0f), 3.14159265f, 1e-6f);
    EXPECT_EQ(DegToRad(90.0f), 90.0f * 0.01745329252f);
}

TEST(Vec3, NormalizeOfZeroStaysZeroAndOf304IsUnit)
{
    Vec3 zero;
    zero.Normalize();
    EXPECT_EQ(zero, Vec3(0, 0, 0));
    EXPECT_EQ(Vec3(3, 0, 4).Normalized(), Vec3(0.6f, 0.0f, 0.8f));
}

TEST(Vec3, CrossFollowsTheRightHand)
{
    EXPECT_EQ(Vec3(1, 0, 0).Cross(Vec3(0, 1, 0)), Vec3(0, 0, 1));
    EXPECT_EQ(Vec3(0, 1, 0).Cross(Vec3(1, 0, 0)), Vec3(0, 0, -1));
}

TEST(Vec3, ProjectionsKeepThePartAlongTheVector)
{
    Vec3 axis(2, 0, 0);
    EXPECT_EQ(axis.ProjectOnto(Vec3(3, 4, 5)), Vec3(3, 0, 0));
    EXPECT_EQ(Vec3(1, 0, 0).ProjectOntoUnit(Vec3(3, 4, 5)), Vec3(3, 0, 0));
    EXPECT_EQ(2.0f * Vec3(1, 2, 3), Vec3(2, 4, 6));
}

TEST(Vec2, NormalizeSkipsZeroAndKeepsDirection)
{
    Vec2 zero(0, 0);
    zero.Normalize();
    EXPECT_EQ(zero, Vec2(0, 0));
    Vec2 v(0, -5);
    EXPECT_EQ(v.Normalized(), Vec2(0, -1));
    EXPECT_EQ(v.LengthSquared(), 25.0f);
}

TEST(Face, UnsetIndicesAreZero)
{
    Face triangle(1, 2, 3);
    EXPECT_EQ(triangle, Face(1, 2, 3, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(triangle == Face(1, 2, 3, 0, 0, 0, 0, 0, 1));
}

TEST(Rect, CornersAreMinAndMaxPairs)
{
    Rect rect(1, 4, 2, 8);
    EXPECT_EQ(rect.LowerLeft(), Vec2(1, 2));
    EXPECT_EQ(rect.UpperLeft(), Vec2(1, 8));
    EXPECT_EQ(rect.LowerRight(), Vec2(4, 2));
    EXPECT_EQ(rect.UpperRight(), Vec2(4, 8));
}

TEST(Color, DefaultsToOpaqueBlack)
{
    Color c;
    EXPECT_EQ(c.r + c.g + c.b, 0.0f);
    EXPECT_EQ(c.a, 1.0f);
    EXPECT_EQ(Color(0.5f, 0.5f, 0.5f).a, 1.0f);
}
