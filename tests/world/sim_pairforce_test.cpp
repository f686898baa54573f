// The pair force and the exchange rules, alone and through simulator steps.
#include <gtest/gtest.h>

#include "mathutil.h"
#include "morvoljfunc.h"
#include "random15.h"
#include "sim_testworld.h"
#include "testsupport.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;
constexpr float kHalf = kDt * 0.5f;  // the step the exchange runs with on the current state

MorvoRecord Morvo(float x, float y, int32_t color, float power)
{
    MorvoRecord r;
    r.active = 1;
    r.position = Vec2(x, y);
    r.color = color;
    r.SetPower(power);
    return r;
}

MorvoLJFunc GameForce()
{
    return MorvoLJFunc(0.05f, 0.07f, 15.0f, 30.0f);
}

TEST(MorvoLJFunc, CoincidingMorvosGetTheMaximumForceAlongX)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(1.0f, 1.0f, kMorvoPure, 1.0f);
    MorvoRecord b = a;
    b.velocity = Vec2(3.0f, 0.0f);
    EXPECT_TRUE(f.Pair(a, b));
    EXPECT_FLOAT_EQ(a.force.x, 30.0f);
    EXPECT_FLOAT_EQ(b.force.x, -30.0f);
    EXPECT_FLOAT_EQ(a.force.y, 0.0f);
}

TEST(MorvoLJFunc, AtTheRestDistanceOnlyHalfTheViscousTermActs)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    MorvoRecord b = Morvo(0.05f, 0.0f, kMorvoPure, 1.0f);
    b.velocity = Vec2(1.0f, 0.0f);
    EXPECT_TRUE(f.Pair(a, b));
    // w = 0.5; V = (|dv| w) dv = (0.5, 0).
    EXPECT_FLOAT_EQ(a.force.x, 0.5f);
    EXPECT_FLOAT_EQ(b.force.x, -0.5f);
}

TEST(MorvoLJFunc, BeyondTheCutoffNothingTouches)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    MorvoRecord b = Morvo(0.0701f, 0.0f, kMorvoDark, 1.0f);
    b.velocity = Vec2(1.0f, 1.0f);
    EXPECT_FALSE(f.Pair(a, b));
    EXPECT_FLOAT_EQ(a.force.x, 0.0f);
    EXPECT_FLOAT_EQ(b.force.y, 0.0f);
}

struct SpringCase {
    const char* name;
    float d;
    float expectedOnA;  // x force on a, b lying on +x
};

class MorvoLJFuncSpring : public ::testing::TestWithParam<SpringCase> {};

TEST_P(MorvoLJFuncSpring, PushesBelowRestPullsAboveAndCapsAt30)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    MorvoRecord b = Morvo(GetParam().d, 0.0f, kMorvoPure, 1.0f);
    EXPECT_TRUE(f.Pair(a, b));
    EXPECT_NEAR(a.force.x, GetParam().expectedOnA, 1e-3f);
    EXPECT_NEAR(b.force.x, -GetParam().expectedOnA, 1e-3f);
}

// -k (r^2/d^2 - r/d): 0.03 -> -15 (2.7778 - 1.6667); 0.06 -> -15 (0.6944 - 0.8333).
INSTANTIATE_TEST_SUITE_P(Table, MorvoLJFuncSpring,
                         ::testing::Values(SpringCase{"Compressed", 0.03f, -16.6667f},
                                           SpringCase{"Stretched", 0.06f, 2.0833f},
                                           SpringCase{"CappedAt30", 0.01f, -30.0f}),
                         CaseName());

struct ShareCase {
    const char* name;
    float pa;
    float pb;
    float dt;
    float expectedA;
    float expectedB;
};

class MorvoLJFuncShare : public ::testing::TestWithParam<ShareCase> {};

