// GameFlow: requests, chapter starts, listener order, the per-level world
// setup and teardown.
#include "world_headless.h"

#include "attractor.h"
#include "boy.h"
#include "gameplan.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "levellistener.h"
#include "morvoljfunc.h"
#include "morvosimulator.h"
#include "morvostore.h"
#include "rainhitcells.h"
#include "trigger.h"
#include "triggerset.h"
#include "uniformgrid.h"

#include <string>
#include <vector>

namespace {

const char* const kGamePlan = R"(<GamePlan>
  <Environment><AssetDir>data</AssetDir></Environment>
  <Assets></Assets>
  <Story>
    <Title>Test story</Title>
    <Chapter><Title>One</Title><Level>one.xml</Level></Chapter>
    <Chapter><Title>Missing</Title><Level>missing.xml</Level></Chapter>
    <Chapter><Title>Two</Title><Level>two.xml</Level></Chapter>
    <Chapter><Title>Levelless</Title></Chapter>
  </Story>
</GamePlan>
)";

const char* const kLevel = R"(<MorvoLevel>
  <Boy x="10" y="160" z="-20"/>
  <MorvoLayer layer="0"><Morvos><morvo x="0.1" y="0.2" color="1" power="2"/></Morvos></MorvoLayer>
</MorvoLevel>
)";

class RecordingListener : public LevelListener {
public:
    void OnBeforeLevelLoad() override { events.push_back("before load"); }
    void OnLevelLoaded() override { events.push_back("loaded"); }
    void OnBeforeLevelUnload() override { events.push_back("before unload"); }
    void OnLevelUnloaded() override { events.push_back("unloaded"); }
    std::vector<std::string> events;
};

// Registers an attractor after every load, as the in-game state does.
class AttractorListener : public LevelListener {
public:
    void OnLevelLoaded() override { GetMorvoWorld().SetMorvoAttractorFunc(new Attractor(1000.0f, 0.0f, 0.05f, 0.5f)); }
};

class GameFlowTest : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        delete GameFlow::FindInstance();
        delete GamePlan::FindInstance();
        folder_.Write("GamePlan.xml", kGamePlan);
        folder_.Write("one.xml", kLevel);
        folder_.Write("two.xml", kLevel);
        ASSERT_TRUE(GamePlan::GetInstance()->Load(folder_.Path().c_str(), "GamePlan.xml"));
    }
    void TearDown() override
    {
        GameFlow::GetInstance()->UnloadLevel();
        delete GameFlow::FindInstance();
        delete GamePlan::FindInstance();
        HeadlessWorldTest::TearDown();
    }
    void Start(const char* chapter)
    {
        GameFlow::GetInstance()->RequestNewGame(chapter);
        GameFlow::GetInstance()->Update();
    }

    TempFolder folder_;
};

TEST_F(GameFlowTest, NullRequestStartsTheFirstChapter)
{
    LogCapture log;
    Start(nullptr);
    GameFlow* flow = GameFlow::GetInstance();
    EXPECT_TRUE(flow->IsLevelLoaded());
    EXPECT_EQ(flow->GetInGame(), 1);
    EXPECT_TRUE(flow->IsStoryMode());
    EXPECT_EQ(flow->GetCurrentChapterTitle(), "One");
    EXPECT_EQ(flow->GetPendingRequest(), GameFlow::kRequestNone);
    EXPECT_TRUE(log.Contains("Starting new game...\n"));
    EXPECT_TRUE(log.Contains("Loading level at path \"" + folder_.Path() + "/one.xml\"\n"));
    World().CountMorvos();
    EXPECT_EQ(World().GetCensus().pure, 1);
    EXPECT_FLOAT_EQ(World().GetBoyStart().x, 10.0f);
}

TEST_F(GameFlowTest, NewGameWhileLoadedUnloadsFirst)
{
    RecordingListener listener;
    GameFlow::GetInstance()->AddListener(&listener);
    GameFlow::GetInstance()->AddListener(&listener);
    Start("One");
    EXPECT_EQ(listener.events, (std::vector<std::string>{"before load", "loaded"}));
    listener.events.clear();
    Start("Two");
    EXPECT_EQ(listener.events, (std::vector<std::string>{"before unload", "unloaded", "before load", "loaded"}));
    EXPECT_EQ(GameFlow::GetInstance()->GetCurrentChapterTitle(), "Two");
    GameFlow::GetInstance()->RemoveListener(&listener);
    GameFlow::GetInstance()->RemoveListener(&listener);
}

