// Test fixture for the menu screens and the chapter intro: a small GL window,
// the demo game plan read from the build tree's run folder (its working
// folder), the headless world for the levels the intro loads, an application
// whose table has every index, and the input device fed with made-up
// events through the backend's translation.
#pragma once

#include "world_headless.h"

#include "application.h"
#include "gameplan.h"
#include "gltestsupport.h"
#include "inputdevice.h"
#include "morvodreamstate.h"
#include "morvoendingmenustate.h"
#include "morvoextrastate.h"
#include "morvosaveloadstate.h"
#include "morvostartstate.h"
#include "platforminput.h"
#include "eventinjection.h"
#include "stateindex.h"

#include <unistd.h>

#include <climits>
#include <memory>
#include <string>

class NullState : public AppState {
public:
    void Update(float) override {}
    void Enter(int) override {}
    void Exit(int) override {}
};

// The five menu screens, the title already past its dedication card.
enum class Screen { kTitle, kDream, kEnding, kPause, kExtras };

inline std::unique_ptr<MenuScreen> MakeScreen(Screen screen)
{
    switch (screen) {
        case Screen::kTitle: {
            auto title = std::make_unique<MorvoStartState>();
            title->SetElapsed(MorvoStartState::kDedicationSeconds);
            return title;
        }
        case Screen::kDream:
            return std::make_unique<MorvoDreamState>();
        case Screen::kEnding:
            return std::make_unique<MorvoEndingMenuState>();
        case Screen::kPause:
            return std::make_unique<MorvoSaveLoadState>();
        case Screen::kExtras:
            return std::make_unique<MorvoExtraState>();
    }
    return nullptr;
}

class ScreenTest : public HeadlessWorldTest {
protected:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 192;
    static constexpr float kHalfFade = 0.3f;  // two of these end a fade

    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        ASSERT_TRUE(window_.Open(kWidth, kHeight)) << "no GL window";
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
        oldFolder_ = cwd;
        ASSERT_EQ(chdir((BuildDir() + "/run").c_str()), 0);
        delete GamePlan::FindInstance();
        ASSERT_TRUE(LoadPlan());
        GetPlatformInput().Reset();
        InjectFocus(true);
        InputDevice* input = InputDevice::GetInstance();
        ASSERT_TRUE(input->Init(GfxComponent::GetInstance()->GetWindowHandle()));
        ASSERT_EQ(input->CreateKeyboard(), 1);
        ASSERT_TRUE(input->CreateMouse());
        for (AppState*& entry : table_) {
            entry = &null_;
        }
        Application::GetInstance()->SetStates(table_, StateIndex::kCount);
    }

    void TearDown() override
    {
        GameFlow::GetInstance()->UnloadLevel();
        delete GameFlow::FindInstance();
        delete GamePlan::FindInstance();
        delete Application::FindInstance();
        GetPlatformInput().Reset();
        if (!oldFolder_.empty()) {
            EXPECT_EQ(chdir(oldFolder_.c_str()), 0);
        }
        HeadlessWorldTest::TearDown();
    }

    // The demo game's plan unless a suite has its own.
    virtual bool LoadPlan() { return GamePlan::GetInstance()->Load("../game", "GamePlan.xml"); }

    static int Pending() { return Application::GetInstance()->GetPendingIndex(); }

    NullState null_;
    AppState* table_[StateIndex::kCount] = {};
    std::string oldFolder_;
    gltest::WindowHold window_;
};
