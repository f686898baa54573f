// End-to-end runs through the menus: a whole tour from the title into a
// chapter, the pause and ending screens and out; the credits and an extra
// chapter; a level won without input; a chapter whose level file is missing.
#include "playscript.h"

#include "stateindex.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kMaxFrames = 6000;

// Buttons by their hover index: the title's Credits; the level select's
// Daydream 1, Daydream 2 and Extras; the extras screen's second chapter.
constexpr int kCredits = 1;
constexpr int kDaydream1 = 1;
constexpr int kDaydream2 = 2;
constexpr int kExtras = 5;
constexpr int kExtra2 = 2;

void ExpectCleanLog(const GameRun& run)
{
    for (const char* bad : {"Warning: asset", "Unable to find or open", "ERROR", "DEBUG BREAK", "harness:"}) {
        EXPECT_EQ(run.output.find(bad), std::string::npos) << bad << " in:\n" << run.output;
    }
}

// The demo plan with Daydream 1's level file replaced.
std::string WithFirstLevel(std::string plan, const std::string& level)
{
    const std::string old = "<Level>levels/daydreamone.xml</Level>";
    const size_t at = plan.find(old);
    if (at != std::string::npos) {
        plan.replace(at, old.size(), "<Level>" + level + "</Level>");
    }
    return plan;
}

TEST(PlayTest, TitleToChapterPauseEndingAndQuit)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame();
    ScriptDriver script;
    script.Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    script.Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) {
        d.SaveFrame("title.tga");
        d.PointAt(0);
    });
    // Start takes a click shorter than a frame.
    script.Add(StateIndex::kTitle, 2, [](ScriptDriver& d) { d.QuickClick(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kLevelSelect, kFadeFrames, [](ScriptDriver& d) { d.PointAt(kDaydream1); });
    script.Add(StateIndex::kLevelSelect, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    script.Add(StateIndex::kInGame, 3 * kFadeFrames, [](ScriptDriver& d) {
        d.SaveFrame("level.tga");
        d.Tap(SDL_SCANCODE_ESCAPE);
    });
    script.Add(StateIndex::kPause, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_RETURN); });
    script.Add(StateIndex::kInGame, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_K); });
    script.Add(StateIndex::kEndingMenu, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_ESCAPE); });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0, {"harness window: yes\n"});
    EXPECT_TRUE(run.HasInOrder({
        "Entering MorvoStartState\n",
        "Switching State.\n",
        "Exiting MorvoStartState\n",
        "Entering MorvoDreamState\n",
        "Switching State.\n",
        "Exiting MorvoDreamState\n",
        "Starting new game from chapter Daydream1...\n",
        "Reading morvo level file \"../game/levels/daydreamone.xml\"...\n",
        "Switching State.\n",
        "Entering MorvoDemoAppstate\n",
        "Exiting MorvoDemoAppstate\n",
        "Entering MorvoSaveLoadState\n",
        "Switching State.\n",
        "Exiting MorvoSaveLoadState\n",
        "Entering MorvoDemoAppstate\n",
        "Exiting MorvoDemoAppstate\n",
        "Entering MorvoEndingMenuState\n",
        "Exiting MorvoEndingMenuState\n",
    })) << run.output;
    ExpectCleanLog(run);
}

TEST(PlayTest, CreditsAndAnExtraChapterStartFromTheirScreens)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame();
    ScriptDriver script;
    script.Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    script.Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) { d.PointAt(kCredits); });
    script.Add(StateIndex::kTitle, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kInGame, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_ESCAPE); });
    script.Add(StateIndex::kPause, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_M); });
    script.Add(StateIndex::kTitle, kFadeFrames, [](ScriptDriver& d) { d.PointAt(0); });
    script.Add(StateIndex::kTitle, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kLevelSelect, kFadeFrames, [](ScriptDriver& d) { d.PointAt(kExtras); });
    script.Add(StateIndex::kLevelSelect, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kExtras, kFadeFrames, [](ScriptDriver& d) { d.PointAt(kExtra2); });
    script.Add(StateIndex::kExtras, 2, [](ScriptDriver& d) { d.Click(SDL_BUTTON_LEFT); });
    script.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_RETURN); });
    script.Add(StateIndex::kInGame, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_K); });
    script.Add(StateIndex::kEndingMenu, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_ESCAPE); });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0,
                       {
                           "Starting new game from chapter Credits...\n",
                           "Entering MorvoDemoAppstate\n",
                           "Entering MorvoSaveLoadState\n",
                           "Entering MorvoStartState\n",
                           "Entering MorvoDreamState\n",
                           "Entering MorvoExtraState\n",
                           "Starting new game from chapter DayDream2...\n",
                           "Entering MorvoDemoAppstate\n",
                           "Entering MorvoEndingMenuState\n",
                       });
    ExpectCleanLog(run);
}

TEST(PlayTest, LevelWithoutMorvosIsWonWithoutInput)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame([](std::string plan) { return WithFirstLevel(plan, "empty.xml"); });
    folder.WriteGameFile("empty.xml", "<?xml version=\"1.0\" ?>\n<MorvoLevel>\n"
                                      "    <Boy x=\"0\" y=\"155\" z=\"0\" />\n    <WinWhenAllPure />\n"
                                      "    <MorvoLayer layer=\"0\">\n        <Morvos />\n    </MorvoLayer>\n"
                                      "</MorvoLevel>\n");
    ScriptDriver script;
    script.AddTitleToChapter(kDaydream1);
    script.Add(StateIndex::kInGame, 1, [](ScriptDriver&) {});
    script.Add(StateIndex::kLevelSelect, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_Q); });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0,
                       {
                           "Starting new game from chapter Daydream1...\n",
                           "Entering MorvoDemoAppstate\n",
                           "Exiting MorvoDemoAppstate\n",
                           "Entering MorvoDreamState\n",
                       });
    EXPECT_EQ(run.output.find("Entering MorvoEndingMenuState"), std::string::npos);
    ExpectCleanLog(run);
}

TEST(PlayTest, MissingLevelGoesBackToTheTitleAndTheNextChapterStarts)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame([](std::string plan) { return WithFirstLevel(plan, "missing.xml"); });
    ScriptDriver script;
    script.AddTitleToChapter(kDaydream1);
    script.Add(StateIndex::kChapterIntro, 1, [](ScriptDriver&) {});
    script.AddTitleToChapter(kDaydream2);
    script.Add(StateIndex::kInGame, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_K); });
    script.Add(StateIndex::kEndingMenu, kFadeFrames, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_ESCAPE); });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0,
                       {
                           "Starting new game from chapter Daydream1...\n",
                           "Failed to start new game!\n",
                           "Entering MorvoStartState\n",
                           "Starting new game from chapter Daydream2...\n",
                           "Reading morvo level file \"../game/levels/daydreamtwo.xml\"...\n",
                           "Entering MorvoDemoAppstate\n",
                           "Entering MorvoEndingMenuState\n",
                       });
    EXPECT_EQ(run.output.find("DEBUG BREAK"), std::string::npos) << run.output;
}

}  // namespace