TEST_P(MorvoLJFuncShare, EqualColoursShareOnlyBeyondAFactorOfTwo)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoDark, GetParam().pa);
    MorvoRecord b = Morvo(0.05f, 0.0f, kMorvoDark, GetParam().pb);
    a.lightning = 2;
    b.lightning = 0;
    f.Exchange(a, b, GetParam().dt);
    EXPECT_NEAR(a.power, GetParam().expectedA, 1e-5f);
    EXPECT_NEAR(b.power, GetParam().expectedB, 1e-5f);
    EXPECT_EQ(a.lightning, -1);
    EXPECT_EQ(b.lightning, -1);
    EXPECT_EQ(f.rainCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MorvoLJFuncShare,
    ::testing::Values(ShareCase{"TwoPerSecond", 1.0f, 3.0f, 1.0f, 2.6f, 1.4f},  // 0.8 x 2 per second
                      ShareCase{"HalfAStep", 3.0f, 1.0f, 0.5f, 2.2f, 1.8f},
                      ShareCase{"WithinAFactorOfTwo", 1.0f, 1.9f, 1.0f, 1.0f, 1.9f},  // within a factor of two
                      ShareCase{"AtAFactorOfTwo", 1.0f, 2.0f, 1.0f, 1.0f, 2.0f},
                      ShareCase{"AtAFactorOfTwoStrongerFirst", 2.0f, 1.0f, 1.0f, 2.0f, 1.0f},
                      ShareCase{"FarApart", 19.0f, 0.2f, 1.0f, 3.96f, 15.24f}),
    CaseName());

struct ConversionCase {
    const char* name;
    int32_t colorA;
    float pa;
    int32_t colorB;
    float pb;
    int32_t expectedA;
    int32_t expectedB;
    int32_t score;
};

class MorvoLJFuncConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(MorvoLJFuncConversion, PureConvertsAWeakEnoughNeutralAndScores)
{
    const ConversionCase& c = GetParam();
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, c.colorA, c.pa);
    MorvoRecord b = Morvo(0.05f, 0.0f, c.colorB, c.pb);
    a.ResetConversion();
    b.ResetConversion();
    f.Exchange(a, b, 0.05f);  // longer than the 0.03 s timer
    EXPECT_EQ(a.color, c.expectedA);
    EXPECT_EQ(b.color, c.expectedB);
    EXPECT_EQ(f.conversionScore, c.score);
    EXPECT_FLOAT_EQ(a.power, c.pa);
    EXPECT_FLOAT_EQ(b.power, c.pb);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MorvoLJFuncConversion,
    ::testing::Values(
        ConversionCase{"WeakEnoughNeutral", kMorvoPure, 2.0f, kMorvoNeutral, 2.3f, kMorvoPure, kMorvoPure, 1},
        ConversionCase{"TooStrongNeutral", kMorvoPure, 2.0f, kMorvoNeutral, 2.4f, kMorvoPure, kMorvoNeutral, 0},
        ConversionCase{"NeutralFirst", kMorvoNeutral, 2.3f, kMorvoPure, 2.0f, kMorvoPure, kMorvoPure, 1},
        ConversionCase{"TooStrongNeutralFirst", kMorvoNeutral, 2.4f, kMorvoPure, 2.0f, kMorvoNeutral, kMorvoPure, 0},
        ConversionCase{"StrongNeutralScoresTen", kMorvoPure, 6.0f, kMorvoNeutral, 6.0f, kMorvoPure, kMorvoPure, 10},
        ConversionCase{"NeutralAtFiveScoresTen", kMorvoPure, 6.0f, kMorvoNeutral, 5.0f, kMorvoPure, kMorvoPure, 10},
        ConversionCase{"NeutralFirstAtFiveScoresTen", kMorvoNeutral, 5.0f, kMorvoPure, 6.0f, kMorvoPure, kMorvoPure, 10},
        ConversionCase{"NeutralBelowFiveScoresOne", kMorvoPure, 6.0f, kMorvoNeutral, 4.99f, kMorvoPure, kMorvoPure, 1}),
    CaseName());

TEST(MorvoLJFunc, ConversionWaitsForTheTimer)
{
    for (bool neutralFirst : {false, true}) {
        MorvoLJFunc f = GameForce();
        MorvoRecord pure = Morvo(0.0f, 0.0f, kMorvoPure, 2.0f);
        MorvoRecord neutral = Morvo(0.05f, 0.0f, kMorvoNeutral, 2.0f);
        neutral.ResetConversion();
        auto touch = [&](float dt) { neutralFirst ? f.Exchange(neutral, pure, dt) : f.Exchange(pure, neutral, dt); };
        touch(0.03f);  // the timer is used up, not yet below 0
        EXPECT_EQ(neutral.color, kMorvoNeutral) << neutralFirst;
        EXPECT_EQ(neutral.conversionTimer, 0.0f) << neutralFirst;
        touch(0.001f);
        EXPECT_EQ(neutral.color, kMorvoPure) << neutralFirst;
        EXPECT_FLOAT_EQ(neutral.conversionTimer, 0.03f) << neutralFirst;
    }
}

