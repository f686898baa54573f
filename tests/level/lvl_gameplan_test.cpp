// The game plan: section order, assets, the story and its chapters.
#include "gameplan.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kFullPlan = R"(<?xml version="1.0"?>
<GamePlan>
  <Environment>
    <AssetDir>data</AssetDir>
    <Empty></Empty>
    <Speed>2.5</Speed>
  </Environment>
  <Assets>
    <Asset name="TEX_A" path="tex/a.tga"/>
    <Asset name="TEX_A" path="tex/b.tga"/>
    <Asset path="nameless.tga"/>
    <Asset name="NO_PATH"/>
  </Assets>
  <Story>
    <Chapter><Title>BeforeTitle</Title></Chapter>
    <Title>The Story</Title>
    <Chapter>
      <Level>ignored.xml</Level>
      <Title>One</Title>
      <Intro>intro1.txt</Intro>
      <Level>levels/one.xml</Level>
      <IntroMusic>MUSIC_INTRO</IntroMusic>
      <LevelMusic LoopStart="1234.9" LoopEnd="5000">MUSIC_ONE</LevelMusic>
      <WinAnim>win.txt</WinAnim>
      <LoseAnim>lose.txt</LoseAnim>
      <Unknown>x</Unknown>
    </Chapter>
    <Chapter>
      <Title>Two</Title>
      <LevelMusic LoopStart="10">MUSIC_TWO</LevelMusic>
      <Level>first.xml</Level>
      <Level>second.xml</Level>
      <Intro/>
    </Chapter>
    <Chapter>
      <Title>One</Title>
      <Level>again.xml</Level>
    </Chapter>
    <Chapter>
      <Level>untitled.xml</Level>
    </Chapter>
  </Story>
</GamePlan>
)";

// A game folder with the given GamePlan.xml.
struct PlanFolder {
    explicit PlanFolder(const std::string& text) { folder.Write("GamePlan.xml", text); }
    TempFolder folder;
};

}  // namespace

TEST(GamePlanLoading, ReadsEnvironmentAssetsAndStory)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    LogCapture log;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Contains("Loading GamePlan file \"" + game.folder.Path() + "/GamePlan.xml\"...\n"));
    EXPECT_EQ(plan.GetDirectory(), game.folder.Path());
    EXPECT_EQ(plan.GetEnvString("AssetDir"), "data");
    EXPECT_FLOAT_EQ(plan.GetEnvFloat("Speed"), 2.5f);
    EXPECT_EQ(plan.GetEnvString("Empty"), "");
    EXPECT_EQ(plan.GetStory().GetTitle(), "The Story");
    EXPECT_EQ(plan.GetStory().GetChapterCount(), 4);
}

TEST(GamePlanLoading, AssetWarningsNameTheLine)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    LogCapture log;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Contains("Warning: asset element does not have a \"name\" attribute. (line 11)\n"));
    EXPECT_TRUE(
        log.Contains("Warning: asset element named \"NO_PATH\" does not have a \"path\" attribute. (line 12)\n"));
    std::string path;
    EXPECT_FALSE(plan.GetAssetPath("NO_PATH", &path));
}

TEST(GamePlanLoading, ChapterFieldsBeforeTitleAreIgnored)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    const Chapter* one = nullptr;
    ASSERT_TRUE(plan.GetStory().GetFirstChapter(&one));
    EXPECT_EQ(one->GetTitle(), "One");
    EXPECT_TRUE(one->HasIntro());
    EXPECT_EQ(one->GetIntro(), "intro1.txt");
    EXPECT_EQ(one->GetLevel(), "levels/one.xml");
    EXPECT_EQ(one->GetIntroMusic(), "MUSIC_INTRO");
    EXPECT_TRUE(one->HasLevelMusic());
    EXPECT_EQ(one->GetLevelMusic(), "MUSIC_ONE");
    EXPECT_EQ(one->GetWinAnim(), "win.txt");
    EXPECT_EQ(one->GetLoseAnim(), "lose.txt");
}

TEST(GamePlanLoading, LoopPointsAreTruncated)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    const Chapter* one = nullptr;
    ASSERT_TRUE(plan.GetStory().FindChapter("One", &one));
    EXPECT_TRUE(one->HasLoopPoints());
    EXPECT_EQ(one->GetLoopStart(), 1234);
    EXPECT_EQ(one->GetLoopEnd(), 5000);
}

