// The level's animation table: ids equal indices, 9999 for what is missing.
#include "animationdatabase.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

class AnimationTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        Table()->Clear();
        folder.Write("a.txt", "Object\nKeyframe: 1\nEnd\nEnd\n");
        folder.Write("b.txt", "Object\nKeyframe: 2\nEnd\nEnd\n");
    }
    void TearDown() override { Table()->Clear(); }
    static AnimationDatabase* Table() { return AnimationDatabase::GetInstance(); }
    TempFolder folder;
};

}  // namespace

TEST_F(AnimationTable, IdsEqualIndices)
{
    EXPECT_EQ(Table()->Load(folder.File("a.txt"), "first"), 0u);
    EXPECT_EQ(Table()->Load(folder.File("b.txt"), "second"), 1u);
    ASSERT_NE(Table()->Get(1), nullptr);
    EXPECT_EQ(Table()->Get(0)->GetId(), 0);
    EXPECT_EQ(Table()->Get(1)->GetId(), 1);
    EXPECT_FLOAT_EQ(Table()->Get(1)->GetDuration(), 2.0f);
    EXPECT_EQ(Table()->GetId("second"), 1u);
    EXPECT_EQ(Table()->Get(1)->GetPath(), folder.File("b.txt"));
}

TEST_F(AnimationTable, DuplicateNameAppendsButMapsToFirst)
{
    Table()->Load(folder.File("a.txt"), "same");
    EXPECT_EQ(Table()->Load(folder.File("b.txt"), "same"), 1u);
    EXPECT_EQ(Table()->GetCount(), 2u);
    EXPECT_EQ(Table()->GetId("same"), 0u);
}

TEST_F(AnimationTable, UnreadableFileGives9999AndAddsNothing)
{
    LogCapture log;
    EXPECT_EQ(Table()->Load(folder.File("none.txt"), "none"), 9999u);
    EXPECT_EQ(Table()->GetCount(), 0u);
    EXPECT_EQ(Table()->GetId("none"), 9999u);
    EXPECT_TRUE(log.Contains("AnimationDatabase: Trying to get an invalid ID: none\n"));
}

TEST_F(AnimationTable, OutOfRangeIndexGivesNull)
{
    Table()->Load(folder.File("a.txt"), "a");
    EXPECT_EQ(Table()->Get(1), nullptr);
    EXPECT_EQ(Table()->Get(9999), nullptr);
}

TEST_F(AnimationTable, ClearEmptiesTableAndNames)
{
    Table()->Load(folder.File("a.txt"), "a");
    Table()->Clear();
    EXPECT_EQ(Table()->GetCount(), 0u);
    LogCapture log;
    EXPECT_EQ(Table()->GetId("a"), 9999u);
}