TEST_F(GameFlowTest, FailedLoadThenASecondRequestRegistersOneForceEach)
{
    RecordingListener listener;
    AttractorListener attractors;
    GameFlow::GetInstance()->AddListener(&listener);
    GameFlow::GetInstance()->AddListener(&attractors);
    BreakCounter breaks;
    LogCapture log;
    Start("Missing");
    EXPECT_FALSE(GameFlow::GetInstance()->IsLevelLoaded());
    EXPECT_EQ(GameFlow::GetInstance()->GetInGame(), 0);
    EXPECT_FALSE(GameFlow::GetInstance()->IsStoryMode());
    EXPECT_TRUE(log.Contains("Failed to start new game!\n"));
    EXPECT_EQ(listener.events, (std::vector<std::string>{"before load", "loaded"}));
    ASSERT_NE(World().GetMorvoAttractorFunc(), nullptr) << "the listener registered one after the failed load";

    Start("One");
    EXPECT_TRUE(GameFlow::GetInstance()->IsLevelLoaded());
    EXPECT_EQ(breaks.Count(), 0) << "no second registration of a force";
    EXPECT_FALSE(log.Contains("leaking memory"));
    EXPECT_NE(World().GetMorvoLJFunc(), nullptr);
    GameFlow::GetInstance()->RemoveListener(&listener);
    GameFlow::GetInstance()->RemoveListener(&attractors);
}

TEST_F(GameFlowTest, FailedLoadLeavesTheWorldSetUpEmpty)
{
    folder_.Write("one.xml", R"(<MorvoLevel>
  <Boy x="10" y="160" z="-20"/>
  <WinWhenPurePowerThreshold power="4"/><WinWhenAllPure/><WinWhenNoDarkMorvos/><LoseWhenNoPureMorvos/>
  <MorvoLayer><Morvos><morvo x="0.1" y="0.2" color="1" power="2"/><morvo x="0.3" y="0.2" color="-1" power="2"/>
  </Morvos></MorvoLayer>
  <Grid><GridSet name="s"><GridCell x="1" y="2"/></GridSet></Grid>
  <TriggerSet><Trigger id="t" type="BOY_ENTERS" set="s" effect="CLEAN" visible="true" hitpoints="1"/></TriggerSet>
  <Dirtiness><IslandVolcano IsDirty="1" trigger="t"/></Dirtiness>
</MorvoLevel>)");
    Start("One");
    ASSERT_TRUE(GameFlow::GetInstance()->IsLevelLoaded());
    ASSERT_TRUE(World().GetIsland(kIslandVolcano)->IsDirty());

    Start("Missing");
    EXPECT_FALSE(GameFlow::GetInstance()->IsLevelLoaded());
    World().CountMorvos();
    EXPECT_EQ(World().GetCensus().total, 0);
    EXPECT_EQ(World().GetTriggers().GetCount(), 0);
    EXPECT_EQ(GridSetDatabase::GetInstance()->GetCount(), 0u);
    EXPECT_TRUE(World().GetParticleSystems().empty());
    EXPECT_FALSE(World().GetWinWhenAllPure());
    EXPECT_FALSE(World().GetWinWhenNoDarkMorvos());
    EXPECT_FALSE(World().GetLoseWhenNoPureMorvos());
    EXPECT_FALSE(World().GetWinWhenPurePowerThreshold());
    EXPECT_FALSE(World().GetIsland(kIslandVolcano)->IsDirty());
    EXPECT_EQ(World().GetIsland(kIslandVolcano)->GetTrigger(), nullptr);
    EXPECT_EQ(World().GetBoy()->position, Vec3());
    EXPECT_EQ(World().GetGrid()->GetWidth(), 116) << "the world is set up for a level";
}

