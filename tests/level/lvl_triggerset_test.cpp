// Trigger records and the trigger set; the grid-set table.
#include "cellpainttool.h"
#include "gridsetdatabase.h"
#include "random15.h"
#include "testsupport.h"
#include "toolset.h"
#include "triggerset.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

Trigger Named(const std::string& id, int32_t effect)
{
    Trigger trigger;
    trigger.id = id;
    trigger.effect = effect;
    return trigger;
}

GridSet SetNamed(const std::string& name)
{
    GridSet set;
    set.SetName(name);
    return set;
}

}  // namespace

TEST(TriggerRecord, NewTriggerHasNeutralValues)
{
    const Trigger trigger;
    EXPECT_EQ(trigger.condition, NO_CONDITION);
    EXPECT_FALSE(trigger.visible);
    EXPECT_EQ(trigger.gridSet, -1);
    EXPECT_EQ(trigger.animation, -1);
    EXPECT_EQ(trigger.hitPoints, 0);
    EXPECT_EQ(trigger.remainingHits, 0);
    EXPECT_FALSE(trigger.fired);
    EXPECT_EQ(trigger.effect, 0);
}

TEST(TriggerRecord, ConditionKeywordsRoundTrip)
{
    const char* keywords[] = {"NO_CONDITION", "BOY_ENTERS", "RAIN_WITHIN", "FILLED_WHITE", "FILLED_BLACK", "START_UP"};
    for (int32_t code = 0; code < 6; ++code) {
        EXPECT_STREQ(TriggerConditionKeyword(code), keywords[code]);
        int32_t read = -1;
        EXPECT_TRUE(TriggerConditionFromKeyword(keywords[code], &read));
        EXPECT_EQ(read, code);
    }
    int32_t untouched = 3;
    EXPECT_FALSE(TriggerConditionFromKeyword("boy_enters", &untouched));
    EXPECT_EQ(untouched, 3);
    EXPECT_EQ(TriggerConditionKeyword(6), nullptr);
}

TEST(TriggerSet, FindByNameReturnsFirstOfEqualIds)
{
    TriggerSet set;
    set.Add(Named("a", EFFECT_WIN));
    set.Add(Named("a", EFFECT_LOSE));
    ASSERT_NE(set.FindByName("a"), nullptr);
    EXPECT_EQ(set.FindByName("a")->effect, EFFECT_WIN);
    EXPECT_EQ(set.FindByName("b"), nullptr);
}

TEST(TriggerSet, FiredTriggerIsStillFoundAndListed)
{
    TriggerSet set;
    set.Add(Named("t", EFFECT_CLEAN));
    set.FindByName("t")->fired = true;
    ASSERT_NE(set.FindByName("t"), nullptr);
    EXPECT_TRUE(set.FindByName("t")->fired);
    ASSERT_EQ(set.GetTriggers().size(), 1u);
    EXPECT_TRUE(set.GetTriggers()[0].fired);
}

TEST(TriggerSet, EntriesKeepAddressesWhileSetGrows)
{
    TriggerSet set;
    set.Add(Named("first", EFFECT_PSYS_OFF));
    Trigger* first = set.FindByName("first");
    for (int i = 0; i < 100; ++i) {
        set.Add(Named("more" + std::to_string(i), EFFECT_WIN));
    }
    EXPECT_EQ(set.FindByName("first"), first);
    EXPECT_EQ(first->effect, EFFECT_PSYS_OFF);
    EXPECT_EQ(set.GetCount(), 101);
}

TEST(TriggerSet, ListKeepsOrderAndClearEmptiesIt)
{
    TriggerSet set;
    set.Add(Named("x", 14));
    set.Add(Named("y", 15));
    const std::vector<Trigger> list = set.GetTriggers();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].id, "x");
    EXPECT_EQ(list[1].id, "y");
    set.Clear();
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_EQ(set.FindByName("x"), nullptr);
}

class GridSetTable : public ::testing::Test {
protected:
    void SetUp() override { Table()->Clear(); }
    void TearDown() override { Table()->Clear(); }
    static GridSetDatabase* Table() { return GridSetDatabase::GetInstance(); }
};

TEST_F(GridSetTable, IdsEqualIndices)
{
    EXPECT_EQ(Table()->Add(SetNamed("a")), 0u);
    EXPECT_EQ(Table()->Add(SetNamed("b")), 1u);
    EXPECT_EQ(Table()->GetId("a"), 0u);
    EXPECT_EQ(Table()->GetId("b"), 1u);
    EXPECT_EQ(Table()->Get(1)->GetName(), "b");
}

// The first index past the table is none, and clearing the table leaves
// the cell painter no index into it.
TEST_F(GridSetTable, ClearedTableLeavesThePainterNoIndex)
{
    Table()->Add(SetNamed("a"));
    Table()->Add(SetNamed("b"));
    EXPECT_EQ(Table()->Get(2), nullptr);
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetSetIndex(1);
    Table()->Clear();
    EXPECT_EQ(painter.GetSetIndex(), -1);
    EXPECT_EQ(Table()->Get(0), nullptr);
}

