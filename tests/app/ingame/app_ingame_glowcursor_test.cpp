// The sizes of the steering cursor and of the tank's glow around the boy,
// against the figures of the in-game drawing.
#include "morvodemoappstate.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kQuarterTurn = 1.5707963f;  // a field of view with tan(fov / 2) = 1

struct CursorCase {
    const char* name;
    float fov, distance, halfSize;
};

class Cursor : public ::testing::TestWithParam<CursorCase> {};

// 0.015 x tan(fov / 2) x distance, never below half a unit.
TEST_P(Cursor, KeepsItsShareOfTheView)
{
    const CursorCase& c = GetParam();
    EXPECT_NEAR(MorvoDemoAppstate::CursorHalfSize(c.fov, c.distance), c.halfSize, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(InGameCursor, Cursor,
                         ::testing::Values(CursorCase{"Far", kQuarterTurn, 100.0f, 1.5f},
                                           CursorCase{"Near", kQuarterTurn, 40.0f, 0.6f},
                                           CursorCase{"JustAboveTheLeast", kQuarterTurn, 34.0f, 0.51f},
                                           CursorCase{"BelowTheLeast", kQuarterTurn, 20.0f, 0.5f},
                                           CursorCase{"Close", kQuarterTurn, 1.0f, 0.5f},
                                           CursorCase{"NarrowView", 2.0f * std::atan(0.5f), 200.0f, 1.5f}),
                         CaseName());

struct GlowCase {
    const char* name;
    float stored, capacity, distance, halfSize, alpha;
};

class Glow : public ::testing::TestWithParam<GlowCase> {};

// Half size fill x 5 and alpha fill x 0.3, the alpha thinning as the
// camera comes nearer than 8 units.
TEST_P(Glow, ShowsTheTankFillAndThinsNearTheCamera)
{
    const GlowCase& c = GetParam();
    const MorvoDemoAppstate::Glow glow = MorvoDemoAppstate::BoyGlow(c.stored, c.capacity, c.distance);
    EXPECT_NEAR(glow.halfSize, c.halfSize, 1e-5f);
    EXPECT_NEAR(glow.alpha, c.alpha, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(InGameGlow, Glow,
                         ::testing::Values(GlowCase{"EmptyTank", 0.0f, 500.0f, 20.0f, 0.0f, 0.0f},
                                           GlowCase{"FullTank", 500.0f, 500.0f, 20.0f, 5.0f, 0.3f},
                                           GlowCase{"FullTankCameraAt4", 500.0f, 500.0f, 4.0f, 5.0f, 0.15f},
                                           GlowCase{"HalfTankCameraAt8", 250.0f, 500.0f, 8.0f, 2.5f, 0.15f},
                                           GlowCase{"HalfTankCameraAt2", 250.0f, 500.0f, 2.0f, 2.5f, 0.0375f},
                                           GlowCase{"CameraOnTheBoy", 500.0f, 500.0f, 0.0f, 5.0f, 0.0f},
                                           GlowCase{"SmallTank", 50.0f, 100.0f, 30.0f, 2.5f, 0.15f}),
                         CaseName());

}  // namespace
