// The in-game controls driven through the backend's event translation, as
// the window layer feeds them: editing keys on press, hold or release, the
// cell painter's set, the editor's particle systems, keys during the
// fade-in, menu keys; and the steering point's reach.
#include "ingametest.h"

#include "editingflag.h"
#include "islandmodel.h"
#include "mathutil.h"
#include "messagequeue.h"
#include "morvorecord.h"
#include "morvostore.h"
#include "orbitcamera.h"
#include "particlesystem.h"
#include "triggerset.h"

#include <string>

namespace {

float PowerOfColor(int32_t color)
{
    const MorvoState& state = *GetMorvoWorld().GetStore()->GetCurrentState();
    float power = 0.0f;
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        const MorvoRecord& record = state.Get(i);
        power += record.active != 0 && record.color == color ? record.power : 0.0f;
    }
    return power;
}

struct EditKeyCase {
    const char* name;
    uint8_t key;
    float (*observe)();
    const char* acts;  // per frame: key down, key held, key released; 1 = acted
};

class EditingKeys : public InGameInputTest, public ::testing::WithParamInterface<EditKeyCase> {};

TEST_P(EditingKeys, ActOnDownOrOnRelease)
{
    const EditKeyCase& c = GetParam();
    Play("Plain");
    StartEditing();
    std::string acts;
    for (int frame = 0; frame < 3; ++frame) {
        if (frame != 1) {
            Key(c.key, frame == 0);
        }
        const float before = c.observe();
        Frame(0.02f);
        acts += c.observe() != before ? '1' : '0';
    }
    EXPECT_EQ(acts, c.acts);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditingKeys,
    ::testing::Values(EditKeyCase{"PaintPure", DIK_1, [] { return PowerOfColor(1); }, "110"},
                      EditKeyCase{"PaintNeutral", DIK_2, [] { return PowerOfColor(0); }, "110"},
                      EditKeyCase{"PaintDark", DIK_3, [] { return PowerOfColor(-1); }, "110"},
                      EditKeyCase{"NewCellSet", DIK_7,
                                  [] { return static_cast<float>(GridSetDatabase::GetInstance()->GetCount()); }, "001"},
                      EditKeyCase{"NewTriggerWithParticles", DIK_9,
                                  [] { return static_cast<float>(GetMorvoWorld().GetTriggers().GetCount()); }, "001"},
                      EditKeyCase{"IslandDirt", DIK_D,
                                  [] { return GetMorvoWorld().GetIsland(kIslandVolcano)->IsDirty() ? 1.0f : 0.0f; },
                                  "001"}),
    CaseName());

// A new set may move the stored sets: the painter finds its set by index.
TEST_F(InGameInputTest, CellPainterPaintsTheSetOfItsIndex)
{
    Play("Plain");
    StartEditing();
    Tap(DIK_7);
    ASSERT_EQ(GetToolSet().GetCellPaintTool().GetSetIndex(), 0);
    unsigned int index = 0;
    for (int i = 0; i < 8; ++i) {
        GridSetDatabase::GetInstance()->NewSet(&index);
    }
    Tap(DIK_6);
    EXPECT_EQ(GridSetDatabase::GetInstance()->Get(0)->GetCellCount(), 1);
    Tap(DIK_8);
    ASSERT_EQ(World().GetTriggers().GetCount(), 1);
    EXPECT_EQ(World().GetTriggers().Entries().front().gridSet, 0);
    GridSetDatabase::GetInstance()->Clear();
    Tap(DIK_8);
    EXPECT_EQ(World().GetTriggers().GetCount(), 1);  // no set any more: no trigger
}

// The headless world has no particle texture.
TEST_F(InGameInputTest, ParticleSystemsNeedTheParticleTexture)
{
    Play("Plain");
    StartEditing();
    LogCapture log;
    Tap(DIK_9);
    Tap(DIK_0);
    EXPECT_TRUE(World().GetParticleSystems().empty());
    EXPECT_EQ(World().GetTriggers().GetCount(), 1);  // key 9's trigger comes anyway
    EXPECT_TRUE(
        log.Contains("Warning: no particle texture (\"TempTexture\"); the new particle system is not added.\n"));
}

