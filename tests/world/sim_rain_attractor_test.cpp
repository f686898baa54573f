// Rain drops and the attractor's pull.
#include <gtest/gtest.h>

#include <cmath>

#include "attractor.h"
#include "editingflag.h"
#include "rainsystem.h"
#include "random15.h"
#include "sim_testworld.h"
#include "testsupport.h"

namespace {

int CountActive(const ParticlePool<RainDrop>& drops)
{
    int n = 0;
    for (int32_t i = 0; i < drops.GetSize(); ++i) {
        n += drops.Get(i).active != 0 ? 1 : 0;
    }
    return n;
}

TEST(RainSystem, FullPoolGrowsByTenAndDropsThatEmission)
{
    RainSystem rain;
    ASSERT_EQ(rain.GetDrops().GetSize(), 100);
    for (int i = 0; i < 100; ++i) {
        rain.Emit(0.0f, 0.0f, 0.0f, 0.01f);
    }
    EXPECT_EQ(CountActive(rain.GetDrops()), 100);
    SeedRand15(9);
    rain.Emit(0.0f, 0.0f, 0.0f, 0.01f);
    EXPECT_EQ(rain.GetDrops().GetSize(), 110);
    EXPECT_EQ(CountActive(rain.GetDrops()), 100);
    int32_t nextRand = Rand15();
    SeedRand15(9);
    EXPECT_EQ(Rand15(), nextRand);  // the dropped emission drew nothing
    SeedRand15(9);
    rain.Emit(0.0f, 0.0f, 0.0f, 0.01f);
    EXPECT_EQ(CountActive(rain.GetDrops()), 101);
    EXPECT_EQ(rain.GetDrops().Get(100).active, 1);
}

TEST(RainSystem, EmitDrawsAngleSpeedAndLifeInThatOrder)
{
    RainSystem rain;
    SeedRand15(21);
    int angle = Rand15() % 360;
    int speed = Rand15() % 5;
    int life = Rand15() % 30;
    SeedRand15(21);
    rain.Emit(1.0f, 2.0f, 0.5f, 0.2f);
    const RainDrop& d = rain.GetDrops().Get(0);
    float a = static_cast<float>(angle) * 0.01745329252f;
    EXPECT_NEAR(d.position.x, std::cos(a) * 0.2f + 1.0f, 1e-5f);
    EXPECT_NEAR(d.position.y, std::sin(a) * 0.2f + 2.0f, 1e-5f);
    EXPECT_FLOAT_EQ(d.position.z, 0.5f);
    EXPECT_FLOAT_EQ(d.verticalSpeed, static_cast<float>(speed));
    EXPECT_EQ(d.life, life);
    EXPECT_FLOAT_EQ(d.acceleration, -35.0f);
}

TEST(RainSystem, DropsFallDampedAndExpire)
{
    RainSystem rain;
    rain.Emit(0.0f, 0.0f, 0.0f, 0.0f);
    // Drop 0 with a known state; drop 1 with life 0.
    ParticlePool<RainDrop>& drops = const_cast<ParticlePool<RainDrop>&>(rain.GetDrops());
    drops.Get(0).verticalSpeed = 4.0f;
    drops.Get(0).life = 2;
    rain.Emit(0.0f, 0.0f, 0.0f, 0.0f);
    drops.Get(1).life = 0;
    drops.Get(1).position = Vec3(0.0f, 0.0f, 1.0f);
    const float h = 1.0f / 60.0f;
    rain.Update(99.0f, h);
    float v = (4.0f + -35.0f * h) * 0.7f;
    EXPECT_FLOAT_EQ(drops.Get(0).verticalSpeed, v);
    EXPECT_FLOAT_EQ(drops.Get(0).position.z, v * h);
    EXPECT_FLOAT_EQ(drops.Get(0).acceleration, 0.0f);
    EXPECT_EQ(drops.Get(0).life, 1);
    EXPECT_EQ(drops.Get(1).active, 0);
    EXPECT_FLOAT_EQ(drops.Get(1).position.z, 1.0f);
    rain.Update(0.0f, h);
    rain.Update(0.0f, h);
    EXPECT_EQ(drops.Get(0).active, 0);
    // Freed drops are reused first.
    rain.Emit(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(drops.Get(0).active, 1);
}

TEST(RainSystem, DeactivateOutsideThePoolBreaks)
{
    BreakCounter breaks;
    RainSystem rain;
    rain.Deactivate(100);
    rain.Deactivate(-1);
    EXPECT_EQ(breaks.Count(), 2);
}

class AttractorTest : public ::testing::Test {
protected:
    AttractorTest()
        : attractor(1000.0f, 0.0f, 0.1f, 0.5f)
    {
        attractor.SetCenter(Vec2(0.0f, 0.0f));
        attractor.SetEnabled(true);
        SetEditingEnabled(false);
    }
    ~AttractorTest() override { SetEditingEnabled(false); }
    Attractor attractor;
};

TEST_F(AttractorTest, StartsDisabledAtTheOriginWithNoAveragePower)
{
    Attractor fresh(1000.0f, 0.0f, 0.05f, 0.5f);
    EXPECT_FALSE(fresh.IsEnabled());
    EXPECT_FLOAT_EQ(fresh.GetAveragePower(), 0.0f);
    EXPECT_FLOAT_EQ(fresh.GetCenter().x, 0.0f);
    EXPECT_FLOAT_EQ(fresh.GetSize(), 0.025f);
    fresh.SetSize(0.04f);
    EXPECT_FLOAT_EQ(fresh.GetRadius(), 0.08f);
}

struct RingCase {
    const char* name;
    float x;
    bool pulled;
};

class AttractorRing : public AttractorTest, public ::testing::WithParamInterface<RingCase> {};

TEST_P(AttractorRing, PullsOnlyWithinTheRingInclusive)
{
    MorvoRecord r;
    r.position = Vec2(GetParam().x, 0.0f);
    attractor.ApplyOne(r, 0.01f);
    EXPECT_FLOAT_EQ(r.force.x, GetParam().pulled ? -10.0f : 0.0f);
    EXPECT_FLOAT_EQ(r.force.y, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AttractorRing,
    ::testing::Values(RingCase{"AtTheCentre", 0.0f, false}, RingCase{"InsideTheRing", 0.04f, false},
                      RingCase{"OnTheInnerEdge", 0.05f, true}, RingCase{"WithinTheRing", 0.07f, true},
                      RingCase{"OnTheOuterEdge", 0.1f, true}, RingCase{"BeyondTheRing", 0.1001f, false}),
    CaseName());

TEST_F(AttractorTest, OutsideEditingOnlyPureMorvosFollow)
{
    SimTestWorld world(8);
    int32_t pure = world.AddMorvo(0.07f, 0.0f, kMorvoPure, 1.0f);
    int32_t dark = world.AddMorvo(0.0f, 0.07f, kMorvoDark, 1.0f);
    int32_t neutral = world.AddMorvo(-0.07f, 0.0f, kMorvoNeutral, 1.0f);
    attractor.Apply(world.State(), world.grid, 0.01f, 0, 116, 0, 116);
    EXPECT_FLOAT_EQ(world.Record(pure).force.x, -10.0f);
    EXPECT_FLOAT_EQ(world.Record(dark).force.y, 0.0f);
    EXPECT_FLOAT_EQ(world.Record(neutral).force.x, 0.0f);
    SetEditingEnabled(true);
    attractor.Apply(world.State(), world.grid, 0.01f, 0, 116, 0, 116);
    EXPECT_FLOAT_EQ(world.Record(pure).force.x, -20.0f);
    EXPECT_FLOAT_EQ(world.Record(dark).force.y, -10.0f);
    EXPECT_FLOAT_EQ(world.Record(neutral).force.x, 10.0f);
}

// Pure morvos on every side of the centre are pulled alike.
TEST_F(AttractorTest, PullsFromEverySideAlike)
{
    SimTestWorld world(8);
    const Vec2 sides[] = {Vec2(0.07f, 0.0f), Vec2(-0.07f, 0.0f), Vec2(0.0f, 0.07f), Vec2(0.0f, -0.07f)};
    int32_t ids[4];
    for (int i = 0; i < 4; ++i)
        ids[i] = world.AddMorvo(sides[i].x, sides[i].y, kMorvoPure, 1.0f);
    attractor.Apply(world.State(), world.grid, 0.01f, 0, 116, 0, 116);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(world.Record(ids[i]).force.x, sides[i].x / -0.07f * 10.0f) << i;
        EXPECT_FLOAT_EQ(world.Record(ids[i]).force.y, sides[i].y / -0.07f * 10.0f) << i;
    }
}

TEST_F(AttractorTest, DisabledGridFaceDoesNothing)
{
    SimTestWorld world(8);
    int32_t pure = world.AddMorvo(0.07f, 0.0f, kMorvoPure, 1.0f);
    attractor.SetEnabled(false);
    attractor.Apply(world.State(), world.grid, 0.01f, 0, 116, 0, 116);
    static_cast<UnaryForce&>(attractor).Apply(world.State(), 0.01f);
    EXPECT_FLOAT_EQ(world.Record(pure).force.x, 0.0f);
}

TEST_F(AttractorTest, CellsWhoseCornerIsTooFarAreSkipped)
{
    // Cells of width 1 over -5..5; a ring from 1.5 to 3 around (1.02, 1.02).
    SimTestWorld world(8, 10, 5.0f);
    Attractor ring(1000.0f, 0.0f, 3.0f, 0.5f);
    ring.SetEnabled(true);
    ring.SetCenter(Vec2(1.02f, 1.02f));
    // 2.998 from the centre, but in cell (3, 3) whose corner (-2, -2) lies 4.27 away (> 1 + 3).
    int32_t skipped = world.AddMorvo(-1.1f, -1.1f, kMorvoPure, 1.0f);
    // Cell (4, 4), corner (-1, -1) 2.86 away.
    int32_t pulled = world.AddMorvo(-0.9f, -0.5f, kMorvoPure, 1.0f);
    ring.Apply(world.State(), world.grid, 0.01f, 0, 10, 0, 10);
    EXPECT_FLOAT_EQ(world.Record(skipped).force.x, 0.0f);
    EXPECT_GT(world.Record(pulled).force.x, 0.0f);
    ring.ApplyOne(world.Record(skipped), 0.01f);
    EXPECT_GT(world.Record(skipped).force.x, 0.0f);  // it does lie in the ring
}

TEST_F(AttractorTest, UnaryFacePullsEveryActiveMorvoWhateverItsColour)
{
    SimTestWorld world(8);
    int32_t dark = world.AddMorvo(0.07f, 0.0f, kMorvoDark, 1.0f);
    int32_t gone = world.AddMorvo(-0.07f, 0.0f, kMorvoPure, 1.0f);
    world.Record(gone).active = 0;
    static_cast<UnaryForce&>(attractor).Apply(world.State(), 0.01f);
    EXPECT_FLOAT_EQ(world.Record(dark).force.x, -10.0f);
    EXPECT_FLOAT_EQ(world.Record(gone).force.x, 0.0f);
}

TEST_F(AttractorTest, ZeroRadiusBreaksInApplyOne)
{
    BreakCounter breaks;
    Attractor none(1000.0f, 0.0f, 0.0f, 0.5f);
    MorvoRecord r;
    none.ApplyOne(r, 0.01f);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_FLOAT_EQ(r.force.x, 0.0f);
}

}  // namespace
