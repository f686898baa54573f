// The world: coordinates, the active window, morvo bookkeeping, force
// registration, the census and the headless seam.
#include "world_headless.h"

#include "attractor.h"
#include "boy.h"
#include "morvoljfunc.h"
#include "morvosimulator.h"
#include "morvostore.h"
#include "rainsystem.h"
#include "uniformgrid.h"

#include <algorithm>

namespace {

using WorldTest = HeadlessWorldTest;

class LevelWorldTest : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
    }
};

TEST_F(WorldTest, HeadlessSeamBuildsSimulationIslandsAndBoy)
{
    EXPECT_TRUE(World().IsInitialised());
    EXPECT_NE(World().GetStore(), nullptr);
    EXPECT_NE(World().GetSimulator(), nullptr);
    EXPECT_NE(World().GetGrid(), nullptr);
    ASSERT_NE(World().GetRain(), nullptr);
    EXPECT_EQ(World().GetRain()->GetDrops().GetSize(), 100);
    EXPECT_EQ(World().GetGrid()->GetWidth(), 1);
    EXPECT_FLOAT_EQ(World().GetBounds().x0, -1.0f);
    ASSERT_NE(World().GetBoy(), nullptr);
    EXPECT_EQ(World().GetBoy()->model, nullptr);
    for (int i = 0; i < kWorldIslandCount; ++i) {
        EXPECT_NE(World().GetIsland(static_cast<WorldIsland>(i)), nullptr);
    }
    EXPECT_EQ(World().GetMorvoTextures().size(), 7u);
    EXPECT_EQ(World().GetSimulator()->GetIntegrator(), kIntegratorMidpoint);
}

TEST_F(WorldTest, SecondInitOnlyWarns)
{
    LogCapture log;
    EXPECT_TRUE(World().InitHeadless());
    EXPECT_TRUE(log.Contains("Warning: tried to initialize MorvoWorld multiple times."));
}

TEST(WorldCoordinates, ConvertBetweenWorldAndPlane)
{
    const Vec2 sim = MorvoWorld::WorldToSim(Vec3(200.0f, 50.0f, -400.0f));
    EXPECT_FLOAT_EQ(sim.x, 1.0f);
    EXPECT_FLOAT_EQ(sim.y, 2.0f);
    const Vec3 sim3 = MorvoWorld::WorldToSim3D(Vec3(200.0f, 350.0f, -400.0f));
    EXPECT_FLOAT_EQ(sim3.z, 1.0f);
    const Vec3 world = MorvoWorld::SimToWorld(Vec2(1.0f, 2.0f), 1);
    EXPECT_FLOAT_EQ(world.x, 200.0f);
    EXPECT_FLOAT_EQ(world.y, 180.0f);
    EXPECT_FLOAT_EQ(world.z, -400.0f);
    const Vec3 world3 = MorvoWorld::SimToWorld3D(Vec3(1.0f, 2.0f, 0.5f), 0);
    EXPECT_FLOAT_EQ(world3.x, 200.0f);
    EXPECT_FLOAT_EQ(world3.y, 250.0f);
    EXPECT_FLOAT_EQ(world3.z, -400.0f);
    EXPECT_FLOAT_EQ(MorvoWorld::GetLayerHeight(0), 150.0f);
}

TEST_F(LevelWorldTest, ActiveWindowIsOddAndCentredOnTheBoy)
{
    EXPECT_EQ(World().GetActiveWindowCells(), 19);
    World().SetActiveWindowSize(20.0f * World().GetGrid()->GetCellWidth() + 0.001f);
    EXPECT_EQ(World().GetActiveWindowCells(), 21) << "20 cells become 21";
    World().SetActiveWindowSize(3.0f);
    int32_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    World().GetActiveCellRange(x0, x1, y0, y1);
    EXPECT_EQ(x1 - x0, 19);
    EXPECT_EQ(y1 - y0, 19);
    // Cells of 17.525 / 116 from -8.7625: the window's lower edge -1.5 (the
    // boy at 0) lies in cell 48, and the window starts one cell further.
    EXPECT_EQ(x0, 49);
    EXPECT_EQ(y0, 49);
}

TEST_F(LevelWorldTest, AddMorvoBinsItAndDrawsATexture)
{
    const int32_t index = World().AddMorvo(0.3f, -0.2f, kMorvoDark, 25.0f);
    ASSERT_GE(index, 0);
    const MorvoRecord& morvo = World().GetStore()->GetCurrentState()->Get(index);
    EXPECT_EQ(morvo.color, kMorvoDark);
    EXPECT_FLOAT_EQ(morvo.power, 20.0f);
    EXPECT_FLOAT_EQ(morvo.conversionTimer, 0.03f);
    EXPECT_GE(morvo.textureIndex, 0);
    EXPECT_LT(morvo.textureIndex, 7);
    const UniformGrid& grid = *World().GetGrid();
    const auto& cell = grid.GetCell(grid.ToCellX(0.3f), grid.ToCellY(-0.2f));
    EXPECT_EQ(std::count(cell.begin(), cell.end(), index), 1);
}

TEST_F(WorldTest, AddMorvoIntoAFullStoreReturnsMinusOne)
{
    World().GetStore()->SetCapacity(2);
    EXPECT_EQ(World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f), 0);
    EXPECT_EQ(World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f), 1);
    EXPECT_EQ(World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f), -1);
}

TEST_F(LevelWorldTest, RemoveAndClearEmptyTheGrid)
{
    const int32_t a = World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    World().AddMorvo(1.0f, 1.0f, kMorvoPure, 1.0f);
    World().RemoveMorvo(a);
    World().CountMorvos();
    EXPECT_EQ(World().GetCensus().total, 1);
    World().ClearMorvos();
    World().CountMorvos();
    EXPECT_EQ(World().GetCensus().total, 0);
    const UniformGrid& grid = *World().GetGrid();
    EXPECT_TRUE(grid.GetCell(grid.ToCellX(1.0f), grid.ToCellY(1.0f)).empty());
}

