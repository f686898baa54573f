// The in-game state's frame without a window: the fixed world step, the
// frame-time cap, judging, fades, messages and the level hooks.
#include "ingametest.h"

#include "attractor.h"
#include "boy.h"
#include "editingflag.h"
#include "gfxcomponent.h"
#include "keyframeanimation.h"
#include "materialmanager.h"
#include "message.h"
#include "messagemanager.h"
#include "morvoljfunc.h"
#include "orbitcamera.h"

#include <string>

namespace {

class InGameFrame : public InGameTest {
protected:
    // Whether the frame took a world step: the step's sounds clear the pair
    // force's rain count.
    bool Steps(float dt)
    {
        MorvoLJFunc* pairForce = World().GetMorvoLJFunc();
        pairForce->rainCount = 1;
        Frame(dt);
        return pairForce->rainCount == 0;
    }

    void Send(int type, int data = 0, int parameter = -1)
    {
        MessageHandle message(new Message(type));
        message->SetData(data);
        if (parameter >= 0) {
            message->AddParameter(parameter);
        }
        MessageManager::GetInstance()->Send(kInGameClientId, message);
    }

    // Frames of 0.05 s until the state starts a fade-out; false after `limit` frames.
    bool PlayUntilFadeOut(int limit)
    {
        for (int i = 0; i < limit && !state_->IsFadingOut(); ++i) {
            Frame(0.05f);
        }
        return state_->IsFadingOut();
    }

    // The level's embedded animations 0 to count - 1 (reading a level empties the table).
    void LoadEmbedded(int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(AnimationDatabase::GetInstance()->Load(folder_.File("embedded.txt"), "a" + std::to_string(i)),
                      static_cast<unsigned int>(i));
        }
    }

    int LevelUps() const { return sound_.Count(RecordingSoundOutput::kSample, NumberedHandles().levelUp); }
};

struct TimingCase {
    const char* name;
    float dt;
    const char* steps;  // per frame from the first playing one: 1 stepped, 0 not
};