TEST(GamePlanLoading, MissingLoopEndMeansNoLoopPoints)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    LogCapture log;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    const Chapter* two = nullptr;
    ASSERT_TRUE(plan.GetStory().FindChapter("Two", &two));
    EXPECT_TRUE(two->HasLevelMusic());
    EXPECT_FALSE(two->HasLoopPoints());
    EXPECT_TRUE(log.Contains("Warning: LevelMusic element does not have a \"LoopEnd\" attribute."));
}

TEST(GamePlanLoading, LoopPointsOutOfTheWholeNumberRangeMeanNoLoopPoints)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1e10", "5"}, {"5", "-1e10"}, {"nan", "5"}, {"5", "inf"}, {"2147483648", "5"}};
    for (const auto& [start, end] : cases) {
        PlanFolder game(std::string("<GamePlan><Environment/><Assets/><Story><Chapter><Title>A</Title>"
                                    "<LevelMusic LoopStart=\"") +
                        start + "\" LoopEnd=\"" + end + "\">M</LevelMusic></Chapter></Story></GamePlan>");
        GamePlan plan;
        LogCapture log;
        ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
        const Chapter* chapter = nullptr;
        ASSERT_TRUE(plan.GetStory().FindChapter("A", &chapter));
        EXPECT_FALSE(chapter->HasLoopPoints()) << start << " " << end;
        EXPECT_TRUE(log.Contains("Warning: LevelMusic loop points")) << log.All();
    }
}

TEST(GamePlanLoading, RepeatedElementKeepsLaterValueAndEmptyTextIsEmpty)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    const Chapter* two = nullptr;
    ASSERT_TRUE(plan.GetStory().FindChapter("Two", &two));
    EXPECT_EQ(two->GetLevel(), "second.xml");
    EXPECT_TRUE(two->HasIntro());
    EXPECT_EQ(two->GetIntro(), "");
    EXPECT_FALSE(two->HasWinAnim());
    EXPECT_FALSE(two->HasLoseAnim());
}

TEST(GamePlanLoading, ChapterWithoutTitleIsKeptWithEmptyTitle)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    LogCapture log;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Contains("Warning: chapter element is missing it's title. (line 39)"));
    const Chapter* untitled = nullptr;
    ASSERT_TRUE(plan.GetStory().FindChapter("", &untitled));
    EXPECT_EQ(untitled->GetLevel(), "untitled.xml");
}

TEST(GamePlanLoading, SecondLoadAfterSuccessReturnsFalse)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    LogCapture log;
    EXPECT_FALSE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(plan.GetStory().GetChapterCount(), 4);
}

TEST(GamePlanLoading, FailedLoadCanBeRetried)
{
    TempFolder folder;
    GamePlan plan;
    LogCapture log;
    EXPECT_FALSE(plan.Load(folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Contains("  Error reading XML file \""));
    EXPECT_FALSE(plan.IsLoaded());
    folder.Write("GamePlan.xml", kFullPlan);
    EXPECT_TRUE(plan.Load(folder.Path().c_str(), "GamePlan.xml"));
}

TEST(GamePlanLoading, NullArgumentsBreakAndFail)
{
    GamePlan plan;
    BreakCounter breaks;
    EXPECT_FALSE(plan.Load(nullptr, "GamePlan.xml"));
    EXPECT_EQ(breaks.Count(), 1);
}

struct SectionCase {
    const char* name;
    const char* body;
    const char* message;
};

class GamePlanSections : public ::testing::TestWithParam<SectionCase> {};

TEST_P(GamePlanSections, SectionsMustComeInOrder)
{
    PlanFolder game(GetParam().body);
    GamePlan plan;
    LogCapture log;
    EXPECT_FALSE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Contains(GetParam().message)) << log.All();
    EXPECT_FALSE(plan.IsLoaded());
}