TEST_F(LevelWorldTest, CensusJudgesTheRules)
{
    World().CountMorvos();
    EXPECT_TRUE(World().HasOnlyPureMorvos()) << "no morvos at all";
    EXPECT_TRUE(World().HasNoPureMorvos());
    World().GetBoy()->tank.SetStoredPower(1.0f);
    EXPECT_FALSE(World().HasNoPureMorvos()) << "the tank still holds power";
    World().GetBoy()->tank.SetStoredPower(0.0f);

    World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    World().AddMorvo(0.5f, 0.0f, 2, 1.0f);
    World().CountMorvos();
    EXPECT_EQ(World().GetCensus().pure, 1);
    EXPECT_EQ(World().GetCensus().total, 2);
    EXPECT_FALSE(World().HasOnlyPureMorvos()) << "colour 2 counts in the total only";
    EXPECT_TRUE(World().HasNoDarkMorvos());
    World().AddMorvo(1.0f, 0.0f, kMorvoDark, 1.0f);
    World().CountMorvos();
    EXPECT_FALSE(World().HasNoDarkMorvos());
}

TEST_F(LevelWorldTest, SecondPairForceIsRefusedAndTheFirstKept)
{
    MorvoLJFunc* first = World().GetMorvoLJFunc();
    ASSERT_NE(first, nullptr);
    auto* second = new MorvoLJFunc(0.05f, 0.07f, 15.0f, 30.0f);
    BreakCounter breaks;
    LogCapture log;
    World().SetMorvoLJFunc(second);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_TRUE(log.Contains("WARNING: MorvoWorld::SetMorvoLJFunc -- leaking memory.\n"));
    EXPECT_EQ(World().GetMorvoLJFunc(), first);
    delete second;
}

TEST_F(LevelWorldTest, AttractorRegistersOnceAndComesBack)
{
    auto* attractor = new Attractor(1000.0f, 0.0f, 0.05f, 0.5f);
    World().SetMorvoAttractorFunc(attractor);
    EXPECT_EQ(World().GetMorvoAttractorFunc(), attractor);
    auto* second = new Attractor(1000.0f, 0.0f, 0.05f, 0.5f);
    BreakCounter breaks;
    LogCapture log;
    World().SetMorvoAttractorFunc(second);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_TRUE(log.Contains("WARNING: MorvoWorld::SetMorvoAttractorFunc -- leaking memory.\n"));
    delete second;
    EXPECT_EQ(World().RemoveMorvoAttractorFunc(), attractor);
    EXPECT_EQ(World().GetMorvoAttractorFunc(), nullptr);
    delete attractor;
}

TEST_F(LevelWorldTest, DisabledAttractorTakesTheBaseSize)
{
    auto* attractor = new Attractor(1000.0f, 0.0f, 0.05f, 0.5f);
    World().SetMorvoAttractorFunc(attractor);
    World().SetAttractorBaseSize(0.05f);
    World().Update(-1.0f, false);
    EXPECT_FLOAT_EQ(attractor->GetSize(), 0.05f);
    World().SetAttractorBaseSize(-1.0f);
    EXPECT_FLOAT_EQ(World().GetAttractorBaseSize(), 0.0f);
}

TEST_F(LevelWorldTest, EnabledAttractorEasesTowardTheGatheredMorvos)
{
    auto* attractor = new Attractor(1000.0f, 0.0f, 0.2f, 0.5f);
    attractor->SetEnabled(true);
    World().SetMorvoAttractorFunc(attractor);
    World().SetAttractorBaseSize(0.05f);
    World().AddMorvo(0.0f, 0.0f, kMorvoPure, 2.0f);
    World().AddMorvo(0.02f, 0.0f, kMorvoPure, 4.0f);
    World().Update(-1.0f, false);
    const float target =
        static_cast<float>(std::sqrt(2 * (3.0 * 0.025 * 0.025 / 1.7320508) / 3.1415926535) * 1.3) + 0.05f;
    EXPECT_NEAR(attractor->GetSize(), 0.1f + (target - 0.1f) * 0.01f, 1e-6);
    EXPECT_FLOAT_EQ(attractor->GetAveragePower(), 3.0f);
}

TEST_F(LevelWorldTest, AutoSizeOffKeepsAndRestoresTheSize)
{
    auto* attractor = new Attractor(1000.0f, 0.0f, 0.2f, 0.5f);
    World().SetMorvoAttractorFunc(attractor);
    World().SetAttractorAutoSize(false);
    attractor->SetSize(0.5f);
    World().SetAttractorAutoSize(true);
    EXPECT_FLOAT_EQ(attractor->GetSize(), 0.1f);
}

TEST_F(LevelWorldTest, NegativeDeltaDoesNotMoveMorvos)
{
    const int32_t index = World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    MorvoRecord& morvo = World().GetStore()->GetCurrentState()->Get(index);
    morvo.velocity = Vec2(1.0f, 0.0f);
    World().Update(-0.1f, false);
    EXPECT_FLOAT_EQ(morvo.position.x, 0.0f);
    World().Update(0.1f, false);
    EXPECT_GT(World().GetStore()->GetCurrentState()->Get(index).position.x, 0.0f);
}

TEST_F(WorldTest, UpdateBeforeInitBreaks)
{
    World().Release();
    BreakCounter breaks;
    World().Update(0.1f, false);
    EXPECT_EQ(World().AddMorvo(0.0f, 0.0f, 1, 1.0f), -1);
    EXPECT_EQ(breaks.Count(), 2);
}

}  // namespace
