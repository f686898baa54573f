// The spawn tools' emission routine, and the grid invariant under random
// motion, a moving window, spawns, erases and exchange deaths.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mathutil.h"
#include "morvoemission.h"
#include "random15.h"
#include "sim_testworld.h"

namespace {

class Emission : public ::testing::Test {
protected:
    Emission()
        : world(16, 10, 5.0f)
    {
        Use(world);
    }
    void Use(SimTestWorld& w)
    {
        target.grid = &w.grid;
        target.state = &w.State();
        target.bodyRadius = w.pairForce.GetBodyRadius();
        target.addMorvo = [&w](float x, float y, int32_t color, float power) { return w.AddMorvo(x, y, color, power); };
    }
    int CountActive()
    {
        int n = 0;
        for (int32_t i = 0; i < world.State().GetSize(); ++i) {
            n += world.Record(i).active != 0 ? 1 : 0;
        }
        return n;
    }
    SimTestWorld world;
    EmissionTarget target;
};

TEST_F(Emission, NewMorvoModeSpawnsPower15InsideTheInnerSquare)
{
    EmissionSettings tool{0.2f, kMorvoDark, 0, 9.0f};
    SeedRand15(4);
    float u = RandomUnitFloat();
    float v = RandomUnitFloat();
    SeedRand15(4);
    EXPECT_FLOAT_EQ(EmitMorvos(target, tool, Vec2(1.0f, -1.0f)), 1.5f);
    ASSERT_EQ(CountActive(), 1);
    EXPECT_EQ(world.Record(0).color, kMorvoDark);
    EXPECT_FLOAT_EQ(world.Record(0).power, 1.5f);
    EXPECT_FLOAT_EQ(world.Record(0).position.x, 1.0f + (2.0f * u - 1.0f) * 0.2f * 0.5f);
    EXPECT_FLOAT_EQ(world.Record(0).position.y, -1.0f + (2.0f * v - 1.0f) * 0.2f * 0.5f);
}

// A circle of radius 0.05 has the area of four bodies: three leave room for a
// new morvo, six (1.5 times the circle) do not.
TEST_F(Emission, NewMorvoNeedsFreeAreaInTheCircle)
{
    const struct {
        int bodies;
        float emitted;
    } cases[] = {{3, 1.5f}, {6, 0.0f}};
    for (const auto& c : cases) {
        SimTestWorld crowded(16, 10, 5.0f);
        Use(crowded);
        for (int i = 0; i < c.bodies; ++i) {
            crowded.AddMorvo(0.01f * static_cast<float>(i), 0.0f, kMorvoDark, 1.0f);
        }
        EXPECT_FLOAT_EQ(EmitMorvos(target, EmissionSettings{0.05f, kMorvoDark, 0, 1.0f}, Vec2(0.0f, 0.0f)), c.emitted)
            << c.bodies;
    }
}

TEST_F(Emission, CrowdingCountsMorvosUpTo002BeyondTheCircle)
{
    world.AddMorvo(0.119f, 0.0f, kMorvoPure, 1.0f);
    world.AddMorvo(0.0f, 0.121f, kMorvoPure, 1.0f);
    EmissionInfo info;
    MeasureCrowding(target, EmissionSettings{0.1f, kMorvoPure, 1, 1.0f}, Vec2(0.0f, 0.0f), info);
    ASSERT_EQ(info.ids.size(), 1u);
    EXPECT_NEAR(info.occupiedArea, 3.1415926535f * 0.025f * 0.025f, 1e-8f);
}

TEST_F(Emission, GrowModeGrowsOnlyWhenNoNewMorvoFits)
{
    // A tank emitter's circle (0.025) is full with one body in it.
    int32_t pure = world.AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    int32_t dark = world.AddMorvo(0.03f, 0.0f, kMorvoDark, 1.0f);
    EmissionSettings tool{0.025f, kMorvoPure, 1, 1.5f};
    float grown = EmitMorvos(target, tool, Vec2(0.0f, 0.0f));
    // 0.1 x 2 morvos found (all colours), all to the one pure morvo.
    EXPECT_NEAR(grown, 0.2f, 1e-6f);
    EXPECT_NEAR(world.Record(pure).power, 1.2f, 1e-6f);
    EXPECT_FLOAT_EQ(world.Record(dark).power, 1.0f);
    EXPECT_EQ(CountActive(), 2);
}

TEST_F(Emission, GrowModeWithRoomSpawnsTheToolAmountWithoutGrowing)
{
    int32_t pure = world.AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    EmissionSettings tool{0.1f, kMorvoPure, 1, 1.0f};  // the editing brush's amount
    EXPECT_FLOAT_EQ(EmitMorvos(target, tool, Vec2(0.0f, 0.0f)), 1.0f);
    EXPECT_FLOAT_EQ(world.Record(pure).power, 1.0f);
    EXPECT_EQ(CountActive(), 2);
}

TEST_F(Emission, GrowingAddsNothingAtFullPowerOrWithoutTheToolsColour)
{
    world.AddMorvo(0.0f, 0.0f, kMorvoNeutral, 20.0f);
    world.AddMorvo(0.01f, 0.0f, kMorvoNeutral, 20.0f);
    EmissionSettings tool{0.025f, kMorvoNeutral, 1, 1.0f};
    EXPECT_FLOAT_EQ(EmitMorvos(target, tool, Vec2(0.0f, 0.0f)), 0.0f);
    tool.color = kMorvoPure;
    EXPECT_FLOAT_EQ(EmitMorvos(target, tool, Vec2(0.0f, 0.0f)), 0.0f);
}

TEST_F(Emission, GrowReportsOnlyThePowerActuallyAdded)
{
    int32_t a = world.AddMorvo(0.0f, 0.0f, kMorvoPure, 19.9f);
    int32_t b = world.AddMorvo(0.01f, 0.0f, kMorvoPure, 1.0f);
    EmissionInfo info;
    EmissionSettings tool{0.025f, kMorvoPure, 1, 1.0f};
    MeasureCrowding(target, tool, Vec2(0.0f, 0.0f), info);
    EXPECT_NEAR(GrowMorvos(target, tool, info, 1.0f), 0.6f, 1e-5f);
    EXPECT_FLOAT_EQ(world.Record(a).power, 20.0f);
    EXPECT_FLOAT_EQ(world.Record(b).power, 1.5f);
    EXPECT_FLOAT_EQ(GrowMorvos(target, tool, info, 0.0f), 0.0f);
}

TEST_F(Emission, FullStoreSpendsNoPowerAndOtherModesDoNothing)
{
    SimTestWorld tiny(1, 10, 5.0f);
    Use(tiny);
    tiny.AddMorvo(3.0f, 3.0f, kMorvoPure, 1.0f);
    EXPECT_FLOAT_EQ(EmitMorvos(target, EmissionSettings{0.1f, kMorvoPure, 0, 1.0f}, Vec2(0.0f, 0.0f)), 0.0f);
    EXPECT_FLOAT_EQ(EmitMorvos(target, EmissionSettings{0.1f, kMorvoPure, 2, 1.0f}, Vec2(3.0f, 3.0f)), 0.0f);
}

// Every active record is listed exactly once, in the cell of its position;
// no index is listed twice.
::testing::AssertionResult GridInvariantHolds(SimTestWorld& world)
{
    const MorvoState& state = world.State();
    std::vector<int> listed(static_cast<size_t>(state.GetSize()), 0);
    for (int32_t y = 0; y < world.grid.GetHeight(); ++y) {
        for (int32_t x = 0; x < world.grid.GetWidth(); ++x) {
            for (int32_t i : world.grid.GetCell(x, y)) {
                if (++listed[static_cast<size_t>(i)] > 1) {
                    return ::testing::AssertionFailure() << "index " << i << " listed twice";
                }
                const MorvoRecord& r = state.Get(i);
                if (r.active == 0) {
                    continue;
                }
                int32_t c = ClampInt(world.grid.ToCellX(r.position.x), 0, world.grid.GetWidth() - 1);
                int32_t w = ClampInt(world.grid.ToCellY(r.position.y), 0, world.grid.GetHeight() - 1);
                if (c != x || w != y) {
                    return ::testing::AssertionFailure() << "index " << i << " listed away from its position";
                }
            }
        }
    }
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        if (state.Get(i).active != 0 && listed[static_cast<size_t>(i)] != 1) {
            return ::testing::AssertionFailure() << "active index " << i << " not listed";
        }
    }
    return ::testing::AssertionSuccess();
}

