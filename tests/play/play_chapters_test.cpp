// End-to-end runs of the four Daydream chapters: each is chosen on the
// level select, its intro skipped, and won through the real game loop by
// the closed-loop pilot; the game then returns to the level select.
#include "playpilot.h"

#include "stateindex.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Small, yet large enough for the pointer to reach the lowest button.
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kMaxFrames = 20000;

struct ChapterCase {
    const char* name;
    int button;  // on the level select
    std::vector<std::pair<float, float>> clouds;
};

class ChapterPlayTest : public ::testing::TestWithParam<ChapterCase> {};

TEST_P(ChapterPlayTest, IsWonByThePilotAndReturnsToTheLevelSelect)
{
    const ChapterCase& c = GetParam();
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame();
    PilotDriver pilot;
    pilot.PlanVisits(c.clouds);
    pilot.AddTitleToChapter(c.button);
    pilot.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    pilot.Add(StateIndex::kLevelSelect, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_Q); });

    const GameRun run = RunGame(folder, &pilot, kMaxFrames);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.HasInOrder({
        std::string("Starting new game from chapter ") + c.name + "...\n",
        "Entering MorvoDemoAppstate\n",
        "Exiting MorvoDemoAppstate\n",
        "Entering MorvoDreamState\n",
    })) << run.output.substr(run.output.size() > 3000 ? run.output.size() - 3000 : 0);
    EXPECT_EQ(run.output.find("Entering MorvoEndingMenuState"), std::string::npos);
    EXPECT_EQ(run.output.find("harness:"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Daydreams, ChapterPlayTest,
                         ::testing::Values(ChapterCase{"Daydream1", 1, {{390, 280}, {300, 470}, {130, 360}}},
                                           ChapterCase{"Daydream2", 2, {{-530, 470}, {-470, 660}, {-600, 640}}},
                                           ChapterCase{"Daydream3", 3, {{-450, -420}}},
                                           ChapterCase{
                                               "Daydream4", 4, {{700, -110}, {610, -360}, {720, -480}, {480, 100}}}),
                         CaseName());

}  // namespace