struct LightningCase {
    const char* name;
    float pa;
    float pb;
    bool lightning;
};

class MorvoLJFuncDarkContact : public ::testing::TestWithParam<LightningCase> {};

TEST_P(MorvoLJFuncDarkContact, LightningStartsOnlyAboveFour)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoDark, GetParam().pa);
    MorvoRecord b = Morvo(0.05f, 0.0f, kMorvoPure, GetParam().pb);
    SeedRand15(9);  // draws 1 then 0: both morvos pick a model
    int32_t first = Rand15() % 3 - 1;
    int32_t second = Rand15() % 3 - 1;
    SeedRand15(9);
    f.Exchange(a, b, 0.1f);
    EXPECT_EQ(a.lightning, GetParam().lightning ? first : -1);
    EXPECT_EQ(b.lightning, GetParam().lightning ? second : -1);
    EXPECT_FLOAT_EQ(a.lightningTime, GetParam().lightning ? 0.1f : 0.0f);
    EXPECT_FLOAT_EQ(b.lightningTime, GetParam().lightning ? 0.1f : 0.0f);
    EXPECT_FLOAT_EQ(a.power, GetParam().pa - 0.05f);
    EXPECT_FLOAT_EQ(b.power, GetParam().pb - 0.05f);
    EXPECT_EQ(f.rainCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Table, MorvoLJFuncDarkContact,
                         ::testing::Values(LightningCase{"AtFour", 4.0f, 4.0f, false},
                                           LightningCase{"DarkAtFour", 4.0f, 12.0f, false},
                                           LightningCase{"PureAtFour", 12.0f, 4.0f, false},
                                           LightningCase{"JustAboveFour", 4.01f, 4.01f, true},
                                           LightningCase{"Twelve", 12.0f, 12.0f, true}),
                         CaseName());

TEST(MorvoLJFunc, LightningEndsAfterFrame24AndCountsOnlyTheFirstMorvo)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoDark, 10.0f);
    MorvoRecord b = Morvo(0.05f, 0.0f, kMorvoNeutral, 10.0f);
    a.lightning = 0;
    a.lightningTime = 0.95f;  // reaches frame 24: goes on
    b.lightning = 0;
    b.lightningTime = 0.96f;  // reaches frame 24: ends
    f.Exchange(a, b, 0.05f);
    EXPECT_EQ(a.lightning, 0);
    EXPECT_EQ(b.lightning, -1);
    EXPECT_FLOAT_EQ(b.lightningTime, 0.0f);
    EXPECT_EQ(f.lightningCount, 0);
    f.Exchange(a, b, 0.05f);  // a reaches frame 25
    EXPECT_EQ(a.lightning, -1);
    EXPECT_FLOAT_EQ(a.lightningTime, 0.0f);
    EXPECT_EQ(f.lightningCount, 1);
}

TEST(MorvoLJFunc, WeakDarkContactClearsLightningButKeepsItsTime)
{
    MorvoLJFunc f = GameForce();
    MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoDark, 3.0f);
    MorvoRecord b = Morvo(0.05f, 0.0f, kMorvoPure, 9.0f);
    a.lightning = 1;
    a.lightningTime = 0.5f;
    b.lightning = 0;
    f.Exchange(a, b, 0.01f);
    EXPECT_EQ(a.lightning, -1);
    EXPECT_EQ(b.lightning, -1);
    EXPECT_FLOAT_EQ(a.lightningTime, 0.5f);
}

// A morvo drained to 0.1 vanishes at its next dark contact without more rain.
TEST(MorvoLJFunc, SpentMorvoInDarkContactVanishesWithoutRain)
{
    for (bool darkSpent : {true, false}) {
        MorvoLJFunc f = GameForce();
        MorvoRecord a = Morvo(0.0f, 0.0f, kMorvoDark, darkSpent ? 0.1f : 1.0f);
        MorvoRecord b = Morvo(0.05f, 0.0f, kMorvoPure, darkSpent ? 1.0f : 0.1f);
        f.Exchange(a, b, 0.1f);
        EXPECT_EQ(f.rainCount, 0) << darkSpent;
        EXPECT_FLOAT_EQ(a.power + b.power, 1.1f) << darkSpent;
        EXPECT_EQ(a.active, darkSpent ? 0 : 1);
        EXPECT_EQ(b.active, darkSpent ? 1 : 0);
    }
}