TEST_F(GridSetTable, UnknownNameGives9999AndLogLine)
{
    LogCapture log;
    EXPECT_EQ(Table()->GetId("nowhere"), 9999u);
    EXPECT_TRUE(log.Contains("GridSetDatabase: Trying to get an invalid ID: nowhere\n"));
    EXPECT_EQ(Table()->Get(9999), nullptr);
}

TEST_F(GridSetTable, DuplicateNameAppendsButMapsToFirst)
{
    Table()->Add(SetNamed("dup"));
    EXPECT_EQ(Table()->Add(SetNamed("dup")), 1u);
    EXPECT_EQ(Table()->GetCount(), 2u);
    EXPECT_EQ(Table()->GetId("dup"), 0u);
}

TEST_F(GridSetTable, FindSetContainingTakesFirstSetInIndexOrder)
{
    EXPECT_EQ(Table()->FindSetIndexContaining(3.0f, 4.0f), -1);
    GridSet a = SetNamed("a");
    a.AddCell(Vec2(1.0f, 1.0f));
    GridSet b = SetNamed("b");
    b.AddCell(Vec2(3.0f, 4.0f));
    b.AddCell(Vec2(3.0f, 4.0f));
    GridSet c = SetNamed("c");
    c.AddCell(Vec2(3.0f, 4.0f));
    Table()->Add(a);
    Table()->Add(b);
    Table()->Add(c);
    EXPECT_EQ(Table()->FindSetIndexContaining(3.0f, 4.0f), 1);
    ASSERT_NE(Table()->FindSetContaining(3.0f, 4.0f), nullptr);
    EXPECT_EQ(Table()->FindSetContaining(3.0f, 4.0f)->GetName(), "b");
    EXPECT_EQ(Table()->FindSetContaining(3.0f, 4.5f), nullptr);
}

TEST_F(GridSetTable, NewSetIsEmptyAndNamedFromRandomNumber)
{
    unsigned int index = 12345;
    GridSet* set = Table()->NewSet(&index);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(set->GetCellCount(), 0);
    EXPECT_EQ(set->GetName().rfind("newSet_", 0), 0u);
    const int number = std::stoi(set->GetName().substr(7));
    EXPECT_GE(number, 0);
    EXPECT_LT(number, 1000);
    EXPECT_EQ(Table()->GetId(set->GetName()), 0u);
}

TEST_F(GridSetTable, NewSetNeverReusesAName)
{
    // Repeating the generator makes the second draw equal the first.
    SeedRand15(7);
    unsigned int first = 0;
    const std::string firstName = Table()->NewSet(&first)->GetName();
    SeedRand15(7);
    unsigned int second = 0;
    const std::string secondName = Table()->NewSet(&second)->GetName();
    EXPECT_NE(firstName, secondName);
    EXPECT_EQ(Table()->GetId(secondName), second);
}

TEST_F(GridSetTable, NewSetCountsOnFromThousandWhenAllRandomNamesAreTaken)
{
    for (int i = 0; i < 1000; ++i) {
        Table()->Add(SetNamed("newSet_" + std::to_string(i)));
    }
    Table()->Add(SetNamed("newSet_1000"));
    unsigned int index = 0;
    GridSet* set = Table()->NewSet(&index);
    EXPECT_EQ(set->GetName(), "newSet_1001");
    EXPECT_EQ(index, 1001u);
    EXPECT_EQ(Table()->GetId("newSet_1001"), 1001u);
}

TEST_F(GridSetTable, ListIsCopyAndClearEmptiesBoth)
{
    GridSet a = SetNamed("a");
    a.AddCell(Vec2(2.0f, 5.0f));
    Table()->Add(a);
    std::vector<GridSet> copy = Table()->GetGridSets();
    copy[0].AddCell(Vec2(9.0f, 9.0f));
    EXPECT_EQ(Table()->Get(0)->GetCellCount(), 1);
    Table()->Clear();
    EXPECT_EQ(Table()->GetCount(), 0u);
    LogCapture log;
    EXPECT_EQ(Table()->GetId("a"), 9999u);
}

TEST(GridSetCells, CellsKeepInsertionOrderAndBadIndexBreaks)
{
    GridSet set;
    set.AddCell(Vec2(1.0f, 2.0f));
    set.AddCell(Vec2(1.0f, 2.0f));
    set.AddCell(Vec2(3.0f, 4.0f));
    EXPECT_EQ(set.GetCellCount(), 3);
    EXPECT_EQ(set.GetCell(2), Vec2(3.0f, 4.0f));
    EXPECT_TRUE(set.Contains(1.0f, 2.0f));
    EXPECT_FALSE(set.Contains(2.0f, 1.0f));
    BreakCounter breaks;
    EXPECT_EQ(set.GetCell(3), Vec2(0.0f, 0.0f));
    EXPECT_EQ(set.GetCell(-1), Vec2(0.0f, 0.0f));
    EXPECT_EQ(breaks.Count(), 2);
}
