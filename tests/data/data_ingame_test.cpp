// The in-game state on the demo data under a real GL window: the first
// chapter loads with its music, every sound of play, its win and lose
// animations, the cursor and the overlays, and plays and draws a second of
// frames without a violated precondition. The last frame is saved as
// <build>/demoingame.tga.
#include "data_files.h"

#include "animatedmaterial.h"
#include "application.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gltestsupport.h"
#include "morvodemoappstate.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "testsupport.h"
#include "tgafile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kWidth = kDataWindowWidth;
constexpr int kHeight = kDataWindowHeight;

TEST(DemoInGame, FirstChapterLoadsEverythingAndPlays)
{
    if (!gltest::EnsureWindow(kWidth, kHeight)) {
        GTEST_SKIP() << "no GL window";
    }
    ASSERT_TRUE(DemoPlan()->IsLoaded());
    GetMorvoWorld().Release();
    BreakCounter breaks;
    ASSERT_TRUE(GetMorvoWorld().Init());
    {
        MorvoDemoAppstate state;
        AppState* table[StateIndex::kCount];
        for (AppState*& entry : table) {
            entry = &state;
        }
        Application::GetInstance()->SetStates(table, StateIndex::kCount);
        EXPECT_TRUE(state.Init());
        GameFlow::GetInstance()->RequestNewGame("Daydream1");
        state.Enter(-1);
        for (int frame = 0; frame < 60; ++frame) {
            state.Update(1.0f / 60.0f);
        }
        EXPECT_EQ(breaks.Count(), 0) << breaks.LastWhat();
        EXPECT_FALSE(state.IsFadingIn());
        EXPECT_EQ(Application::GetInstance()->GetPendingIndex(), -1);
        EXPECT_GT(state.GetHelpAnimation().GetDuration(), 0.0f);
        EXPECT_TRUE(state.HasWinAnimation());
        EXPECT_GT(state.GetWinAnimation().GetDuration(), 0.0f);
        ASSERT_NE(state.GetCursorMaterial(), nullptr);
        EXPECT_GT(state.GetCursorMaterial()->GetFrameCount(), 0);
        ASSERT_NE(state.GetCamera(), nullptr);
        EXPECT_EQ(GetMorvoWorld().GetCamera(), state.GetCamera());
        const InGameSoundHandles& h = state.GetSounds().Handles();
        std::vector<int> handles = {h.music, h.strongWind, h.weakWind, h.consume, h.release, h.levelUp};
        handles.insert(handles.end(), std::begin(h.turnedPure), std::end(h.turnedPure));
        handles.insert(handles.end(), std::begin(h.thunder), std::end(h.thunder));
        handles.insert(handles.end(), std::begin(h.rain), std::end(h.rain));
        for (int handle : handles) {
            EXPECT_GE(handle, 0);
        }

        std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, 0x80E1 /* GL_BGRA */, GL_UNSIGNED_BYTE, pixels.data());
        EXPECT_TRUE(TgaFile().Write(pixels.data(), kWidth, kHeight, (BuildDir() + "/demoingame.tga").c_str(), false));

        GameFlow::GetInstance()->UnloadLevel();
        EXPECT_EQ(state.GetSounds().Handles().levelUp, -1);
        state.Exit(-1);
    }
    delete Application::FindInstance();
    GetMorvoWorld().Release();
}

}  // namespace