class InGameTiming : public InGameFrame, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(InGameTiming, StepsAtMostOncePerFrameAndDropsTheRemainder)
{
    Play("Plain");
    std::string steps;
    for (const char* c = GetParam().steps; *c != '\0'; ++c) {
        steps += Steps(GetParam().dt) ? '1' : '0';
    }
    EXPECT_EQ(steps, GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(Frames, InGameTiming,
                         ::testing::Values(TimingCase{"ThirtyPerSecond", 1.0f / 30.0f, "111111"},
                                           TimingCase{"HundredPerSecond", 0.01f, "101010"},
                                           TimingCase{"ExactlyOneStep", MorvoDemoAppstate::kFixedStep, "101010"},
                                           TimingCase{"FirstFrameEvenWithoutTime", 0.0f, "100000"}),
                         CaseName());

TEST_F(InGameFrame, LongFrameCountsAsTheCapAndRainPositionsLastOneFrame)
{
    Play("Plain");
    LoadEmbedded(1);
    Send(MSG_PLAY_ANIMATION, 0, 0);
    World().GetRainHits().Add(Vec2(3.0f, 4.0f));
    Frame(0.2f);
    EXPECT_FLOAT_EQ(AnimationDatabase::GetInstance()->Get(0)->GetTime(), MorvoDemoAppstate::kMaxFrameTime);
    EXPECT_TRUE(World().GetRainHits().IsEmpty());
}

struct JudgeCase {
    const char* name;
    bool allPure, noDark, noPure, editing;
    int pure, dark;
    int target;    // state the fade-out heads for, -1 for none
    int levelUps;  // samples played in the frame
};

class InGameJudging : public InGameFrame, public ::testing::WithParamInterface<JudgeCase> {};

TEST_P(InGameJudging, RulesAreJudgedInOrderEveryFrame)
{
    const JudgeCase& c = GetParam();
    Play("Plain");
    for (int i = 0; i < c.pure; ++i) {
        World().AddMorvo(0.5f + 0.1f * i, 0.5f, 1, 1.0f);
    }
    for (int i = 0; i < c.dark; ++i) {
        World().AddMorvo(-0.5f - 0.1f * i, 0.5f, -1, 1.0f);
    }
    World().SetWinWhenAllPure(c.allPure);
    World().SetWinWhenNoDarkMorvos(c.noDark);
    World().SetLoseWhenNoPureMorvos(c.noPure);
    SetEditingEnabled(c.editing);
    Frame(0.02f);
    EXPECT_EQ(state_->GetTargetState(), c.target);
    EXPECT_EQ(state_->IsFadingOut(), c.target != -1);
    EXPECT_EQ(LevelUps(), c.levelUps);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, InGameJudging,
    ::testing::Values(JudgeCase{"AllPureWins", true, false, false, false, 2, 0, StateIndex::kLevelSelect, 1},
                      JudgeCase{"AllPureNotMet", true, false, false, false, 2, 1, -1, 0},
                      JudgeCase{"NoDarkWins", false, true, false, false, 1, 0, StateIndex::kLevelSelect, 1},
                      JudgeCase{"NoPureLoses", false, false, true, false, 0, 1, StateIndex::kEndingMenu, 1},
                      JudgeCase{"WinAndLossInOneFrame", true, false, true, false, 0, 0, StateIndex::kLevelSelect, 2},
                      JudgeCase{"NothingWhileEditing", true, true, true, true, 0, 0, -1, 0}),
    CaseName());

TEST_F(InGameFrame, FadeOutGoesToTheFirstTargetAfterHalfASecond)
{
    Play("Plain");
    state_->Leave(StateIndex::kPause);
    state_->Leave(StateIndex::kEndingMenu);
    Frame(0.25f);
    EXPECT_EQ(PendingState(), -1);
    EXPECT_EQ(sound_.LastVolume(NumberedHandles().music), 64);
    Frame(0.3f);
    EXPECT_EQ(PendingState(), StateIndex::kPause);
    state_->Exit(StateIndex::kPause);
    EXPECT_FALSE(state_->IsFadingOut());
    EXPECT_EQ(state_->GetTargetState(), -1);
}

// The music rises from 0 to 128 over the fade-in's half second.
TEST_F(InGameFrame, MusicRisesToHalfLevelDuringTheFadeIn)
{
    GameFlow::GetInstance()->RequestNewGame("Plain");
    state_->Enter(-1);
    Frame(0.125f);  // loads the level
    state_->GetSounds().Handles() = NumberedHandles();
    Frame(0.125f);
    EXPECT_EQ(sound_.LastVolume(NumberedHandles().music), 64);
    Frame(0.125f);
    EXPECT_EQ(sound_.LastVolume(NumberedHandles().music), 96);
}

// Without assets none of the level's nineteen sounds of play loads: each
// is named in the log, and the level plays on without them.
TEST_F(InGameFrame, EverySoundOfPlayThatDoesNotLoadIsReported)
{
    LogCapture log;
    Play("Plain");
    EXPECT_EQ(breaks_.Count(), 0) << breaks_.LastWhat();
    int named = 0;
    for (const std::string& line : log.Lines())
        named += line.rfind("Warning: asset \"", 0) == 0 ? 1 : 0;
    EXPECT_EQ(named, 19) << log.All();
}

TEST_F(InGameFrame, NoLevelSendsBackToTheTitleAtOnce)
{
    state_->Enter(-1);
    Frame(kFadeInFrame);
    Frame(kFadeInFrame);
    EXPECT_EQ(PendingState(), -1);  // still fading in
    Frame(0.01f);
    EXPECT_EQ(PendingState(), StateIndex::kTitle);
}

struct MessageCase {
    const char* name;
    int type;
    int parameter;  // -1: none
    bool handled;
    int target;
    size_t running;
};

class InGameMessages : public InGameFrame, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(InGameMessages, HandlesAnimationsAndTriggerEffects)
{
    const MessageCase& c = GetParam();
    Play("Plain");
    LoadEmbedded(1);
    MessageHandle message(new Message(c.type));
    if (c.parameter >= 0) {
        message->AddParameter(c.parameter);
    }
    EXPECT_EQ(state_->HandleMessage(message), c.handled);
    EXPECT_EQ(state_->GetTargetState(), c.target);
    EXPECT_EQ(state_->GetRunningAnimations().GetCount(), c.running);
}

INSTANTIATE_TEST_SUITE_P(Types, InGameMessages,
                         ::testing::Values(MessageCase{"PlayKnownAnimation", 14, 0, true, -1, 1},
                                           MessageCase{"PlayUnknownAnimation", 14, 5, false, -1, 0},
                                           MessageCase{"PlayWithoutIndex", 14, -1, false, -1, 0},
                                           MessageCase{"Won", 15, -1, true, StateIndex::kLevelSelect, 0},
                                           MessageCase{"Lost", 16, -1, true, StateIndex::kEndingMenu, 0},
                                           MessageCase{"ParticlesOff", 17, -1, false, -1, 0},
                                           MessageCase{"ParticlesOn", 18, -1, false, -1, 0},
                                           MessageCase{"Clean", 19, -1, false, -1, 0}),
                         CaseName());

TEST_F(InGameFrame, FinishedAnimationLeavesTheRunningList)
{
    Play("Plain");
    LoadEmbedded(1);
    Send(MSG_PLAY_ANIMATION, 0, 0);
    for (int i = 0; i < 25; ++i) {
        Frame(0.05f);
    }
    EXPECT_EQ(state_->GetRunningAnimations().GetCount(), 0u);
    EXPECT_FALSE(AnimationDatabase::GetInstance()->Get(0)->IsPlaying());
}

// The edit dialog may empty the database while an animation runs.
TEST_F(InGameFrame, RunningAnimationGoneFromTheDatabaseIsDropped)
{
    Play("Plain");
    LoadEmbedded(1);
    Send(MSG_PLAY_ANIMATION, 0, 0);
    Frame(0.02f);
    ASSERT_EQ(state_->GetRunningAnimations().GetCount(), 1u);
    AnimationDatabase::GetInstance()->Clear();
    Frame(0.02f);
    EXPECT_EQ(state_->GetRunningAnimations().GetCount(), 0u);
}

// Database animations 3 and 4 finishing must not end the win animation.
TEST_F(InGameFrame, WinAnimationEndsOnlyWithItsOwnMessage)
{
    Play("Animated");
    LoadEmbedded(7);
    ASSERT_TRUE(state_->HasWinAnimation());
    World().SetWinWhenAllPure(true);
    Frame(0.05f);
    ASSERT_TRUE(state_->IsWinShown());
    for (int index = 3; index <= 6; ++index) {
        Send(MSG_PLAY_ANIMATION, 0, index);
    }
    Frame(0.05f);
    for (int index = 3; index <= 6; ++index) {
        Send(MSG_ANIMATION_FINISHED, index);
    }
    Frame(0.05f);
    EXPECT_FALSE(state_->IsFadingOut());
    EXPECT_EQ(state_->GetRunningAnimations().GetCount(), 0u);
    EXPECT_EQ(LevelUps(), 0);
    ASSERT_TRUE(PlayUntilFadeOut(30));
    EXPECT_EQ(state_->GetTargetState(), StateIndex::kLevelSelect);
    EXPECT_EQ(LevelUps(), 1);
}

// The ending screen's Return comes back to the same level.
TEST_F(InGameFrame, SecondLossAfterReturningPlaysTheLoseAnimationAgain)
{
    Play("Animated");
    World().SetLoseWhenNoPureMorvos(true);
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(PlayUntilFadeOut(40)) << "round " << round;
        EXPECT_EQ(state_->GetTargetState(), StateIndex::kEndingMenu);
        Frame(0.3f);
        Frame(0.3f);
        state_->Exit(StateIndex::kEndingMenu);
        state_->Enter(StateIndex::kEndingMenu);
        EXPECT_FALSE(state_->IsLoseShown());
        Frame(kFadeInFrame);
        Frame(kFadeInFrame);
    }
    EXPECT_EQ(LevelUps(), 2);
}

TEST_F(InGameFrame, FailedLevelReadBuildsNothingAndUnloadForgetsTheCursor)
{
    const size_t materials = GfxComponent::GetInstance()->materials->GetMaterials().size();
    Play("Broken");
    EXPECT_EQ(state_->GetCamera(), nullptr);
    EXPECT_EQ(World().GetCamera(), nullptr);
    EXPECT_EQ(World().GetMorvoAttractorFunc(), nullptr);
    EXPECT_EQ(GfxComponent::GetInstance()->materials->GetMaterials().size(), materials);

    GameFlow::GetInstance()->RequestNewGame("Plain");
    Frame(0.02f);
    ASSERT_NE(state_->GetCursorMaterial(), nullptr);
    EXPECT_EQ(GfxComponent::GetInstance()->materials->GetMaterials().size(), materials + 1);
    state_->GetSounds().Handles() = InGameSoundHandles();  // the numbered ones are not the registry's
    GameFlow::GetInstance()->UnloadLevel();
    EXPECT_EQ(state_->GetCursorMaterial(), nullptr);
    EXPECT_EQ(state_->GetCamera(), nullptr);
    EXPECT_EQ(GfxComponent::GetInstance()->materials->GetMaterials().size(), materials);
}

TEST_F(InGameFrame, PlayingFrameGoesOnWithoutCursorMaterial)
{
    Play("Plain");
    state_->OnBeforeLevelUnload();  // drops the cursor (and camera) as an unload does
    ASSERT_EQ(state_->GetCursorMaterial(), nullptr);
    Frame(0.02f);
    Frame(0.02f);
    EXPECT_EQ(PendingState(), -1);
}

// The fade-in does not move the camera: its frames show the boy from where
// the load put the new camera, 20 units away at yaw 225 and pitch 30 degrees.
TEST_F(InGameFrame, FadeInShowsTheBoyFromTheStartingOrbit)
{
    GameFlow::GetInstance()->RequestNewGame("Plain");
    state_->Enter(-1);
    Frame(kFadeInFrame);
    ASSERT_TRUE(state_->IsFadingIn());
    const OrbitCamera* camera = state_->GetCamera();
    ASSERT_NE(camera, nullptr);
    const Vec3 boy = World().GetBoy()->position;
    const Vec3 eye = camera->GetEye() - boy;
    EXPECT_NEAR(eye.x, -12.247f, 1e-3f);
    EXPECT_NEAR(eye.y, 10.0f, 1e-3f);
    EXPECT_NEAR(eye.z, 12.247f, 1e-3f);
    const Vec3 seen = camera->GetViewMatrix().TransformPoint(boy);
    EXPECT_NEAR(seen.x, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.y, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.z, -20.0f, 1e-3f);
}

// While steering, the camera looks a share of its distance (20 / 100) of the
// way from the boy to the steering point.
TEST_F(InGameFrame, SteeringCameraLeansTowardTheSteeringPoint)
{
    Play("Plain");
    const Vec3 boy = World().GetBoy()->position;
    World().SetBoyStart(boy + Vec3(10.0f, 0.0f, 0.0f));
    Frame(0.0f);
    const Vec3 seen = state_->GetCamera()->GetViewMatrix().TransformPoint(boy + Vec3(2.0f, 0.0f, 0.0f));
    EXPECT_NEAR(seen.x, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.y, 0.0f, 1e-3f);
}

}  // namespace
