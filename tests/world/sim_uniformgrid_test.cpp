// The uniform grid: cell conversion, binning, re-binning, circle queries and
// the claiming of records for new morvos.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "circlequery.h"
#include "sim_testworld.h"
#include "testsupport.h"
#include "uniformgrid.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

int CountListings(const UniformGrid& grid, int32_t index)
{
    int n = 0;
    for (int32_t y = 0; y < grid.GetHeight(); ++y) {
        for (int32_t x = 0; x < grid.GetWidth(); ++x) {
            for (int32_t i : grid.GetCell(x, y)) {
                n += i == index ? 1 : 0;
            }
        }
    }
    return n;
}

struct CellCase {
    const char* name;
    float x;
    int32_t cell;
};

class UniformGridToCell : public ::testing::TestWithParam<CellCase> {};

// A 10 x 10 grid over 0..10: cells of width 1.
TEST_P(UniformGridToCell, TruncatesTowardZeroAndSaturates)
{
    UniformGrid grid(10, 10, 0.0f, 10.0f, 0.0f, 10.0f);
    EXPECT_EQ(grid.ToCellX(GetParam().x), GetParam().cell);
    EXPECT_EQ(grid.ToCellY(GetParam().x), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(Table, UniformGridToCell,
                         ::testing::Values(CellCase{"OnTheLowerBound", 0.0f, 0},
                                           CellCase{"LessThanACellLeft", -0.5f, 0}, CellCase{"FartherLeft", -1.5f, -1},
                                           CellCase{"JustBelowTen", 9.99f, 9}, CellCase{"TenNotClamped", 10.0f, 10},
                                           CellCase{"NaN", kNaN, 0}, CellCase{"PlusInfinity", kInf, 1073741824},
                                           CellCase{"MinusInfinity", -kInf, -1073741824},
                                           CellCase{"Huge", 3.0e30f, 1073741824}),
                         CaseName());

TEST(UniformGrid, SetBoundsRecomputesCellSizesEvenWithUnchangedCounts)
{
    UniformGrid grid(4, 4, -1.0f, 1.0f, -1.0f, 1.0f);
    EXPECT_FLOAT_EQ(grid.GetCellWidth(), 0.5f);
    grid.SetBounds(Rect(0.0f, 8.0f, 0.0f, 2.0f));
    grid.Resize(4, 4);
    EXPECT_FLOAT_EQ(grid.GetCellWidth(), 2.0f);
    EXPECT_FLOAT_EQ(grid.GetCellHeight(), 0.5f);
}

TEST(UniformGrid, ResizeIgnoresCountsBelowOneButTakesEachChangedCount)
{
    UniformGrid grid(3, 5, 0.0f, 5.0f, 0.0f, 3.0f);
    grid.Resize(0, 7);
    grid.Resize(7, -1);
    EXPECT_EQ(grid.GetWidth(), 5);
    EXPECT_EQ(grid.GetHeight(), 3);
    grid.Resize(6, 5);  // one count changed is a change
    EXPECT_EQ(grid.GetHeight(), 6);
    EXPECT_FLOAT_EQ(grid.GetCellHeight(), 0.5f);
    grid.Resize(6, 10);
    EXPECT_FLOAT_EQ(grid.GetCellWidth(), 0.5f);
}

TEST(UniformGrid, ClampCellRectKeepsExclusiveUpperBounds)
{
    UniformGrid grid(6, 8, 0.0f, 8.0f, 0.0f, 6.0f);
    CellRect rect{-3, 20, 2, 99};
    grid.ClampCellRect(rect);
    EXPECT_EQ(rect.x0, 0);
    EXPECT_EQ(rect.x1, 8);
    EXPECT_EQ(rect.y0, 2);
    EXPECT_EQ(rect.y1, 6);
    CellRect away{-9, -2, -7, -1};
    grid.ClampCellRect(away);
    EXPECT_EQ(away.x1, 0);
    EXPECT_EQ(away.y1, 0);
    const UniformGrid& fixed = grid;
    EXPECT_EQ(&fixed.GetCellClamped(-3, 99), &grid.GetCell(0, 5));
    EXPECT_EQ(&fixed.GetCellClamped(99, -3), &grid.GetCell(7, 0));
    CellRect whole = grid.GetWholeRect();
    EXPECT_EQ(whole.x0, 0);
    EXPECT_EQ(whole.x1, 8);
    EXPECT_EQ(whole.y0, 0);
    EXPECT_EQ(whole.y1, 6);
}

TEST(UniformGrid, OneCellSpansTheWholeBounds)
{
    UniformGrid grid(1, 1, 0.0f, 5.0f, 0.0f, 3.0f);
    EXPECT_FLOAT_EQ(grid.GetCellWidth(), 5.0f);
    EXPECT_FLOAT_EQ(grid.GetCellHeight(), 3.0f);
}

TEST(UniformGrid, BinningClampsOutsidePositionsAndRecordsTheCell)
{
    SimTestWorld world(8, 10, 5.0f);
    int32_t a = world.AddMorvo(-7.0f, 4.99f, kMorvoPure, 1.0f);
    int32_t b = world.AddMorvo(7.0f, 9.0f, kMorvoPure, 1.0f);
    world.grid.Rebuild(&world.store, 0.05f);
    EXPECT_EQ(world.grid.GetCell(0, 9).front(), a);
    EXPECT_EQ(world.Record(a).cellX, 0);
    EXPECT_EQ(world.Record(a).cellY, 9);
    EXPECT_EQ(CountListings(world.grid, a), 1);
    EXPECT_EQ(world.grid.GetCell(9, 9).back(), b);
    EXPECT_EQ(world.Record(b).cellX, 9);
    EXPECT_EQ(world.Record(b).cellY, 9);
}

TEST(UniformGrid, RebinKeepsOneEntryWhenAMorvoCrossesSeveralCells)
{
    SimTestWorld world(8, 10, 5.0f);  // cells of width 1
    int32_t a = world.AddMorvo(-4.5f, -4.5f, kMorvoPure, 1.0f);
    int32_t b = world.AddMorvo(-3.5f, -4.5f, kMorvoPure, 1.0f);
    world.grid.Rebuild(&world.store, 0.05f);
    world.Record(a).position = Vec2(2.5f, 3.5f);  // into a cell the walk meets later
    world.Record(b).position = Vec2(-4.5f, -4.5f);
    world.grid.Rebin(0, 10, 0, 10);
    EXPECT_EQ(CountListings(world.grid, a), 1);
    EXPECT_EQ(CountListings(world.grid, b), 1);
    EXPECT_EQ(world.grid.GetCell(7, 8).front(), a);
    EXPECT_EQ(world.grid.GetCell(0, 0).front(), b);
    EXPECT_EQ(world.Record(a).cellX, 7);
    EXPECT_EQ(world.Record(a).cellY, 8);
}

TEST(UniformGrid, RebinDropsInactiveRecordsOnlyInsideTheRectangle)
{
    SimTestWorld world(8, 10, 5.0f);
    int32_t a = world.AddMorvo(-4.5f, -4.5f, kMorvoDark, 1.0f);
    int32_t b = world.AddMorvo(4.5f, 4.5f, kMorvoDark, 1.0f);
    world.Record(a).active = 0;
    world.Record(b).active = 0;
    world.grid.Rebin(0, 5, 0, 5);
    EXPECT_EQ(CountListings(world.grid, a), 0);
    EXPECT_EQ(CountListings(world.grid, b), 1);
}

TEST(UniformGrid, MorvoAddedBeforeItsFirstRebinKeepsCellZeroUntilThen)
{
    SimTestWorld world(8, 10, 5.0f);
    int32_t a = world.AddMorvo(1.5f, 2.5f, kMorvoPure, 1.0f);
    EXPECT_EQ(world.Record(a).cellX, 0);
    EXPECT_EQ(world.grid.GetCell(6, 7).front(), a);
    world.grid.Rebin(6, 7, 7, 8);
    EXPECT_EQ(world.Record(a).cellX, 6);
    EXPECT_EQ(world.Record(a).cellY, 7);
    EXPECT_EQ(CountListings(world.grid, a), 1);
}

TEST(UniformGrid, ClaimRecordRefusesNonFiniteMorvos)
{
    LogCapture log;
    SimTestWorld world(4, 10, 5.0f);
    EXPECT_EQ(world.AddMorvo(kNaN, 0.0f, kMorvoPure, 1.0f), -1);
    EXPECT_EQ(world.AddMorvo(0.0f, kInf, kMorvoPure, 1.0f), -1);
    EXPECT_EQ(world.AddMorvo(0.0f, 0.0f, kMorvoPure, kNaN), -1);
    EXPECT_EQ(log.Lines().size(), 3u);
    EXPECT_EQ(world.State().PeekFree(), 0);
}

TEST(UniformGrid, ClaimRecordErasesAStaleListingOfTheReusedIndex)
{
    SimTestWorld world(4, 10, 5.0f);
    int32_t a = world.AddMorvo(3.2f, 1.7f, kMorvoDark, 1.0f);
    world.Record(a).active = 0;  // killed where no re-binning has run yet
    int32_t b = world.AddMorvo(-2.0f, -2.0f, kMorvoPure, 1.0f);
    EXPECT_EQ(b, a);
    EXPECT_EQ(CountListings(world.grid, b), 1);
    EXPECT_EQ(world.grid.GetCell(3, 3).front(), b);
}

TEST(UniformGrid, NewMorvosDrawOnAllSevenTextures)
{
    SimTestWorld world(70);
    SeedRand15(3);
    std::set<int32_t> used;
    for (int i = 0; i < 70; ++i) {
        used.insert(world.Record(world.AddMorvo(0.1f * static_cast<float>(i % 9), 0.0f, kMorvoPure, 1.0f)).textureIndex);
    }
    EXPECT_EQ(used, (std::set<int32_t>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(UniformGrid, ClaimRecordOnAFullStoreReturnsMinusOne)
{
    SimTestWorld world(2, 10, 5.0f);
    EXPECT_EQ(world.AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f), 0);
    EXPECT_EQ(world.AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f), 1);
    EXPECT_EQ(world.AddMorvo(0.0f, 0.0f, kMorvoPure, 1.0f), -1);
}

class CircleQuery : public ::testing::Test {
protected:
    CircleQuery()
        : world(16, 10, 5.0f)
    {}
    SimTestWorld world;
};

TEST_F(CircleQuery, MorvoAtExactlyTheRadiusIsNotInside)
{
    world.AddMorvo(1.0f, 0.5f, kMorvoPure, 1.0f);
    world.AddMorvo(0.75f, 0.5f, kMorvoPure, 1.0f);
    std::list<int32_t> ids;
    EXPECT_EQ(CollectMorvosInCircle(world.grid, world.State(), Vec2(0.5f, 0.5f), 0.5f, ids), 1);
    EXPECT_EQ(ids.front(), 1);
}

TEST_F(CircleQuery, CollectsColumnByColumnAndAppends)
{
    int32_t upper = world.AddMorvo(0.5f, 1.5f, kMorvoPure, 1.0f);     // column 5, row 6
    int32_t right = world.AddMorvo(1.5f, 0.5f, kMorvoDark, 1.0f);     // column 6, row 5
    int32_t lower = world.AddMorvo(0.5f, 0.5f, kMorvoNeutral, 1.0f);  // column 5, row 5
    std::list<int32_t> ids{42};
    EXPECT_EQ(CollectMorvosInCircle(world.grid, world.State(), Vec2(1.0f, 1.0f), 1.0f, ids), 4);
    EXPECT_EQ(ids, (std::list<int32_t>{42, lower, upper, right}));
}

TEST_F(CircleQuery, SkipsInactiveRecordsStillListed)
{
    int32_t dead = world.AddMorvo(0.0f, 0.0f, kMorvoPure, 9.0f);
    world.AddMorvo(0.1f, 0.0f, kMorvoPure, 3.0f);
    world.Record(dead).active = 0;
    std::list<int32_t> ids;
    EXPECT_EQ(CollectMorvosInCircle(world.grid, world.State(), Vec2(0.0f, 0.0f), 0.5f, ids), 1);
    EXPECT_EQ(CountColorInCircle(world.grid, world.State(), Vec2(0.0f, 0.0f), 0.5f, kMorvoPure), 1);
    EXPECT_FLOAT_EQ(AveragePowerInCircle(world.grid, world.State(), Vec2(0.0f, 0.0f), 0.5f, kMorvoPure), 3.0f);
}

TEST_F(CircleQuery, CountsAndAveragesOnlyTheGivenColour)
{
    world.AddMorvo(0.0f, 0.0f, kMorvoPure, 2.0f);
    world.AddMorvo(0.1f, 0.0f, kMorvoPure, 5.0f);
    world.AddMorvo(0.0f, 0.1f, kMorvoDark, 19.0f);
    world.AddMorvo(3.0f, 3.0f, kMorvoPure, 19.0f);
    Vec2 c(0.0f, 0.0f);
    EXPECT_EQ(CountColorInCircle(world.grid, world.State(), c, 0.5f, kMorvoPure), 2);
    EXPECT_EQ(CountColorInCircle(world.grid, world.State(), c, 0.5f, kMorvoDark), 1);
    EXPECT_EQ(CountColorInCircle(world.grid, world.State(), c, 0.5f, kMorvoNeutral), 0);
    EXPECT_FLOAT_EQ(AveragePowerInCircle(world.grid, world.State(), c, 0.5f, kMorvoPure), 3.5f);
    EXPECT_FLOAT_EQ(AveragePowerInCircle(world.grid, world.State(), c, 0.5f, kMorvoNeutral), 0.0f);
}

TEST_F(CircleQuery, CirclePartlyOutsideTheWorldFindsTheMorvosInside)
{
    world.AddMorvo(-4.9f, -4.9f, kMorvoPure, 1.0f);
    world.AddMorvo(-7.0f, -4.9f, kMorvoPure, 1.0f);  // binned at the edge, lies outside the circle
    std::list<int32_t> ids;
    EXPECT_EQ(CollectMorvosInCircle(world.grid, world.State(), Vec2(-5.0f, -5.0f), 0.5f, ids), 1);
    EXPECT_EQ(ids.front(), 0);
}

}  // namespace
