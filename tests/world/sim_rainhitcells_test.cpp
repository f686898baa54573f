// RainHitCells: each rained cell held once in first-hit order, exact float
// equality for membership on and off the grid, bounded under long dark
// contact, and the same answers as the plain list of every hit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <list>
#include <vector>

#include "rainhitcells.h"
#include "random15.h"
#include "sim_testworld.h"
#include "testsupport.h"

namespace {

std::vector<Vec2> Held(const RainHitCells& cells)
{
    return std::vector<Vec2>(cells.begin(), cells.end());
}

TEST(RainHitCells, HoldsEachCellOnceInFirstHitOrder)
{
    RainHitCells cells;
    cells.SetGridSize(10, 10);
    EXPECT_TRUE(cells.AddCell(3, 4));
    EXPECT_TRUE(cells.Add(Vec2(-2.0f, 5.0f)));
    EXPECT_TRUE(cells.AddCell(1, 1));
    for (int i = 0; i < 1000; ++i) {
        EXPECT_FALSE(cells.AddCell(3, 4));
        EXPECT_FALSE(cells.Add(Vec2(-2.0f, 5.0f)));
        EXPECT_FALSE(cells.Add(Vec2(1.0f, 1.0f)));
    }
    EXPECT_EQ(Held(cells), (std::vector<Vec2>{Vec2(3.0f, 4.0f), Vec2(-2.0f, 5.0f), Vec2(1.0f, 1.0f)}));
}

struct MembershipCase {
    const char* name;
    Vec2 held;
    Vec2 asked;
    bool found;
};

class RainHitCellsMembership : public ::testing::TestWithParam<MembershipCase> {};

// Equal as floats in both coordinates, whether the cell lies on the grid,
// beyond it, or is no whole cell at all; before and after the grid changes.
TEST_P(RainHitCellsMembership, MatchesFloatEquality)
{
    const MembershipCase& c = GetParam();
    for (int32_t edge : {0, 8, 116}) {
        RainHitCells cells;
        cells.SetGridSize(edge, edge);
        cells.Add(c.held);
        EXPECT_EQ(cells.Contains(c.asked), c.found) << c.name << ", grid " << edge;
        cells.SetGridSize(edge + 3, edge + 1);
        EXPECT_EQ(cells.Contains(c.asked), c.found) << c.name << ", grid resized from " << edge;
        EXPECT_TRUE(std::isnan(c.held.x) || cells.Contains(c.held)) << c.name;
    }
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cells, RainHitCellsMembership,
    ::testing::Values(MembershipCase{"same whole cell", Vec2(5.0f, 7.0f), Vec2(5.0f, 7.0f), true},
                      MembershipCase{"swapped", Vec2(5.0f, 7.0f), Vec2(7.0f, 5.0f), false},
                      MembershipCase{"neighbour", Vec2(5.0f, 7.0f), Vec2(6.0f, 7.0f), false},
                      MembershipCase{"fraction asked", Vec2(5.0f, 7.0f), Vec2(5.5f, 7.0f), false},
                      MembershipCase{"fraction held", Vec2(5.5f, 7.0f), Vec2(5.5f, 7.0f), true},
                      MembershipCase{"negative zero", Vec2(0.0f, 2.0f), Vec2(-0.0f, 2.0f), true},
                      MembershipCase{"negative zero held", Vec2(-0.0f, 0.0f), Vec2(0.0f, -0.0f), true},
                      MembershipCase{"negative cell", Vec2(-1.0f, 3.0f), Vec2(-1.0f, 3.0f), true},
                      MembershipCase{"beyond the grid", Vec2(500.0f, 2.0f), Vec2(500.0f, 2.0f), true},
                      MembershipCase{"beyond, other row", Vec2(500.0f, 2.0f), Vec2(500.0f, 3.0f), false},
                      MembershipCase{"huge", Vec2(1.0e9f, 1.0f), Vec2(1.0e9f, 1.0f), true},
                      MembershipCase{"NaN asked", Vec2(1.0f, 1.0f), Vec2(kNaN, 1.0f), false},
                      MembershipCase{"NaN held", Vec2(kNaN, 1.0f), Vec2(kNaN, 1.0f), false}),
    CaseName());

TEST(RainHitCells, ClearForgetsEveryCell)
{
    RainHitCells cells;
    cells.SetGridSize(4, 4);
    cells.AddCell(1, 2);
    cells.AddCell(9, 2);
    cells.Clear();
    EXPECT_TRUE(cells.IsEmpty());
    EXPECT_FALSE(cells.Contains(Vec2(1.0f, 2.0f)));
    EXPECT_FALSE(cells.Contains(Vec2(9.0f, 2.0f)));
    EXPECT_TRUE(cells.AddCell(1, 2));
    EXPECT_TRUE(cells.AddCell(9, 2));
}

// Random hits on and off a grid that changes size now and then: the same
// answers as searching the list of every hit, holding each cell once.
TEST(RainHitCells, AnswersAsTheListOfEveryHit)
{
    SeedRand15(5);
    RainHitCells cells;
    std::list<Vec2> every;
    for (int round = 0; round < 4000; ++round) {
        if (round % 700 == 0) {
            cells.SetGridSize(Rand15() % 20, Rand15() % 20);
        }
        const int32_t column = Rand15() % 30 - 5;
        const int32_t row = Rand15() % 30 - 5;
        if (Rand15() % 2 == 0) {
            cells.AddCell(column, row);
            every.push_back(Vec2(static_cast<float>(column), static_cast<float>(row)));
        }
        const Vec2 asked(static_cast<float>(Rand15() % 30 - 5) + (Rand15() % 8 == 0 ? 0.5f : 0.0f),
                         static_cast<float>(Rand15() % 30 - 5));
        ASSERT_EQ(cells.Contains(asked), std::find(every.begin(), every.end(), asked) != every.end())
            << "round " << round;
    }
    std::vector<Vec2> distinct;
    for (const Vec2& hit : every) {
        if (std::find(distinct.begin(), distinct.end(), hit) == distinct.end()) {
            distinct.push_back(hit);
        }
    }
    EXPECT_EQ(Held(cells), distinct);
}

// A packed crowd of dark and pure morvos rains thousands of times; the
// cells held stay within the crowd's cells.
TEST(RainHitCells, StayBoundedUnderLongDarkContact)
{
    SimTestWorld world(2000);
    SeedRand15(8);
    const float half = 0.3f;
    for (int i = 0; i < 600; ++i) {
        const float x = -half + 2.0f * half * static_cast<float>(Rand15()) / 32767.0f;
        const float y = -half + 2.0f * half * static_cast<float>(Rand15()) / 32767.0f;
        world.AddMorvo(x, y, i % 2 == 0 ? kMorvoDark : kMorvoPure, 15.0f);
    }
    world.grid.Rebuild(&world.store, 0.05f);
    const int32_t lo = world.grid.ToCellX(-half - 0.5f);
    const int32_t hi = world.grid.ToCellX(half + 0.5f);
    for (int step = 0; step < 120; ++step) {
        world.StepWhole(1.0f / 60.0f);
    }
    EXPECT_GT(world.pairForce.rainCount, 20000);
    const size_t span = static_cast<size_t>(hi - lo + 1);
    EXPECT_LE(world.rainHits.GetCount(), span * span);
    for (const Vec2& cell : world.rainHits) {
        EXPECT_GE(cell.x, static_cast<float>(lo));
        EXPECT_LE(cell.x, static_cast<float>(hi));
    }
}

}  // namespace