TEST(MorvoLJFunc, DarkContactReportsRainAtTheMidpointCell)
{
    SimTestWorld world(4);
    MorvoLJFunc& f = world.pairForce;
    MorvoRecord a = Morvo(0.30f, -1.0f, kMorvoDark, 1.0f);
    MorvoRecord b = Morvo(0.36f, -1.0f, kMorvoNeutral, 1.0f);
    f.Exchange(a, b, 0.1f);
    ASSERT_EQ(world.rainHits.GetCount(), 1u);
    EXPECT_FLOAT_EQ(world.rainHits.begin()->x, static_cast<float>(world.grid.ToCellX(0.33f)));
    EXPECT_FLOAT_EQ(world.rainHits.begin()->y, static_cast<float>(world.grid.ToCellY(-1.0f)));
    const ParticlePool<RainDrop>& drops = world.rain.GetDrops();
    ASSERT_EQ(drops.Get(0).active, 1);
    // On the circle of radius (1 x 0.5 x 0.025 + 1 x 0.5 x 0.025) / 2 around the midpoint.
    float dx = drops.Get(0).position.x - 0.33f;
    float dy = drops.Get(0).position.y + 1.0f;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 0.0125f, 1e-5f);
    EXPECT_FLOAT_EQ(drops.Get(0).position.z, 0.0f);  // starts on the plane
}

TEST(MorvoLJFunc, UnaryFaceMovesForcesButNeverExchanges)
{
    SimTestWorld world(4);
    int32_t a = world.AddMorvo(0.0f, 0.0f, kMorvoDark, 5.0f);
    int32_t b = world.AddMorvo(0.03f, 0.0f, kMorvoPure, 5.0f);
    int32_t gone = world.AddMorvo(0.01f, 0.0f, kMorvoNeutral, 5.0f);
    world.Record(gone).active = 0;
    static_cast<UnaryForce&>(world.pairForce).Apply(world.State(), kDt);
    EXPECT_LT(world.Record(a).force.x, 0.0f);
    EXPECT_GT(world.Record(b).force.x, 0.0f);
    EXPECT_FLOAT_EQ(world.Record(gone).force.x, 0.0f);
    EXPECT_FLOAT_EQ(world.Record(a).power, 5.0f);
    EXPECT_EQ(world.pairForce.rainCount, 0);
    EXPECT_EQ(world.pairForce.conversionScore, 0);
}

TEST(MorvoLJFunc, WithinCellPassClearsTheLightningOfTheLastMorvoInACell)
{
    SimTestWorld world(4, 10, 5.0f);  // cells of width 1
    // Touching across the border of columns 5 and 6.
    int32_t left = world.AddMorvo(0.98f, 0.5f, kMorvoDark, 9.0f);
    int32_t right = world.AddMorvo(1.02f, 0.5f, kMorvoPure, 9.0f);
    SeedRand15(3);
    int32_t expectedLeft = Rand15() % 3 - 1;
    SeedRand15(3);
    static_cast<GridForce&>(world.pairForce).Apply(world.State(), world.grid, kDt, 0, 10, 0, 10);
    EXPECT_EQ(world.Record(left).lightning, expectedLeft);
    EXPECT_EQ(world.Record(right).lightning, -1);
    EXPECT_EQ(world.pairForce.rainCount, 1);
}