float RandomIn(float lo, float hi)
{
    return lo + (hi - lo) * static_cast<float>(Rand15()) / 32767.0f;
}

TEST(GridInvariant, HoldsUnderMotionWindowSpawnsErasesAndDeaths)
{
    const int32_t colours[] = {kMorvoPure, kMorvoDark, kMorvoNeutral};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SeedRand15(seed);
        SimTestWorld world(700, 30, 2.0f);
        for (int i = 0; i < 500; ++i) {
            world.AddMorvo(RandomIn(-2.0f, 2.0f), RandomIn(-2.0f, 2.0f), colours[Rand15() % 3], RandomIn(0.1f, 0.4f));
        }
        world.grid.Rebuild(&world.store, 0.05f);
        int32_t cx = 15;
        int32_t cy = 15;
        int deaths = 0;
        for (int step = 0; step < 300; ++step) {
            cx = ClampInt(cx + Rand15() % 3 - 1, -2, 32);
            cy = ClampInt(cy + Rand15() % 3 - 1, -2, 32);
            for (int k = 0; k < 20; ++k) {
                int32_t i = Rand15() % world.State().GetSize();
                if (world.Record(i).active != 0) {
                    world.Record(i).velocity = Vec2(RandomIn(-1.0f, 1.0f), RandomIn(-1.0f, 1.0f));
                }
            }
            int alive = 0;
            for (int32_t i = 0; i < world.State().GetSize(); ++i) {
                alive += world.Record(i).active;
            }
            world.simulator.Step(1.0f / 60.0f, cx - 4, cx + 5, cy - 4, cy + 5);
            int after = 0;
            for (int32_t i = 0; i < world.State().GetSize(); ++i) {
                after += world.Record(i).active;
            }
            deaths += alive - after;
            ASSERT_TRUE(GridInvariantHolds(world)) << "seed " << seed << " step " << step;
            for (int k = 0; k < 3; ++k) {
                world.AddMorvo(RandomIn(-2.0f, 2.0f), RandomIn(-2.0f, 2.0f), colours[Rand15() % 3],
                               RandomIn(0.1f, 0.4f));
            }
            int32_t victim = Rand15() % world.State().GetSize();
            if (world.Record(victim).active != 0) {
                world.RemoveMorvo(victim);
            }
            ASSERT_TRUE(GridInvariantHolds(world)) << "seed " << seed << " step " << step;
        }
        EXPECT_GT(deaths, 20) << "seed " << seed;
    }
}

}  // namespace