TEST_F(GameFlowTest, SetupGivesTheLevelGridAndWindow)
{
    World().GetBoy()->position = Vec3(5.0f, 5.0f, 5.0f);
    World().GetBoy()->tank.SetActive(true);
    World().SetWinWhenAllPure(true);
    World().SetPurePowerThreshold(3.0f);
    GameFlow::GetInstance()->SetupWorldForLevel();
    const UniformGrid& grid = *World().GetGrid();
    EXPECT_EQ(grid.GetWidth(), 116);
    EXPECT_EQ(grid.GetHeight(), 116);
    EXPECT_FLOAT_EQ(grid.GetBounds().x0, -8.7625f);
    EXPECT_FLOAT_EQ(grid.GetBounds().x1, 8.7625f);
    EXPECT_FLOAT_EQ(grid.GetBounds().y0, -8.7625f);
    EXPECT_FLOAT_EQ(grid.GetBounds().y1, 8.7625f);
    EXPECT_EQ(World().GetActiveWindowCells(), 19);
    EXPECT_FLOAT_EQ(World().GetActiveWindowSize(), 3.0f);
    EXPECT_EQ(World().GetStore()->GetCount(), 10000);
    EXPECT_FLOAT_EQ(World().GetSimulator()->GetDamping(), 0.9f);
    ASSERT_NE(World().GetMorvoLJFunc(), nullptr);
    EXPECT_FLOAT_EQ(World().GetMorvoLJFunc()->GetRadius(), 0.05f);
    EXPECT_FLOAT_EQ(World().GetMorvoLJFunc()->GetCutoff(), 0.07f);
    EXPECT_FLOAT_EQ(World().GetMorvoLJFunc()->GetStiffness(), 15.0f);
    EXPECT_FLOAT_EQ(World().GetMorvoLJFunc()->GetMaxForce(), 30.0f);
    EXPECT_EQ(World().GetBoy()->position, Vec3());
    EXPECT_FALSE(World().GetBoy()->tank.IsActive());
    EXPECT_FALSE(World().GetWinWhenAllPure());
    EXPECT_FALSE(World().GetWinWhenPurePowerThreshold());
}

// A level whose RAIN_WITHIN trigger watches the cell at (0.12, 0.2), with
// or without a dark and a pure morvo touching there.
std::string RainLevel(const Vec2& cell, bool withContact)
{
    const std::string morvos = withContact ? "<morvo x=\"0.1\" y=\"0.2\" color=\"-1\" power=\"3\"/>"
                                             "<morvo x=\"0.14\" y=\"0.2\" color=\"1\" power=\"3\"/>"
                                           : "";
    return "<MorvoLevel><Boy x=\"0\" y=\"150\" z=\"0\"/><MorvoLayer><Morvos>" + morvos +
           "</Morvos></MorvoLayer><Grid><GridSet name=\"s\"><GridCell x=\"" + std::to_string(static_cast<int>(cell.x)) +
           "\" y=\"" + std::to_string(static_cast<int>(cell.y)) +
           "\"/></GridSet></Grid><TriggerSet><Trigger id=\"rain\" type=\"RAIN_WITHIN\" set=\"s\" "
           "effect=\"WIN\" visible=\"false\" hitpoints=\"0\"/></TriggerSet></MorvoLevel>";
}

TEST_F(GameFlowTest, NextLevelStartsWithoutThePreviousRain)
{
    GameFlow::GetInstance()->SetupWorldForLevel();
    const UniformGrid& grid = *World().GetGrid();
    const Vec2 cell(static_cast<float>(grid.ToCellX(0.12f)), static_cast<float>(grid.ToCellY(0.2f)));
    folder_.Write("one.xml", RainLevel(cell, true));
    folder_.Write("two.xml", RainLevel(cell, false));

    Start("One");
    ASSERT_TRUE(GameFlow::GetInstance()->IsLevelLoaded());
    EXPECT_TRUE(World().GetRainHits().IsEmpty());
    for (int step = 0; step < 3; ++step) {
        World().Update(1.0f / 60.0f, false);
    }
    EXPECT_TRUE(World().GetRainHits().Contains(cell));
    World().GetTriggers().Check();
    EXPECT_TRUE(World().GetTriggers().FindByName("rain")->fired);

    Start("Two");
    ASSERT_TRUE(GameFlow::GetInstance()->IsLevelLoaded());
    EXPECT_TRUE(World().GetRainHits().IsEmpty());
    for (int step = 0; step < 3; ++step) {
        World().Update(1.0f / 60.0f, false);
        World().GetTriggers().Check();
    }
    EXPECT_FALSE(World().GetTriggers().FindByName("rain")->fired) << "no rain fell in this level";
}

