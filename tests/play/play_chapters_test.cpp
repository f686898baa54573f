// End-to-end runs of the four Daydream chapters, played the way a newcomer
// plays: each is chosen on the level select, its intro skipped, and won
// through the real game loop by the pilot that sees only the screen, within
// five minutes of game time; the game then returns to the level select.
// The first playable frame is judged too: the boy and the island are not
// lost in one white glare.
#include "screenpilot.h"

#include "stateindex.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Small, yet large enough for the pointer to reach the lowest button.
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kMaxFrames = 20000;
// What a newcomer would accept: won within five minutes of game time.
constexpr double kNewcomerSeconds = 300.0;
// Of the first playable frame, at most this share may be near white.
constexpr double kMostWhite = 0.15;

struct ChapterCase {
    const char* name;
    int button;     // on the level select
    unsigned prey;  // what the chapter asks to convert: ScreenPilot::kGrey, kDark
};

// The number printed after `line` in the run's output; -1 when missing.
double PrintedFigure(const GameRun& run, const std::string& line)
{
    const size_t at = run.output.find(line);
    return at == std::string::npos ? -1.0 : std::atof(run.output.c_str() + at + line.size());
}

class ChapterPlayTest : public ::testing::TestWithParam<ChapterCase> {};

TEST_P(ChapterPlayTest, IsWonFromWhatIsOnTheScreenAndReturnsToTheLevelSelect)
{
    const ChapterCase& c = GetParam();
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame();
    ScreenPilot pilot(c.prey, std::string("firstframe-") + c.name + ".tga");
    pilot.AddTitleToChapter(c.button);
    pilot.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    pilot.Add(StateIndex::kLevelSelect, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_Q); });

    const GameRun run = RunGame(folder, &pilot, kMaxFrames);
    const double white = PrintedFigure(run, ScreenPilot::kWhiteShareLine);
    const double won = PrintedFigure(run, ScreenPilot::kWonLine);
    std::printf("%s: first frame %.1f%% near white, won after %.1f s\n", c.name, white * 100.0, won);
    EXPECT_GE(white, 0.0);
    EXPECT_LT(white, kMostWhite);
    EXPECT_GT(won, 0.0);
    EXPECT_LE(won, kNewcomerSeconds);
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
                         ::testing::Values(ChapterCase{"Daydream1", 1, ScreenPilot::kGrey},
                                           ChapterCase{"Daydream2", 2, ScreenPilot::kDark},
                                           ChapterCase{"Daydream3", 3, ScreenPilot::kDark},
                                           ChapterCase{"Daydream4", 4, ScreenPilot::kGrey | ScreenPilot::kDark}),
                         CaseName());

}  // namespace
