// The simulator: integrator steps checked by hand, force registration and
// the rectangle rules of a step.
#include <gtest/gtest.h>

#include "attractor.h"
#include "constantforce.h"
#include "morvosimulator.h"
#include "sim_testworld.h"
#include "testsupport.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;

// Cell of a coordinate on the game grid (width 17.525 / 116).
int32_t Cell(const SimTestWorld& w, float x)
{
    return w.grid.ToCellX(x);
}

TEST(MorvoSimulator, IntegratorKindSizesTheStoreBuffers)
{
    struct Case {
        int32_t kind;
        int32_t states;
        int32_t derivatives;
    };
    const Case cases[] = {{0, 1, 0}, {1, 3, 0}, {2, 2, 1}, {3, 2, 3}, {7, 1, 0}};
    for (const Case& c : cases) {
        MorvoStore store(5, 1, 0);
        MorvoSimulator sim(&store, c.kind, 1.0f);
        EXPECT_EQ(store.GetStateCount(), c.states) << c.kind;
        EXPECT_EQ(store.GetDerivativeCount(), c.derivatives) << c.kind;
        EXPECT_EQ(sim.GetIntegrator(), c.kind);
    }
}

TEST(MorvoSimulator, DampingIsClampedToZeroOneAndTheConstantForceStartsAtZero)
{
    MorvoStore store(0, 1, 0);
    EXPECT_FLOAT_EQ(MorvoSimulator(&store, 2, 0.5f).GetDamping(), 0.5f);
    MorvoSimulator sim(&store, 2, 1.7f);
    EXPECT_FLOAT_EQ(sim.GetDamping(), 1.0f);
    EXPECT_EQ(sim.GetConstantForce()->GetVector(), Vec2(0.0f, 0.0f));
    sim.SetDamping(-0.2f);
    EXPECT_FLOAT_EQ(sim.GetDamping(), 0.0f);
}

TEST(MorvoSimulator, GridForcesAreRegisteredReplacedAndRemovedByName)
{
    MorvoStore store(0, 1, 0);
    MorvoSimulator sim(&store, 2, 1.0f);
    Attractor first(1000.0f, 0.0f, 0.05f, 0.5f);
    Attractor second(1000.0f, 0.0f, 0.05f, 0.5f);
    sim.SetGridForce("Attractor", &first);
    sim.SetGridForce("Attractor", &second);
    EXPECT_EQ(sim.FindGridForce("Attractor"), &second);
    EXPECT_EQ(sim.RemoveGridForce("Attractor"), &second);
    EXPECT_EQ(sim.RemoveGridForce("Attractor"), nullptr);
    sim.SetGridForce("LJ", &first);
    sim.SetGridForce("LJ", nullptr);
    EXPECT_EQ(sim.FindGridForce("LJ"), nullptr);
}

// Switches the attractor on about (0.3, 0.2) as the grid force.
void SwitchOnAttractor(SimTestWorld& world, Attractor& attractor)
{
    attractor.SetCenter(Vec2(0.3f, 0.2f));
    attractor.SetEnabled(true);
    world.simulator.SetGridForce("Attractor", &attractor);
}

// One midpoint step of a lone pure morvo in the attractor's ring, by hand:
// copy pass: force f1 = 1000 x dt toward the centre; v = (0 + f1 x dt/2) x 0.9;
// position unchanged (old velocity 0). Current pass: f2 = 1000 x dt/2;
// v = (0 + f2 x dt) x 0.9 = 1000 x dt^2 / 2 x 0.9 = 0.125 toward the centre;
// the morvo moves by v x dt.
TEST(MorvoSimulator, MidpointStepWithTheAttractorMatchesTheHandResult)
{
    SimTestWorld world(4);
    Attractor attractor(1000.0f, 0.0f, 0.05f, 0.5f);
    SwitchOnAttractor(world, attractor);
    // 0.04 from the centre (inside the ring), pulled along (-0.6, -0.8).
    int32_t m = world.AddMorvo(0.324f, 0.232f, kMorvoPure, 1.0f);
    world.StepWhole(kDt);
    const MorvoRecord& r = world.Record(m);
    EXPECT_NEAR(r.velocity.x, -0.075f, 1e-5f);
    EXPECT_NEAR(r.velocity.y, -0.1f, 1e-5f);
    EXPECT_NEAR(r.position.x, 0.324f - 0.075f / 60.0f, 1e-6f);
    EXPECT_NEAR(r.position.y, 0.232f - 0.1f / 60.0f, 1e-6f);
    EXPECT_EQ(r.force, Vec2(0.0f, 0.0f));
    // The copy holds the state before the step.
    EXPECT_EQ(world.store.GetState(1)->Get(m).position, Vec2(0.324f, 0.232f));
}

