#include "debugbreak.h"
#include "filepath.h"
#include "random15.h"
#include "testsupport.h"

#include <gtest/gtest.h>

TEST(Random15, StaysWithinFifteenBitsAndReplaysAfterSeed)
{
    SeedRand15(7);
    std::vector<int> first;
    int highest = 0;
    for (int i = 0; i < 100000; ++i) {
        int value = Rand15();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, kRand15Max);
        highest = std::max(highest, value);
        if (i < 10)
            first.push_back(value);
    }
    EXPECT_GT(highest, 32000);
    SeedRand15(7);
    for (int value : first)
        EXPECT_EQ(Rand15(), value);
}

TEST(DebugBreak, HandlerSeesOneLineAndExecutionContinues)
{
    LogCapture log;
    BreakCounter breaks;
    DEBUG_BREAK("index out of range");
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(breaks.LastWhat(), "index out of range");
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_NE(log.Lines()[0].find("DEBUG BREAK "), std::string::npos);
    EXPECT_NE(log.Lines()[0].find(": index out of range\n"), std::string::npos);
}

TEST(DebugBreakDeathTest, AbortsWithoutHandler)
{
    EXPECT_DEATH(DEBUG_BREAK("no handler"), "DEBUG BREAK .*: no handler");
}

struct JoinCase {
    const char* first;
    const char* second;
    const char* joined;
};

TEST(FilePath, JoinUsesOneSlashAndNormalisesBackslashes)
{
    const JoinCase cases[] = {
        {"game", "levels/a.xml", "game/levels/a.xml"},
        {"game/", "/levels\\a.xml", "game/levels/a.xml"},
        {"game\\data", "x.tga", "game/data/x.tga"},
        {"", "x.tga", "x.tga"},
        {"game", "", "game"},
        {"/", "x", "/x"},
    };
    for (const JoinCase& c : cases)
        EXPECT_EQ(JoinPath(c.first, c.second), c.joined) << c.first << " + " << c.second;
}

TEST(FilePath, OpenFileAcceptsBackslashSeparators)
{
    TempFolder folder;
    folder.Write("sub/file.txt", "hello");
    FILE* file = OpenFile(folder.Path() + "\\sub\\file.txt", "r");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(FileExists(folder.Path() + "/sub/file.txt"));
    EXPECT_FALSE(FileExists(folder.Path() + "/sub"));
}
