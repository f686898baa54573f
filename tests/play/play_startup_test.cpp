// End-to-end runs of the start-up failures: each ends with exit code 1 and
// its exact message before any window is made; the end by closing the
// window; and the title music reaching the sound output.
#include "playharness.h"

#include "audiomixer.h"
#include "soundregistry.h"
#include "stateindex.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

class NoPlayer : public PlayDriver {
public:
    void Frame() override {}
};

struct StartupFailure {
    const char* name;
    const char* startup;  // null: no start-up file
    const char* plan;     // null: the demo game
    std::string message;
};

class StartupFailureTest : public ::testing::TestWithParam<StartupFailure> {};

TEST_P(StartupFailureTest, EndsWithItsMessageAndNoWindow)
{
    const StartupFailure& c = GetParam();
    PlayFolder folder;
    if (c.startup != nullptr) {
        folder.WriteStartup(c.startup);
    }
    folder.UseDemoGame();
    if (c.plan != nullptr) {
        folder.WriteGameFile("GamePlan.xml", c.plan);
    }
    NoPlayer player;
    const GameRun run = RunGame(folder, &player, 1);
    ExpectExitAndLines(run, 1, {c.message, "harness window: no\n"});
    EXPECT_EQ(run.output.find("ScreenWidth"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Startup, StartupFailureTest,
    ::testing::Values(StartupFailure{"NoStartupFile", nullptr, nullptr,
                                     "Could not load startup file \"Bios.txt\"\n"
                                     "Error: Could not load startup file \"Bios.txt\".\n"},
                      StartupFailure{"NoGameEntry", "ScreenWidth: 320\nScreenHeight: 240\n", nullptr,
                                     "Error: Bios_debug.txt must specify a 'Game:' entry.\n"},
                      StartupFailure{"EmptyGameEntry", "Game:\nScreenWidth: 320\n", nullptr,
                                     "Error: Bios_debug.txt must specify a 'Game:' entry.\n"},
                      StartupFailure{"BrokenGamePlan", "Game: ../game\nScreenWidth: 320\nScreenHeight: 240\n",
                                     "<GamePlan><Environment></Environment><Story></Story></GamePlan>\n",
                                     "Error: Error loading game \"../game\".\n"},
                      StartupFailure{"UnreadableGamePlan", "Game: ../game\n", "<GamePlan><Environment>",
                                     "Error: Error loading game \"../game\".\n"}),
    CaseName());

// Without a display (none named, or one nobody answers at) the game says so
// and ends with code 1, trying no window.
struct NoDisplay {
    const char* name;
    const char* display;  // null: unset
};

class NoDisplayTest : public ::testing::TestWithParam<NoDisplay> {};

TEST_P(NoDisplayTest, EndsWithItsReasonAndCodeOne)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(320, 240));
    folder.UseDemoGame();
    const std::string display = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
    if (GetParam().display == nullptr) {
        unsetenv("DISPLAY");
    } else {
        setenv("DISPLAY", GetParam().display, 1);
    }
    unsetenv("WAYLAND_DISPLAY");
    NoPlayer player;
    const GameRun run = RunGame(folder, &player, 1);
    setenv("DISPLAY", display.c_str(), 1);
    ExpectExitAndLines(run, 1,
                       {"no display: set DISPLAY, or run under a desktop\n",
                        "Error: Error creating graphics window.\n", "harness window: no\n"});
    for (const char* noise : {"Single-buffered", "PixelFormat"}) {
        EXPECT_EQ(run.output.find(noise), std::string::npos) << run.output;
    }
    if (GetParam().display == nullptr) {
        EXPECT_EQ(run.output.find("XDG_RUNTIME_DIR"), std::string::npos) << run.output;
    }
}

INSTANTIATE_TEST_SUITE_P(PlayTest, NoDisplayTest,
                         ::testing::Values(NoDisplay{"Unset", nullptr}, NoDisplay{"NobodyAnswers", ":4242"}),
                         CaseName());

// Closing the window on the title screen ends the program with code 0.
class WindowCloser : public PlayDriver {
public:
    void Frame() override
    {
        if (FrameNumber() == kFadeFrames) {
            SDL_Event event;
            SDL_zero(event);
            event.type = SDL_WINDOWEVENT;
            event.window.event = SDL_WINDOWEVENT_CLOSE;
            Push(event);
        }
    }
};

TEST(PlayTest, ClosingTheWindowEndsWithCodeZero)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(320, 240));
    folder.UseDemoGame();
    WindowCloser closer;
    const GameRun run = RunGame(folder, &closer, 10 * kFadeFrames);
    ExpectExitAndLines(run, 0, {"Entering MorvoStartState\n", "Exiting MorvoStartState\n", "harness window: yes\n"});
    EXPECT_EQ(run.output.find("harness:"), std::string::npos) << run.output;
}

// On the title screen, after its fade-in: the sound output runs, and the
// title music keeps coming out of the mixer past what was decoded when it
// started (the start-up opened the sound library).
class MusicListener : public PlayDriver {
public:
    void Frame() override
    {
        if (CurrentState() != StateIndex::kTitle || FramesInState() != kFadeFrames + 2) {
            return;
        }
        std::printf("sound: output %s\n", SDL_WasInit(SDL_INIT_AUDIO) != 0 ? "open" : "closed");
        constexpr int kBlockFrames = 4096;
        std::vector<float> block(2 * kBlockFrames);
        float peak = 0.0f;
        for (int i = 0; i < 12; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            SoundRegistry::GetInstance()->Mixer().Render(block.data(), kBlockFrames);
            peak = 0.0f;
            for (float value : block) {
                peak = std::max(peak, std::fabs(value));
            }
        }
        std::printf("sound: music after a second %s\n", peak > 0.01f ? "plays" : "silent");
        Stop();
    }
};

TEST(PlayTest, TitleMusicIsHeard)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(320, 240));
    folder.UseDemoGame();
    MusicListener listener;
    const GameRun run = RunGame(folder, &listener, 10 * kFadeFrames);
    ExpectExitAndLines(run, 0, {"sound: output open\n", "sound: music after a second plays\n"});
}

}  // namespace
