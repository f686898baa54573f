#include "debugbreak.h"
#include "filepath.h"
#include "random15.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

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
        {"d/", "x", "d/x"},
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

// Whole files up to the limit (5 bytes here); anything else fails with the
// reason in errno and the contents emptied.
TEST(FilePath, ReadFileContentsKeepsToTheLimit)
{
    TempFolder folder;
    for (const char* text : {"", "abcd", "abcde", "abcdef"})
        folder.Write("f" + std::to_string(std::strlen(text)), text);
    std::filesystem::create_directory(folder.File("dir"));
    const struct {
        const char* file;
        bool read;
        const char* contents;
        int error;
    } cases[] = {
        {"f0", true, "", 0},      {"f4", true, "abcd", 0},    {"f5", true, "abcde", 0},
        {"f6", false, "", EFBIG}, {"dir", false, "", EISDIR}, {"none", false, "", ENOENT},
    };
    for (const auto& c : cases) {
        std::string contents = "old";
        errno = 0;
        EXPECT_EQ(ReadFileContents(folder.File(c.file), 5, contents), c.read) << c.file;
        EXPECT_EQ(contents, c.contents) << c.file;
        if (!c.read) {
            EXPECT_EQ(errno, c.error) << c.file;
        }
    }
    // A file whose size is not known ahead is read to its end all the same.
    std::string status = "old";
    EXPECT_FALSE(ReadFileContents("/proc/self/status", 5, status));
    EXPECT_EQ(errno, EFBIG);
    EXPECT_EQ(status, "");
    ASSERT_TRUE(ReadFileContents("/proc/self/status", kNoSizeLimit, status));
    EXPECT_EQ(status.rfind("Name:", 0), 0u);
    EXPECT_EQ(status.back(), '\n');
}