// The constant force pulls down, a unary force registered by name sideways.
// Moving in at 1.8 per second from 0.052 (outside the ring), the morvo is in
// the ring half a step on (0.037) but would be in the calm centre a whole step
// on (0.022): the current pass feels the pull, 1000 x dt/2 for dt.
TEST(MorvoSimulator, MidpointStepFeelsTheForceHalfAStepAhead)
{
    SimTestWorld world(4);
    Attractor attractor(1000.0f, 0.0f, 0.05f, 0.5f);
    SwitchOnAttractor(world, attractor);
    int32_t m = world.AddMorvo(0.352f, 0.2f, kMorvoPure, 1.0f);
    world.Record(m).velocity = Vec2(-1.8f, 0.0f);
    world.StepWhole(kDt);
    EXPECT_NEAR(world.Record(m).velocity.x, (-1.8f - 500.0f * kDt * kDt) * 0.9f, 1e-5f);
}

TEST(MorvoSimulator, EulerStepWithTheConstantAndAUnaryForceMatchesTheHandResult)
{
    SimTestWorld world(4);
    world.simulator.SetIntegrator(kIntegratorEuler);
    world.simulator.SetGridForce("LJ", nullptr);
    world.simulator.GetConstantForce()->SetVector(Vec2(0.0f, -6.0f));
    world.simulator.SetConstantForceEnabled(true);
    ConstantForce wind(Vec2(2.0f, 0.0f));
    world.simulator.SetUnaryForce("Wind", &wind);
    int32_t m = world.AddMorvo(1.0f, 1.0f, kMorvoNeutral, 1.0f);
    world.Record(m).velocity = Vec2(0.6f, 0.0f);
    world.StepWhole(0.1f);
    // v = (v + f h) c = (0.8, -0.6) x 0.9; p += v h; the force is used up.
    EXPECT_NEAR(world.Record(m).velocity.x, 0.72f, 1e-6f);
    EXPECT_NEAR(world.Record(m).velocity.y, -0.54f, 1e-6f);
    EXPECT_NEAR(world.Record(m).position.x, 1.072f, 1e-6f);
    EXPECT_NEAR(world.Record(m).position.y, 0.946f, 1e-6f);
    EXPECT_EQ(world.Record(m).force, Vec2(0.0f, 0.0f));
    EXPECT_EQ(world.simulator.RemoveUnaryForce("Wind"), &wind);
    EXPECT_EQ(world.simulator.FindUnaryForce("Wind"), nullptr);
    world.simulator.SetUnaryForce("Wind", &wind);
    EXPECT_EQ(world.simulator.FindUnaryForce("Wind"), &wind);
    world.simulator.SetUnaryForce("Wind", nullptr);
    EXPECT_EQ(world.simulator.RemoveUnaryForce("Wind"), nullptr);
}

TEST(MorvoSimulator, HistoryStepUsesTheTwoPreviousPositions)
{
    SimTestWorld world(4);
    world.simulator.SetIntegrator(kIntegratorHistory);
    world.simulator.SetGridForce("LJ", nullptr);
    world.simulator.SetDamping(0.5f);
    world.simulator.GetConstantForce()->SetVector(Vec2(10.0f, -20.0f));
    world.simulator.SetConstantForceEnabled(true);
    int32_t m = world.AddMorvo(1.0f, 2.0f, kMorvoPure, 1.0f);
    world.StepWhole(0.1f);  // shifts: previous = (1, 2); the oldest is still a default record
    EXPECT_EQ(world.store.GetState(2)->Get(m).active, 0);
    // The morvo was active in the previous state: out = 1.5 p1 - 0.5 p0 + f h^2 with p0 = (0, 0).
    EXPECT_NEAR(world.Record(m).position.x, 1.6f, 1e-5f);
    EXPECT_NEAR(world.Record(m).position.y, 2.8f, 1e-5f);
    EXPECT_FLOAT_EQ(world.Record(m).velocity.x, 1.0f);
    world.StepWhole(0.1f);
    // p0 = (1, 2), p1 = (1.6, 2.8): (2.4 - 0.5 + 0.1, 4.2 - 1 - 0.2); velocity = displacement (0.6, 0.8).
    EXPECT_NEAR(world.Record(m).position.x, 2.0f, 1e-5f);
    EXPECT_NEAR(world.Record(m).position.y, 3.0f, 1e-5f);
    EXPECT_NEAR(world.Record(m).velocity.x, 0.6f, 1e-6f);
    EXPECT_NEAR(world.Record(m).velocity.y, 0.8f, 1e-6f);
    EXPECT_EQ(world.Record(m).force, Vec2(0.0f, 0.0f));
}

