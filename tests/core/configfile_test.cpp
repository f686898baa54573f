// Reading key: value files: comments only in column 1, first definition
// wins, values cut at ":", the 1023-character limit, CRLF; typed getters.
#include "configfile.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct LoadCase {
    const char* name;
    std::string text;
    std::vector<std::pair<std::string, std::string>> entries;  // the whole table, in key order
};

std::vector<std::pair<std::string, std::string>> TableOf(const ConfigFile& config)
{
    return {config.Table().begin(), config.Table().end()};
}

class ConfigFileLoad : public ::testing::TestWithParam<LoadCase> {};

}  // namespace

TEST_P(ConfigFileLoad, GivesTheTable)
{
    TempFolder folder;
    folder.Write("config.txt", GetParam().text);
    ConfigFile config;
    ASSERT_TRUE(config.Load(folder.File("config.txt")));
    EXPECT_EQ(TableOf(config), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigFileLoad,
    ::testing::Values(LoadCase{"Empty", "", {}}, LoadCase{"OnlyComments", "# one\n#two\n\n", {}},
                      LoadCase{"KeyAndValue", "Game: Morvo\n", {{"Game", "Morvo"}}},
                      LoadCase{"BlanksAndTabsBeforeKeyAndValue", " \t Width:\t  1024\n", {{"Width", "1024"}}},
                      LoadCase{"TrailingBlanksStayInTheValue", "Name: a b  \n", {{"Name", "a b  "}}},
                      LoadCase{"BlankBeforeColonStaysInTheKey", "Key : v\n", {{"Key ", "v"}}},
                      LoadCase{"CommentOnlyInColumnOne", "#A: 1\n #B: 2\n", {{"#B", "2"}}},
                      LoadCase{"FirstDefinitionWins", "A: 1\nA: 2\n", {{"A", "1"}}},
                      LoadCase{"ValueCutAtColon", "Path: C:\\games\\morvo\n", {{"Path", "C"}}},
                      LoadCase{"SeveralColonsAreOneSeparator", "A:::  x\n", {{"A", "x"}}},
                      LoadCase{"LeadingColonsSkipped", "::Key: v\n", {{"Key", "v"}}},
                      LoadCase{"NoColonGivesEmptyValue", "Flag\n", {{"Flag", ""}}},
                      LoadCase{"BlankLineGivesEmptyKey", "   \nA: 1\n", {{"", ""}, {"A", "1"}}},
                      LoadCase{"LastLineWithoutLineFeed", "A: 1\nB: 2", {{"A", "1"}, {"B", "2"}}},
                      LoadCase{"CrLfLineEnds", "A: 1\r\n# c\r\n\r\nB: two\r\n", {{"A", "1"}, {"B", "two"}}},
                      LoadCase{"LoneCarriageReturnEndsALine", "A: 1\r2\n", {{"2", ""}, {"A", "1"}}},
                      LoadCase{"CrLineEnds", "A: 1\r# c\r\rB: two\r", {{"A", "1"}, {"B", "two"}}},
                      LoadCase{"KeysAreCaseSensitive", "a: 1\nA: 2\n", {{"A", "2"}, {"a", "1"}}}),
    CaseName());

TEST(ConfigFile, LongLineKeepsItsFirst1023CharactersAndNextLineIsRead)
{
    TempFolder folder;
    std::string value(1500, 'v');
    folder.Write("long.txt", "K:" + value + "\nNext: 5\n");
    ConfigFile config;
    ASSERT_TRUE(config.Load(folder.File("long.txt")));
    EXPECT_EQ(config.GetString("K"), std::string(1021, 'v'));
    EXPECT_EQ(config.GetInt("Next"), 5);
}

TEST(ConfigFile, MissingFileFailsQuietly)
{
    LogCapture log;
    ConfigFile config;
    EXPECT_FALSE(config.Load("/nonexistent/morvo/config.txt"));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(ConfigFile, SecondLoadKeepsExistingValues)
{
    TempFolder folder;
    folder.Write("a.txt", "A: 1\n");
    folder.Write("b.txt", "A: 2\nB: 3\n");
    ConfigFile config;
    ASSERT_TRUE(config.Load(folder.File("a.txt")));
    ASSERT_TRUE(config.Load(folder.File("b.txt")));
    EXPECT_EQ(config.GetInt("A"), 1);
    EXPECT_EQ(config.GetInt("B"), 3);
}

TEST(ConfigFile, LoadOpensPathsWrittenWithBackslashes)
{
    TempFolder folder;
    folder.Write("a.txt", "A: 1\n");
    ConfigFile config;
    std::string path = folder.Path() + "\\a.txt";
    ASSERT_TRUE(config.Load(path));
    EXPECT_EQ(config.GetInt("A"), 1);
}

TEST(ConfigFile, CountsEveryLine)
{
    TempFolder folder;
    folder.Write("c.txt", "# c\n\nA: 1\nB: 2");
    ConfigFile config;
    ASSERT_TRUE(config.Load(folder.File("c.txt")));
    EXPECT_EQ(config.LineCount(), 3);
}

TEST(ConfigFile, SetReplacesUnlikeLoad)
{
    TempFolder folder;
    folder.Write("a.txt", "A: 1\nA: 2\n");
    ConfigFile config;
    ASSERT_TRUE(config.Load(folder.File("a.txt")));
    EXPECT_EQ(config.GetInt("A"), 1);
    config.Set("A", "2");
    EXPECT_EQ(config.GetInt("A"), 2);
    config.Set(nullptr, "3");
    EXPECT_EQ(config.Table().size(), 1u);
    BreakCounter breaks;
    config.Set("A", nullptr);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(config.GetInt("A"), 2);
}

struct BoolCase {
    const char* name;
    const char* value;
    bool expected;
};

class ConfigFileBool : public ::testing::TestWithParam<BoolCase> {};

TEST_P(ConfigFileBool, TrueOnlyForTheFiveSpellings)
{
    ConfigFile config;
    config.Set("Flag", GetParam().value);
    EXPECT_EQ(config.GetBool("Flag"), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigFileBool,
                         ::testing::Values(BoolCase{"T", "T", true}, BoolCase{"LowerT", "t", true},
                                           BoolCase{"TitleTrue", "True", true}, BoolCase{"LowerTrue", "true", true},
                                           BoolCase{"One", "1", true}, BoolCase{"UpperTrue", "TRUE", false},
                                           BoolCase{"Yes", "yes", false}, BoolCase{"F", "F", false},
                                           BoolCase{"Zero", "0", false}, BoolCase{"TrailingSpace", "true ", false},
                                           BoolCase{"Empty", "", false}),
                         CaseName());

TEST(ConfigFile, AbsentKeysGiveDefaults)
{
    ConfigFile config;
    EXPECT_EQ(config.GetString("None"), "");
    EXPECT_EQ(config.GetFloat("None"), 0.0f);
    EXPECT_EQ(config.GetInt("None"), 0);
    EXPECT_FALSE(config.GetBool("None"));
}

TEST(ConfigFile, NumbersReadWithTheCLibraryRules)
{
    ConfigFile config;
    config.Set("F", "0.25abc");
    config.Set("I", "640x480");
    EXPECT_EQ(config.GetFloat("F"), 0.25f);
    EXPECT_EQ(config.GetInt("I"), 640);
}

TEST(ConfigFile, NumbersOutOfRangeGiveTheDefaultAndALogLine)
{
    const std::pair<const char*, bool> cases[] = {
        {"99999999999", false}, {"-99999999999", false}, {"2147483648", false}, {"1e40", false},       {"-1e40", false},
        {"nan", false},         {"inf", false},          {"2147483647", true},  {"-2147483648", true}, {"3.4e38", true},
    };
    for (const auto& [text, inRange] : cases) {
        ConfigFile config;
        config.Set("N", text);
        LogCapture log;
        const bool isInt = std::strchr(text, 'e') == nullptr && std::strchr(text, 'n') == nullptr;
        if (isInt)
            EXPECT_EQ(config.GetInt("N"), inRange ? std::atoi(text) : 0) << text;
        else
            EXPECT_EQ(config.GetFloat("N"), inRange ? std::strtof(text, nullptr) : 0.0f) << text;
        EXPECT_EQ(log.Contains("config value N: " + std::string(text) + " is out of range"), !inRange) << text;
    }
    ConfigFile config;
    config.Set("N", "3.4028234663852886e38");  // the largest float
    EXPECT_EQ(config.GetFloat("N"), FLT_MAX);
}

TEST(ConfigFile, StringIntoBufferIsCutAndTerminated)
{
    ConfigFile config;
    char buffer[8] = "xxxxxxx";
    for (const char* value : {"Morvo", "Morv"}) {
        config.Set("Name", value);
        config.GetString("Name", buffer, 4);
        EXPECT_STREQ(buffer, "Mor") << value;
        EXPECT_EQ(buffer[4], 'x') << value;
    }
    char untouched[2] = {'x', 'y'};
    config.GetString("Name", untouched, 0);
    EXPECT_EQ(untouched[0], 'x');
    config.GetString("None", buffer, 4);
    EXPECT_STREQ(buffer, "");
}