// Through the midpoint steps: the exchange runs on the copy with dt and on
// the current state with dt / 2; only the latter stays.
TEST(MorvoExchangeScenario, PureMorvosSharePowerUntilTheRatioRuleStops)
{
    SimTestWorld world(4);
    int32_t a = world.AddMorvo(0.2f, 0.2f, kMorvoPure, 1.0f);
    int32_t b = world.AddMorvo(0.25f, 0.2f, kMorvoPure, 3.0f);
    int steps = 0;
    for (; steps < 400; ++steps) {
        float pa = world.Record(a).power;
        float pb = world.Record(b).power;
        world.StepWhole(kDt);
        if (2.0f * pa < pb) {
            EXPECT_EQ(world.Record(a).power, ClampFloat(pa + (pb - pa) * 0.8f * kHalf, 0.1f, 20.0f));
            EXPECT_EQ(world.Record(b).power, ClampFloat(pb + -(pb - pa) * 0.8f * kHalf, 0.1f, 20.0f));
        } else {
            EXPECT_EQ(world.Record(a).power, pa);
            EXPECT_EQ(world.Record(b).power, pb);
            break;
        }
        ASSERT_NEAR(world.Record(a).power + world.Record(b).power, 4.0f, 1e-4f);
    }
    // From 1 and 3 the gap shrinks by 1.6 x 2 per second until 2 pa >= pb (4/3 and 8/3).
    EXPECT_GT(steps, 10);
    EXPECT_LT(steps, 400);
    EXPECT_GE(2.0f * world.Record(a).power, world.Record(b).power);
    EXPECT_NEAR(world.Record(a).power, 4.0f / 3.0f, 0.01f);
    EXPECT_EQ(world.pairForce.rainCount, 0);
}

TEST(MorvoExchangeScenario, PureConvertsAStrongerNeutralAfterTheTimerRunsOut)
{
    SimTestWorld world(4);
    world.AddMorvo(0.2f, 0.2f, kMorvoPure, 2.0f);
    int32_t n = world.AddMorvo(0.25f, 0.2f, kMorvoNeutral, 2.3f);
    // Timer 0.03 s: the copy (dt = 1/60) converts from step 3 on, the
    // current state (dt = 1/120) at step 4; each conversion scores 1.
    const int32_t scores[] = {0, 0, 1, 3, 3};
    for (int step = 0; step < 5; ++step) {
        world.StepWhole(kDt);
        EXPECT_EQ(world.Record(n).color, step >= 3 ? kMorvoPure : kMorvoNeutral) << "step " << step;
        EXPECT_EQ(world.pairForce.conversionScore, scores[step]) << "step " << step;
    }
    EXPECT_FLOAT_EQ(world.Record(n).power, 2.3f);
}

TEST(MorvoExchangeScenario, DarkContactDrainsRainsAndKillsTheWeakerMorvo)
{
    SimTestWorld world(4);
    int32_t dark = world.AddMorvo(0.2f, 0.2f, kMorvoDark, 0.3f);
    int32_t pure = world.AddMorvo(0.25f, 0.2f, kMorvoPure, 1.0f);
    int steps = 0;
    while (world.Record(dark).active != 0 && steps < 1000) {
        float pd = world.Record(dark).power;
        float pp = world.Record(pure).power;
        int32_t rainBefore = world.pairForce.rainCount;
        world.StepWhole(kDt);
        ++steps;
        EXPECT_EQ(world.Record(dark).power, ClampFloat(pd + -0.5f * kHalf, 0.1f, 20.0f));
        EXPECT_EQ(world.Record(pure).power, ClampFloat(pp + -0.5f * kHalf, 0.1f, 20.0f));
        EXPECT_EQ(world.pairForce.rainCount, rainBefore + 2);  // the copy and the current state
        // Both contacts rain in the cell of the midpoint, held once.
        ASSERT_EQ(world.rainHits.GetCount(), 1u);
        EXPECT_TRUE(world.rainHits.Contains(
            Vec2(static_cast<float>(world.grid.ToCellX(0.225f)), static_cast<float>(world.grid.ToCellY(0.2f)))));
        EXPECT_EQ(world.Record(dark).lightning, -1);
        EXPECT_EQ(world.Record(pure).lightning, -1);
    }
    // (0.3 - 0.1) / (0.5 / 120) = 48 steps.
    EXPECT_NEAR(steps, 48, 1);
    EXPECT_EQ(world.Record(dark).active, 0);
    EXPECT_EQ(world.Record(pure).active, 1);
    EXPECT_FLOAT_EQ(world.Record(dark).power, 0.1f);
    int32_t rainAfterDeath = world.pairForce.rainCount;
    world.StepWhole(kDt);
    EXPECT_EQ(world.pairForce.rainCount, rainAfterDeath);
    EXPECT_TRUE(world.grid.GetCellClamped(world.grid.ToCellX(0.2f), world.grid.ToCellY(0.2f)).size() <= 1u);
}

}  // namespace
