// End-to-end runs of the start-up file's "MouseInvert": in the game, with
// the right button held, pushing the mouse away lowers the camera's pitch,
// or raises it when the file inverts the mouse.
#include "playscript.h"

#include "morvodemoappstate.h"
#include "orbitcamera.h"
#include "stateindex.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

float gPitchBefore = 0.0f;

OrbitCamera* Camera(ScriptDriver& d)
{
    auto* game = dynamic_cast<MorvoDemoAppstate*>(d.State());
    return game != nullptr ? game->GetCamera() : nullptr;
}

struct InvertCase {
    const char* name;
    const char* setting;
    const char* turn;
};

class MouseInvertTest : public ::testing::TestWithParam<InvertCase> {};

TEST_P(MouseInvertTest, TurnsTheCameraPitchTheWayTheStartupFileSays)
{
    PlayFolder folder;
    folder.WriteStartup(std::string("Game: ../game\nScreenWidth: 320\nScreenHeight: 240\nMouseInvert: ") +
                        GetParam().setting + "\n");
    folder.UseDemoGame();
    ScriptDriver script;
    script.AddTitleToChapter(1);
    script.Add(StateIndex::kChapterIntro, 10, [](ScriptDriver& d) { d.Tap(SDL_SCANCODE_SPACE); });
    script.Add(StateIndex::kInGame, kFadeFrames + 5, [](ScriptDriver&) { PlayDriver::Hold(SDL_BUTTON_RIGHT); });
    script.Add(StateIndex::kInGame, 3, [](ScriptDriver& d) {
        gPitchBefore = Camera(d)->pitchTarget;
        PlayDriver::Move(0, -20);
    });
    script.Add(StateIndex::kInGame, 1, [](ScriptDriver& d) {
        std::printf("settings: pitch %s\n", Camera(d)->pitchTarget < gPitchBefore ? "fell" : "rose");
        std::fflush(stdout);
        PlayDriver::Stop();
    });
    const GameRun run = RunGame(folder, &script, 3000);
    ExpectExitAndLines(run, 0,
                       {std::string("MouseInvert: ") + GetParam().setting + "\n",
                        std::string("settings: pitch ") + GetParam().turn + "\n"});
}

INSTANTIATE_TEST_SUITE_P(Startup, MouseInvertTest,
                         ::testing::Values(InvertCase{"Plain", "0", "fell"}, InvertCase{"Inverted", "1", "rose"}),
                         CaseName());

}  // namespace
