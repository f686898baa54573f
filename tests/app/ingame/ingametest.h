// Test fixture for the in-game state without a window or assets: the
// headless world, a small game plan in a scratch folder (a plain chapter, one
// with win and lose animations, one whose level file is missing), the state
// built and initialised as the start-up does, and its sounds recorded instead
// of played. Shared by the in-game suites.
#pragma once

#include "world_headless.h"

#include "animationdatabase.h"
#include "application.h"
#include "gameplan.h"
#include "gridsetdatabase.h"
#include "inputdevice.h"
#include "messagequeue.h"
#include "morvodemoappstate.h"
#include "platforminput.h"
#include "eventinjection.h"
#include "soundoutput.h"

#include <memory>
#include <string>
#include <vector>

// Every sound call the state makes, in order.
class RecordingSoundOutput : public SoundOutput {
public:
    enum Kind { kSample, kPlayStream, kPauseStream, kStreamVolume };
    struct Call {
        Kind kind;
        int handle;
        int volume;
    };

    void PlaySample(int handle, int volume) override { calls.push_back({kSample, handle, volume}); }
    void PlayStream(int handle) override { calls.push_back({kPlayStream, handle, 0}); }
    void PauseStream(int handle) override { calls.push_back({kPauseStream, handle, 0}); }
    void SetStreamVolume(int handle, int volume) override { calls.push_back({kStreamVolume, handle, volume}); }

    int Count(Kind kind, int handle) const
    {
        int n = 0;
        for (const Call& call : calls) {
            n += call.kind == kind && call.handle == handle ? 1 : 0;
        }
        return n;
    }
    int CountKind(Kind kind) const
    {
        int n = 0;
        for (const Call& call : calls) {
            n += call.kind == kind ? 1 : 0;
        }
        return n;
    }
    // The last volume set on the stream, or kNone.
    static constexpr int kNone = -1000;
    int LastVolume(int handle) const
    {
        int volume = kNone;
        for (const Call& call : calls) {
            if (call.kind == kStreamVolume && call.handle == handle) {
                volume = call.volume;
            }
        }
        return volume;
    }

    std::vector<Call> calls;
};

// Distinct handles in table order: music 0, winds 1-2, turned-pure chimes
// 3-5, thunder 6-12, rain 13-16, consume 17, release 18, level-up 19.
inline InGameSoundHandles NumberedHandles()
{
    InGameSoundHandles h;
    int next = 0;
    h.music = next++;
    h.strongWind = next++;
    h.weakWind = next++;
    for (int& handle : h.turnedPure) {
        handle = next++;
    }
    for (int& handle : h.thunder) {
        handle = next++;
    }
    for (int& handle : h.rain) {
        handle = next++;
    }
    h.consume = next++;
    h.release = next++;
    h.levelUp = next++;
    return h;
}

class InGameTest : public HeadlessWorldTest {
protected:
    static constexpr float kFadeInFrame = 0.3f;  // two of these end the fade-in

    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        ResetTables();
        folder_.Write("level.xml", "<MorvoLevel><Boy x=\"0\" y=\"155\" z=\"0\"/>"
                                   "<MorvoLayer layer=\"0\"><Morvos></Morvos></MorvoLayer></MorvoLevel>\n");
        // One object with keys at 0 and 1 s: a one-second animation.
        const std::string oneSecond = "Object: a\nKeyframe: 0\nEnd\nKeyframe: 1\nEnd\nEnd\n";
        folder_.Write("win.txt", oneSecond);
        folder_.Write("lose.txt", oneSecond);
        folder_.Write("embedded.txt", oneSecond);
        folder_.Write("GamePlan.xml", "<GamePlan><Environment></Environment><Assets></Assets><Story><Title>T</Title>"
                                      "<Chapter><Title>Plain</Title><Level>level.xml</Level></Chapter>"
                                      "<Chapter><Title>Animated</Title><Level>level.xml</Level><WinAnim>" +
                                          folder_.File("win.txt") + "</WinAnim><LoseAnim>" + folder_.File("lose.txt") +
                                          "</LoseAnim></Chapter>"
                                          "<Chapter><Title>Broken</Title><Level>missing.xml</Level></Chapter>"
                                          "</Story></GamePlan>\n");
        ASSERT_TRUE(GamePlan::GetInstance()->Load(folder_.Path().c_str(), "GamePlan.xml"));
        state_ = std::make_unique<MorvoDemoAppstate>();
        state_->Init();
        state_->SetSoundOutput(&sound_);
        // Every index of the game's table is valid; switches are not carried out.
        for (AppState*& entry : table_) {
            entry = state_.get();
        }
        Application::GetInstance()->SetStates(table_, StateIndex::kCount);
    }

    void TearDown() override
    {
        // The numbered handles are not the registry's to free.
        state_->GetSounds().Handles() = InGameSoundHandles();
        GameFlow::GetInstance()->UnloadLevel();
        state_.reset();
        ResetTables();
        HeadlessWorldTest::TearDown();
    }

    static void ResetTables()
    {
        delete GameFlow::FindInstance();
        delete GamePlan::FindInstance();
        delete Application::FindInstance();
        AnimationDatabase::GetInstance()->Clear();
        GridSetDatabase::GetInstance()->Clear();
    }

    // Enters the state, loads the chapter in the first frame and plays
    // through the fade-in; the sounds get numbered handles.
    void Play(const char* chapter)
    {
        GameFlow::GetInstance()->RequestNewGame(chapter);
        state_->Enter(-1);
        Frame(kFadeInFrame);
        Frame(kFadeInFrame);
        state_->GetSounds().Handles() = NumberedHandles();
        sound_.calls.clear();
    }

    // Without a window nothing is presented; the input frame ends all the same.
    void Frame(float dt)
    {
        state_->Update(dt);
        GetPlatformInput().EndFrame();
    }

    int PendingState() const { return Application::GetInstance()->GetPendingIndex(); }

    // The level's sounds do not load without assets: one break each.
    BreakCounter breaks_;
    RecordingSoundOutput sound_;
    TempFolder folder_;
    std::unique_ptr<MorvoDemoAppstate> state_;
    AppState* table_[StateIndex::kCount] = {};
};

// The same with the input device bound and the window focused: keys and
// the mouse reach the state through the backend's event translation.
class InGameInputTest : public InGameTest {
protected:
    void SetUp() override
    {
        InGameTest::SetUp();
        ResetMessageQueue();
        GetPlatformInput().Reset();
        InjectFocus(true);
        InputDevice* input = InputDevice::GetInstance();
        ASSERT_TRUE(input->Init(nullptr));
        ASSERT_EQ(input->CreateKeyboard(), 1);
        ASSERT_TRUE(input->CreateMouse());
        // Both snapshots of the device start empty: nothing an earlier test
        // left held reads as released in this one.
        for (int i = 0; i < 2; ++i) {
            input->PollKeyboard();
            input->PollMouse();
        }
    }
    void TearDown() override
    {
        GetPlatformInput().Reset();
        ResetMessageQueue();
        InGameTest::TearDown();
    }

    void Key(uint8_t dik, bool down) { InjectKey(dik, down); }
    // Down for one frame, up for the next.
    void Tap(uint8_t key)
    {
        Key(key, true);
        Frame(0.02f);
        Key(key, false);
        Frame(0.02f);
    }
    void StartEditing()
    {
        Tap(DIK_BACK);
        ASSERT_TRUE(IsEditingEnabled());
    }
};