TEST_F(InGameInputTest, KeysDuringTheFadeInDoNothing)
{
    GameFlow::GetInstance()->RequestNewGame("Plain");
    state_->Enter(-1);
    Key(DIK_ESCAPE, true);
    Frame(kFadeInFrame);
    Key(DIK_ESCAPE, false);
    Frame(kFadeInFrame);
    ASSERT_FALSE(state_->IsFadingIn());
    Frame(0.02f);
    EXPECT_FALSE(state_->IsFadingOut());
    Tap(DIK_ESCAPE);
    EXPECT_EQ(state_->GetTargetState(), StateIndex::kPause);
}

TEST_F(InGameInputTest, MenuKeys)
{
    Play("Plain");
    Tap(DIK_TAB);
    EXPECT_EQ(state_->GetRenderModeCounter(), 2);
    Tap(DIK_TAB);
    EXPECT_EQ(state_->GetRenderModeCounter(), 0);
    Tap(DIK_BACKSLASH);
    EXPECT_EQ(PendingState(), StateIndex::kEditDialog);
    Key(DIK_H, true);
    Frame(0.02f);
    EXPECT_TRUE(state_->IsHelpShown());
    Key(DIK_H, false);
    Frame(0.02f);
    EXPECT_FALSE(state_->IsHelpShown());  // no help file here: it ends at once
    Key(DIK_LCONTROL, true);
    Frame(0.02f);
    Tap(DIK_Q);
    EXPECT_TRUE(Application::GetInstance()->IsQuitting());
    int code = -1;
    EXPECT_TRUE(GetPostedQuitCode(code));
    EXPECT_EQ(code, 0);
}

struct TurnCase {
    const char* name;
    bool invert;
    float pitchDegrees;  // per 10 counts of the mouse towards the user
};

class CameraTurning : public InGameInputTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(CameraTurning, RightButtonTurnsThePitchAndInvertFlipsIt)
{
    Play("Plain");
    state_->SetMouseInvert(GetParam().invert);
    InjectMouseButton(kMouseRight, true);
    Frame(0.02f);  // pressed: not yet held
    const float before = state_->GetCamera()->pitchTarget;
    InjectMouseMotion(0, 10);
    Frame(0.02f);
    EXPECT_NEAR(state_->GetCamera()->pitchTarget - before, DegToRad(GetParam().pitchDegrees), 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Mouse, CameraTurning,
                         ::testing::Values(TurnCase{"Plain", false, 4.0f}, TurnCase{"Inverted", true, -4.0f}),
                         CaseName());

struct SteerCase {
    const char* name;
    float offset, move, expected;  // along one axis
};

class SteeringPoint : public ::testing::TestWithParam<SteerCase> {};

TEST_P(SteeringPoint, RunsAheadPastFiveAndStopsAtTwenty)
{
    const Vec3 result =
        MorvoDemoAppstate::MoveSteeringOffset(Vec3(GetParam().offset, 0.0f, 0.0f), Vec3(GetParam().move, 0.0f, 0.0f));
    EXPECT_NEAR(result.x, GetParam().expected, 1e-5f);
    EXPECT_EQ(result.z, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Reach, SteeringPoint,
                         ::testing::Values(SteerCase{"Near", 1.0f, 2.0f, 3.0f}, SteerCase{"AtFive", 3.0f, 2.0f, 5.0f},
                                           SteerCase{"PastFive", 4.0f, 2.0f, 6.6f},
                                           SteerCase{"HeldAtTwenty", 19.0f, 2.0f, 20.0f},
                                           SteerCase{"BackTowardsTheBoy", 10.0f, -2.0f, 7.2f}),
                         CaseName());

}  // namespace