TEST(MorvoSimulator, ReservedIntegratorBreaksAndChangesNothing)
{
    BreakCounter breaks;
    SimTestWorld world(4);
    world.simulator.SetIntegrator(kIntegratorReserved);
    int32_t m = world.AddMorvo(1.0f, 1.0f, kMorvoPure, 1.0f);
    world.Record(m).velocity = Vec2(1.0f, 0.0f);
    world.StepWhole(kDt);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_FLOAT_EQ(world.Record(m).position.x, 1.0f);
}

TEST(MorvoSimulator, ZeroStepLeavesPositionsButStillExchanges)
{
    SimTestWorld world(4);
    int32_t a = world.AddMorvo(0.2f, 0.2f, kMorvoDark, 1.0f);
    int32_t b = world.AddMorvo(0.23f, 0.2f, kMorvoPure, 1.0f);
    world.StepWhole(0.0f);
    EXPECT_FLOAT_EQ(world.Record(a).position.x, 0.2f);
    EXPECT_FLOAT_EQ(world.Record(b).position.x, 0.23f);
    EXPECT_EQ(world.pairForce.rainCount, 2);
    EXPECT_FLOAT_EQ(world.Record(a).power, 1.0f);
}

TEST(MorvoSimulator, MorvoOutsideTheRectangleIsNeitherMovedNorRebinned)
{
    SimTestWorld world(4);
    int32_t inside = world.AddMorvo(0.1f, 0.1f, kMorvoPure, 1.0f);
    int32_t outside = world.AddMorvo(3.0f, 3.0f, kMorvoPure, 1.0f);
    world.Record(inside).velocity = Vec2(1.0f, 0.0f);
    world.Record(outside).velocity = Vec2(1.0f, 0.0f);
    int32_t c = Cell(world, 0.1f);
    world.simulator.Step(kDt, c - 3, c + 4, c - 3, c + 4);
    EXPECT_GT(world.Record(inside).position.x, 0.1f);
    EXPECT_FLOAT_EQ(world.Record(outside).position.x, 3.0f);
    EXPECT_EQ(world.Record(inside).cellX, c);
    EXPECT_EQ(world.Record(outside).cellX, 0);  // never re-binned
}

// The morvo just past the window's last column: its copy in the previous
// state must be current, not a default record at the origin next to the
// window's morvo.
TEST(MorvoSimulator, WindowMorvoDoesNotPairWithAStaleCopyBeyondTheWindow)
{
    SimTestWorld world(4);
    int32_t near = world.AddMorvo(0.01f, 0.01f, kMorvoNeutral, 1.0f);
    int32_t c = Cell(world, 0.01f);
    int32_t beyond = world.AddMorvo(world.grid.GetCellCorner(c + 1, 0).x + 0.05f, 0.01f, kMorvoNeutral, 1.0f);
    ASSERT_EQ(Cell(world, world.Record(beyond).position.x), c + 1);
    world.simulator.Step(kDt, c - 2, c + 1, c - 2, c + 1);
    EXPECT_FLOAT_EQ(world.Record(near).velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(world.Record(near).velocity.y, 0.0f);
    EXPECT_FLOAT_EQ(world.store.GetState(1)->Get(beyond).position.x, world.Record(beyond).position.x);
}

TEST(MorvoSimulator, ForcesBeyondTheWindowAreClearedEachStep)
{
    SimTestWorld world(4);
    int32_t c = Cell(world, 0.01f);
    float edge = world.grid.GetCellCorner(c + 1, 0).x;
    int32_t in = world.AddMorvo(edge - 0.015f, 0.01f, kMorvoNeutral, 1.0f);
    int32_t beyond = world.AddMorvo(edge + 0.015f, 0.01f, kMorvoNeutral, 1.0f);
    for (int i = 0; i < 10; ++i) {
        world.simulator.Step(kDt, c - 2, c + 1, c - 2, c + 1);
        ASSERT_FLOAT_EQ(world.Record(beyond).force.x, 0.0f) << i;
        ASSERT_FLOAT_EQ(world.Record(beyond).force.y, 0.0f) << i;
    }
    // The window's morvo is pushed away from its neighbour beyond the edge.
    EXPECT_LT(world.Record(in).position.x, edge - 0.015f);
    EXPECT_FLOAT_EQ(world.Record(beyond).position.x, edge + 0.015f);
}

TEST(MorvoSimulator, StepWithoutAGridDoesNothing)
{
    MorvoStore store(2, 1, 0);
    MorvoSimulator sim(&store, 2, 1.0f);
    int32_t m = store.GetCurrentState()->FindFree();
    store.GetCurrentState()->Get(m).velocity = Vec2(1.0f, 1.0f);
    sim.Step(kDt, 0, 10, 0, 10);
    EXPECT_FLOAT_EQ(store.GetCurrentState()->Get(m).position.x, 0.0f);
}

}  // namespace
