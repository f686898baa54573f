// Editing brushes, the power tank, the tool set's radius and the editing flag.
#include "world_headless.h"

#include "boy.h"
#include "cellpainttool.h"
#include "erasetool.h"
#include "gridset.h"
#include "morvostore.h"
#include "powertank.h"
#include "uniformgrid.h"

namespace {

int CountActive(MorvoWorld& world)
{
    world.CountMorvos();
    return world.GetCensus().total;
}

class ToolTest : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
    }
    const MorvoRecord& Morvo(int32_t index) { return World().GetStore()->GetCurrentState()->Get(index); }
};

TEST_F(ToolTest, TankStopsAbsorbingWhenTheNextMorvoWouldOverfill)
{
    const int32_t big = World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    const int32_t small = World().AddMorvo(0.01f, 0.0f, kMorvoPure, 0.5f);
    PowerTank tank(500.0f);
    tank.SetRadius(0.05f);
    tank.SetStoredPower(499.5f);
    tank.Apply(&World(), 0, Vec2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(tank.GetStoredPower(), 499.5f);
    EXPECT_EQ(Morvo(big).active, 1);
    EXPECT_EQ(Morvo(small).active, 1) << "absorbing stops at the first morvo that does not fit";
    EXPECT_EQ(tank.GetAbsorbedCount(), 0);
}

TEST_F(ToolTest, TankAbsorbsPureMorvosAndLogsTheTotal)
{
    World().AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f);
    World().AddMorvo(0.01f, 0.0f, kMorvoPure, 0.5f);
    PowerTank tank(500.0f);
    tank.SetRadius(0.05f);
    LogCapture log;
    tank.Apply(&World(), 0, Vec2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(tank.GetStoredPower(), 1.5f);
    EXPECT_EQ(tank.GetAbsorbedCount(), 2);
    EXPECT_EQ(CountActive(World()), 0);
    EXPECT_TRUE(log.Contains("Consumed 1.500000 power (current total: 1.500000)\n"));
}

TEST_F(ToolTest, TankNeverAbsorbsDarkOrNeutralMorvos)
{
    World().AddMorvo(0.0f, 0.0f, kMorvoDark, 1.0f);
    World().AddMorvo(0.01f, 0.0f, kMorvoNeutral, 1.0f);
    PowerTank tank(500.0f);
    tank.SetRadius(0.05f);
    LogCapture log;
    tank.Apply(&World(), 0, Vec2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(tank.GetStoredPower(), 0.0f);
    EXPECT_EQ(CountActive(World()), 2);
    EXPECT_FALSE(log.Contains("Consumed"));
}

struct ReleaseCase {
    const char* name;
    float stored;
    int morvosAfter;
    int releases;
};

class TankReleaseTest : public ToolTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(TankReleaseTest, ReleasesOnlyFromOnePowerUp)
{
    PowerTank tank(500.0f);
    tank.SetMode(PowerTank::kModeRelease);
    tank.SetStoredPower(GetParam().stored);
    tank.Apply(&World(), 0, Vec2(0.0f, 0.0f));
    EXPECT_EQ(CountActive(World()), GetParam().morvosAfter);
    EXPECT_EQ(tank.GetReleaseCount(), GetParam().releases);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, TankReleaseTest,
                         ::testing::Values(ReleaseCase{"BelowOnePowerUp", 0.9f, 0, 0},
                                           ReleaseCase{"OnePowerUp", 1.0f, 1, 1},
                                           ReleaseCase{"ThreePowerUps", 3.0f, 1, 1}),
                         CaseName());

TEST_F(ToolTest, ReleasedMorvoIsPureWithTheEmitterAmount)
{
    PowerTank tank(500.0f);
    tank.SetMode(PowerTank::kModeRelease);
    tank.SetStoredPower(10.0f);
    LogCapture log;
    tank.Apply(&World(), 0, Vec2(1.0f, 1.0f));
    EXPECT_FLOAT_EQ(tank.GetStoredPower(), 8.5f);
    World().CountMorvos();
    EXPECT_EQ(World().GetCensus().pure, 1);
    EXPECT_TRUE(log.Contains("Released 1.500000 power (current total: 8.500000)\n"));
}

TEST_F(ToolTest, TankRadiusLeavesTheEmitterAlone)
{
    PowerTank tank(500.0f);
    tank.SetRadius(0.3f);
    EXPECT_FLOAT_EQ(tank.GetRadius(), 0.3f);
    EXPECT_FLOAT_EQ(tank.GetEmitter().GetRadius(), 0.025f);
    tank.SetRadius(-1.0f);
    EXPECT_FLOAT_EQ(tank.GetRadius(), 0.0f);
}

TEST_F(ToolTest, CellPainterAddsACellOnceAndErasesEveryCopy)
{
    GridSet set;
    CellPaintTool painter;
    painter.SetTargetSet(&set);
    const Vec2 position(0.0f, 0.0f);
    painter.Apply(&World(), 0, position);
    painter.Apply(&World(), 0, position);
    ASSERT_EQ(set.GetCellCount(), 1);
    const UniformGrid& grid = *World().GetGrid();
    EXPECT_EQ(set.GetCell(0), Vec2(static_cast<float>(grid.ToCellX(0.0f)), static_cast<float>(grid.ToCellY(0.0f))));

    set.AddCell(set.GetCell(0));
    set.AddCell(Vec2(1.0f, 2.0f));
    painter.SetEraseMode(true);
    painter.Apply(&World(), 0, position);
    ASSERT_EQ(set.GetCellCount(), 1);
    EXPECT_EQ(set.GetCell(0), Vec2(1.0f, 2.0f));
    painter.Apply(&World(), 0, position);  // absent: nothing changes
    EXPECT_EQ(set.GetCellCount(), 1);
}

TEST_F(ToolTest, CellPainterWithoutTargetDoesNothing)
{
    CellPaintTool painter;
    BreakCounter breaks;
    painter.Apply(&World(), 0, Vec2(0.0f, 0.0f));
    EXPECT_EQ(breaks.Count(), 0);
}

TEST_F(ToolTest, EraseRemovesOnlyTheMorvosInsideItsCircle)
{
    const int32_t inside = World().AddMorvo(0.0f, 0.0f, kMorvoDark, 1.0f);
    const int32_t outside = World().AddMorvo(0.2f, 0.0f, kMorvoDark, 1.0f);
    EraseTool eraser;
    eraser.SetRadius(0.1f);
    eraser.Apply(&World(), 0, Vec2(0.0f, 0.0f));
    EXPECT_EQ(Morvo(inside).active, 0);
    EXPECT_EQ(Morvo(outside).active, 1);
    const UniformGrid& grid = *World().GetGrid();
    for (int32_t index : grid.GetCell(grid.ToCellX(0.0f), grid.ToCellY(0.0f))) {
        EXPECT_NE(index, inside) << "an erased morvo leaves its grid cell";
    }
}

TEST_F(ToolTest, ToolsBreakOnANullWorld)
{
    BreakCounter breaks;
    EraseTool eraser;
    CellPaintTool painter;
    PowerTank tank(500.0f);
    SpawnTool spawner;
    eraser.Apply(nullptr, 0, Vec2(0.0f, 0.0f));
    painter.Apply(nullptr, 0, Vec2(0.0f, 0.0f));
    tank.Apply(nullptr, 0, Vec2(0.0f, 0.0f));
    spawner.Apply(nullptr, 0, Vec2(0.0f, 0.0f));
    EXPECT_EQ(breaks.Count(), 4);
}

struct RadiusCase {
    const char* name;
    float requested;
    float expected;
};

class ToolSetRadiusTest : public ::testing::TestWithParam<RadiusCase> {};

TEST_P(ToolSetRadiusTest, ClampsToTheBodyRadiiOfWeakestAndStrongestMorvo)
{
    ToolSet tools;
    tools.GetCellPaintTool().SetRadius(0.5f);
    tools.SetRadius(GetParam().requested);
    EXPECT_NEAR(tools.GetRadius(), GetParam().expected, 1e-6);
    EXPECT_NEAR(tools.Tool::GetRadius(), GetParam().expected, 1e-6) << "the spawn part";
    EXPECT_NEAR(tools.GetEraseTool().GetRadius(), GetParam().expected, 1e-6);
    EXPECT_FLOAT_EQ(tools.GetCellPaintTool().GetRadius(), 0.5f) << "the cell painter keeps its radius";
}

INSTANTIATE_TEST_SUITE_P(Range, ToolSetRadiusTest,
                         ::testing::Values(RadiusCase{"AboveStrongest", 1.0f, 0.1045887f},
                                           RadiusCase{"Zero", 0.0f, 0.025f}, RadiusCase{"Negative", -3.0f, 0.025f},
                                           RadiusCase{"Within", 0.05f, 0.05f}),
                         CaseName());

TEST(ToolSetDefaults, IsANeutralGrowingSpawnBrush)
{
    ToolSet tools;
    EXPECT_EQ(tools.GetMode(), SpawnTool::kModeNewOrGrow);
    EXPECT_EQ(tools.GetColor(), kMorvoNeutral);
    EXPECT_FLOAT_EQ(tools.GetAmount(), 1.0f);
    EXPECT_FLOAT_EQ(tools.GetRadius(), 0.025f);
}

TEST(EditingFlag, LogsEachChangeOnce)
{
    SetEditingEnabled(false);
    LogCapture log;
    SetEditingEnabled(true);
    SetEditingEnabled(true);
    EXPECT_TRUE(IsEditingEnabled());
    SetEditingEnabled(false);
    SetEditingEnabled(false);
    EXPECT_FALSE(IsEditingEnabled());
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[0], "Editing enabled.\n");
    EXPECT_EQ(log.Lines()[1], "Editing disabled.\n");
}

}  // namespace