TEST_F(GameFlowTest, UnloadWithoutALevelDoesNothing)
{
    RecordingListener listener;
    GameFlow::GetInstance()->AddListener(&listener);
    LogCapture log;
    GameFlow::GetInstance()->UnloadLevel();
    EXPECT_TRUE(listener.events.empty());
    EXPECT_TRUE(log.Lines().empty());
    GameFlow::GetInstance()->RemoveListener(&listener);
}

TEST_F(GameFlowTest, UnloadTearsTheForcesDown)
{
    Start("One");
    World().SetMorvoAttractorFunc(new Attractor(1000.0f, 0.0f, 0.05f, 0.5f));
    GameFlow::GetInstance()->UnloadLevel();
    EXPECT_EQ(World().GetMorvoLJFunc(), nullptr);
    EXPECT_EQ(World().GetMorvoAttractorFunc(), nullptr);
    EXPECT_TRUE(GameFlow::GetInstance()->GetCurrentChapterTitle().empty());
}

TEST_F(GameFlowTest, NextChapterFollowsTheStory)
{
    Start("Missing");
    GameFlow::GetInstance()->RequestNewGame("One");
    GameFlow::GetInstance()->Update();
    GameFlow::GetInstance()->RequestNextChapter();
    LogCapture log;
    GameFlow::GetInstance()->Update();
    EXPECT_TRUE(log.Contains("Switching to next chapter...\n"));
    EXPECT_EQ(GameFlow::GetInstance()->GetCurrentChapterTitle(), "Missing");
    EXPECT_FALSE(GameFlow::GetInstance()->IsLevelLoaded());
    EXPECT_TRUE(log.Contains("WARNING: Could not switch to next chapter."));
    EXPECT_FALSE(GameFlow::GetInstance()->IsStoryMode());

    GameFlow::GetInstance()->RequestNextChapter();
    log.Clear();
    GameFlow::GetInstance()->Update();
    EXPECT_TRUE(log.Contains("  (But we're not in story mode...)\n"));
}

// Chapter after chapter while each one loads: the story goes on to the end.
TEST_F(GameFlowTest, StoryGoesOnChapterAfterChapter)
{
    folder_.Write("missing.xml", kLevel);
    Start("One");
    for (const char* next : {"Missing", "Two"}) {
        GameFlow::GetInstance()->RequestNextChapter();
        GameFlow::GetInstance()->Update();
        EXPECT_EQ(GameFlow::GetInstance()->GetCurrentChapterTitle(), next);
        EXPECT_TRUE(GameFlow::GetInstance()->IsLevelLoaded()) << next;
        EXPECT_TRUE(GameFlow::GetInstance()->IsStoryMode()) << next;
        EXPECT_EQ(GameFlow::GetInstance()->GetInGame(), 1) << next;
    }
}


// A damaged game plan: a chapter it lacks, or one without a level, is named
// in the log and not started; no debug break.
TEST_F(GameFlowTest, ChapterThatCannotStartIsNamedAndNotStarted)
{
    const struct {
        const char* chapter;
        const char* warning;
    } cases[] = {{"Nowhere", "Warning: chapter \"Nowhere\" is not in the game plan.\n"},
                 {"Levelless", "Warning: chapter \"Levelless\" has no level.\n"}};
    for (const auto& c : cases) {
        BreakCounter breaks;
        LogCapture log;
        Start(c.chapter);
        EXPECT_EQ(breaks.Count(), 0) << breaks.LastWhat();
        EXPECT_TRUE(log.Contains(c.warning)) << log.All();
        EXPECT_EQ(GameFlow::GetInstance()->GetInGame(), 0);
        EXPECT_FALSE(GameFlow::GetInstance()->IsLevelLoaded());
        EXPECT_FALSE(GameFlow::GetInstance()->IsStoryMode());
    }
}

TEST_F(GameFlowTest, SecondPendingRequestBreaks)
{
    BreakCounter breaks;
    GameFlow::GetInstance()->RequestNewGame("One");
    GameFlow::GetInstance()->RequestNewGame("Two");
    EXPECT_EQ(breaks.Count(), 1);
    GameFlow::GetInstance()->RequestNextChapter();
    EXPECT_EQ(breaks.Count(), 2);
    GameFlow::GetInstance()->Update();
}

}  // namespace