INSTANTIATE_TEST_SUITE_P(
    Order, GamePlanSections,
    ::testing::Values(
        SectionCase{"NoEnvironment", "<GamePlan><Assets/><Story/></GamePlan>", "Couldn't find Environment node."},
        SectionCase{"AssetsBeforeEnvironment", "<GamePlan><Assets/><Environment/><Story/></GamePlan>",
                    "Couldn't find Assets node"},
        SectionCase{"StoryBeforeAssets", "<GamePlan><Environment/><Story/><Assets/></GamePlan>",
                    "Couldn't find Story node"},
        SectionCase{"NoRoot", "<Plan><Environment/><Assets/><Story/></Plan>", "Couldn't find GamePlan node."},
        SectionCase{"Broken", "<GamePlan><Environment>", "  Error reading XML file"}),
    CaseName());

TEST(GamePlanSections, OtherElementsMayPrecedeEnvironmentAndStoryTitleMayBeMissing)
{
    PlanFolder game("<GamePlan><Note/><Environment/><Assets/><Story><Chapter><Title>A</Title></Chapter></Story>"
                    "</GamePlan>");
    GamePlan plan;
    LogCapture log;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    EXPECT_TRUE(log.Contains("Warning: story node missing title. (line 1)"));
    EXPECT_EQ(plan.GetStory().GetTitle(), "");
    EXPECT_EQ(plan.GetStory().GetChapterCount(), 1);
}

TEST(GamePlanAssets, AssetDirIsInsertedBetweenFolderAndPath)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    std::string path;
    ASSERT_TRUE(plan.GetAssetPath("TEX_A", &path));
    // The later of two entries with one name wins.
    EXPECT_EQ(path, game.folder.Path() + "/data/tex/b.tga");
}

TEST(GamePlanAssets, WithoutAssetDirPathIsUnderFolder)
{
    PlanFolder game("<GamePlan><Environment><AssetDir></AssetDir></Environment><Assets>"
                    "<Asset name=\"A\" path=\"tex/a.tga\"/></Assets><Story/></GamePlan>");
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    std::string path;
    ASSERT_TRUE(plan.GetAssetPath("A", &path));
    EXPECT_EQ(path, game.folder.Path() + "/tex/a.tga");
}

TEST(GamePlanAssets, UnknownAssetGivesEmptyPath)
{
    PlanFolder game(kFullPlan);
    GamePlan plan;
    ASSERT_TRUE(plan.Load(game.folder.Path().c_str(), "GamePlan.xml"));
    std::string path = "stale";
    EXPECT_FALSE(plan.GetAssetPath("MISSING", &path));
    EXPECT_EQ(path, "");
}

class StoryLookups : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* title : {"A", "B", "A", "C"}) {
            Chapter chapter;
            chapter.title = title;
            chapter.level = std::string(title) + std::to_string(story.GetChapterCount());
            story.AddChapter(chapter);
        }
    }
    Story story;
};

TEST_F(StoryLookups, FindChapterTakesFirstOfEqualTitles)
{
    const Chapter* chapter = nullptr;
    ASSERT_TRUE(story.FindChapter("A", &chapter));
    EXPECT_EQ(chapter->GetLevel(), "A0");
    EXPECT_FALSE(story.FindChapter("a", &chapter));
    EXPECT_EQ(chapter, nullptr);
}

TEST_F(StoryLookups, NextChapterFollowsFirstMatch)
{
    const Chapter* chapter = nullptr;
    ASSERT_TRUE(story.GetNextChapter("A", &chapter));
    EXPECT_EQ(chapter->GetLevel(), "B1");
    ASSERT_TRUE(story.GetNextChapter("B", &chapter));
    EXPECT_EQ(chapter->GetLevel(), "A2");
}

TEST_F(StoryLookups, NoNextChapterAfterLastOrUnknown)
{
    const Chapter* chapter = nullptr;
    EXPECT_FALSE(story.GetNextChapter("C", &chapter));
    EXPECT_EQ(chapter, nullptr);
    EXPECT_FALSE(story.GetNextChapter("Z", &chapter));
    EXPECT_EQ(chapter, nullptr);
}

TEST_F(StoryLookups, EmptyStoryHasNoFirstChapter)
{
    story.Clear();
    const Chapter* chapter = nullptr;
    EXPECT_FALSE(story.GetFirstChapter(&chapter));
    EXPECT_EQ(chapter, nullptr);
    EXPECT_EQ(story.GetChapterCount(), 0);
}
