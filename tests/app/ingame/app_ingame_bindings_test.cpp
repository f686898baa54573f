// The in-game controls against their documented figures, driven through the
// backend's event translation: the tank's modifier keys, what each mouse
// button does to the boy and the camera, the wheel's zoom, the turning per
// mouse count, the steering point's direction and the menu keys.
#include "ingametest.h"

#include "attractor.h"
#include "boy.h"
#include "mathutil.h"
#include "morvorecord.h"
#include "morvostore.h"
#include "orbitcamera.h"
#include "powertank.h"
#include "rendermode.h"
#include "toolset.h"

#include <vector>

namespace {

constexpr int kMouseMiddle = 2;

int ActiveMorvos()
{
    const MorvoState& state = *GetMorvoWorld().GetStore()->GetCurrentState();
    int count = 0;
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        count += state.Get(i).active != 0 ? 1 : 0;
    }
    return count;
}
constexpr int kNoCheck = -1;

class InGameBindingsTest : public InGameInputTest {
protected:
    Boy& TheBoy() { return *World().GetBoy(); }
    OrbitCamera& Camera() { return *state_->GetCamera(); }
    bool Attracting() { return World().GetMorvoAttractorFunc()->IsEnabled(); }
    // Pressed in one frame, held from the next.
    void HoldButton(int index)
    {
        InjectMouseButton(index, true);
        Frame(0.02f);
        Frame(0.02f);
    }
};

struct TankCase {
    const char* name;
    std::vector<uint8_t> keys;
    bool active;
    int mode;  // 0 absorb, 1 release; checked while active
    bool attracting;
};

class InGameTankKeys : public InGameBindingsTest, public ::testing::WithParamInterface<TankCase> {};

TEST_P(InGameTankKeys, LeftButtonWithModifiersAndItsRelease)
{
    const TankCase& c = GetParam();
    Play("Plain");
    for (uint8_t key : c.keys) {
        Key(key, true);
    }
    HoldButton(kMouseLeft);
    const PowerTank& tank = TheBoy().tank;
    EXPECT_EQ(tank.IsActive(), c.active);
    if (c.active) {
        EXPECT_EQ(tank.GetMode(), c.mode);
    }
    EXPECT_EQ(Attracting(), c.attracting);
    EXPECT_EQ(TheBoy().GetFlightMode(), 0);
    InjectMouseButton(kMouseLeft, false);
    Frame(0.02f);
    EXPECT_FALSE(tank.IsActive());
    EXPECT_FALSE(Attracting());
}

// The attractor stays at the boy, whatever the buttons.
TEST_F(InGameBindingsTest, AttractorFollowsTheBoy)
{
    Play("Plain");
    for (int frame = 0; frame < 3; ++frame) {
        World().GetMorvoAttractorFunc()->SetCenter(Vec2(5.0f, 5.0f));
        Frame(0.02f);
        const Vec2 centre = World().GetMorvoAttractorFunc()->GetCenter();
        EXPECT_FLOAT_EQ(centre.x, World().GetBoySimPosition().x);
        EXPECT_FLOAT_EQ(centre.y, World().GetBoySimPosition().y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    InGameBindings, InGameTankKeys,
    ::testing::Values(TankCase{"Plain", {}, false, kNoCheck, true},
                      TankCase{"LeftCtrlReleases", {DIK_LCONTROL}, true, 1, false},
                      TankCase{"RightCtrlReleases", {DIK_RCONTROL}, true, 1, false},
                      TankCase{"LeftShiftAbsorbs", {DIK_LSHIFT}, true, 0, true},
                      TankCase{"RightShiftAbsorbs", {DIK_RSHIFT}, true, 0, true},
                      TankCase{"CtrlAndShiftOnlyAttract", {DIK_LCONTROL, DIK_RSHIFT}, false, kNoCheck, true}),
    CaseName());

struct ButtonCase {
    const char* name;
    std::vector<int> buttons;
    bool space;
    bool follows;    // the boy follows the steering point
    int flightMode;  // or kNoCheck
    float distance;  // camera distance target from 40, or kNoCheck
};

class InGameButtons : public InGameBindingsTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(InGameButtons, SetTheBoyAndTheCamera)
{
    const ButtonCase& c = GetParam();
    Play("Plain");
    Camera().distanceTarget = 40.0f;
    Key(DIK_SPACE, c.space);
    for (int button : c.buttons) {
        InjectMouseButton(button, true);
    }
    Frame(0.02f);
    Frame(0.02f);
    EXPECT_EQ(TheBoy().GetFollowTarget(), c.follows);
    if (c.flightMode != kNoCheck) {
        EXPECT_EQ(TheBoy().GetFlightMode(), c.flightMode);
    }
    if (c.distance != kNoCheck) {
        EXPECT_FLOAT_EQ(Camera().distanceTarget, c.distance);
    }
}

INSTANTIATE_TEST_SUITE_P(
    InGameBindings, InGameButtons,
    ::testing::Values(ButtonCase{"Nothing", {}, false, true, kNoCheck, 40.0f},
                      ButtonCase{"SpaceStopsFollowing", {}, true, false, kNoCheck, 40.0f},
                      ButtonCase{"LeftSteers", {kMouseLeft}, false, true, 0, kNoCheck},
                      ButtonCase{"RightTurnsTheCamera", {kMouseRight}, false, true, kNoCheck, 40.0f},
                      ButtonCase{"LeftAndRightStopFollowing", {kMouseLeft, kMouseRight}, false, false, kNoCheck, 40.0f},
                      ButtonCase{"MiddleSwoopsClose", {kMouseMiddle}, false, true, 2, 2.0f}),
    CaseName());

TEST_F(InGameBindingsTest, MiddleButtonReleasedSettles)
{
    Play("Plain");
    HoldButton(kMouseMiddle);
    ASSERT_EQ(TheBoy().GetFlightMode(), 2);
    InjectMouseButton(kMouseMiddle, false);
    Frame(0.02f);
    EXPECT_EQ(TheBoy().GetFlightMode(), 1);
}

// Left button down: the camera keeps its distance for the release and
// looks down at least 30 degrees.
TEST_F(InGameBindingsTest, LeftButtonRemembersTheDistanceAndTiltsTheView)
{
    Play("Plain");
    Camera().pitchTarget = 0.0f;
    InjectMouseButton(kMouseLeft, true);
    Frame(0.02f);
    EXPECT_NEAR(Camera().pitchTarget, DegToRad(30.0f), 1e-5f);
    const float remembered = Camera().savedDistance;
    Camera().distanceTarget = 150.0f;
    InjectMouseButton(kMouseLeft, false);
    Frame(0.02f);
    EXPECT_FLOAT_EQ(Camera().distanceTarget, remembered);
}

struct WheelCase {
    const char* name;
    bool editing;
    float from;
    int notches;  // forward (away from the user) positive
    float to;
};

class InGameWheel : public InGameBindingsTest, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(InGameWheel, ForwardHalvesTheDistanceBackAddsHalf)
{
    const WheelCase& c = GetParam();
    Play("Plain");
    if (c.editing) {
        StartEditing();
    }
    Camera().distanceTarget = c.from;
    GetPlatformInput().AddWheelNotches(c.notches);
    Frame(0.02f);
    EXPECT_FLOAT_EQ(Camera().distanceTarget, c.to);
}

INSTANTIATE_TEST_SUITE_P(InGameBindings, InGameWheel,
                         ::testing::Values(WheelCase{"ForwardZoomsIn", false, 40.0f, 1, 20.0f},
                                           WheelCase{"BackZoomsOut", false, 40.0f, -1, 60.0f},
                                           WheelCase{"StillWheel", false, 40.0f, 0, 40.0f},
                                           WheelCase{"HeldAtTheFarLimit", false, 150.0f, -1, 200.0f},
                                           WheelCase{"HeldAtTheNearLimit", false, 3.0f, 1, 2.0f},
                                           WheelCase{"UnlimitedWhileEditing", true, 150.0f, -1, 225.0f}),
                         CaseName());

struct TurnCase {
    const char* name;
    int button;  // held while the mouse moves
    int dx, dy;  // counts; dy positive towards the user
    float yawDegrees, pitchDegrees;
};

class InGameTurning : public InGameBindingsTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(InGameTurning, DegreesPerMouseCount)
{
    const TurnCase& c = GetParam();
    Play("Plain");
    Camera().pitchTarget = DegToRad(20.0f);
    HoldButton(c.button);
    const float yaw = Camera().yawTarget;
    const float pitch = Camera().pitchTarget;
    InjectMouseMotion(c.dx, c.dy);
    Frame(0.02f);
    EXPECT_NEAR(Camera().yawTarget - yaw, DegToRad(c.yawDegrees), 1e-5f);
    EXPECT_NEAR(Camera().pitchTarget - pitch, DegToRad(c.pitchDegrees), 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(InGameBindings, InGameTurning,
                         ::testing::Values(TurnCase{"RightButtonYaw", kMouseRight, 10, 0, 6.0f, 0.0f},
                                           TurnCase{"RightButtonPitch", kMouseRight, 0, -10, 0.0f, -4.0f},
                                           TurnCase{"SwoopYaw", kMouseMiddle, -10, 0, -6.0f, 0.0f},
                                           TurnCase{"SwoopPitch", kMouseMiddle, 0, 10, 0.0f, 2.0f}),
                         CaseName());

struct SteerCase {
    const char* name;
    int dx, dy;
    float right, forward;  // world units, as the camera sees them
};

class InGameSteering : public InGameBindingsTest, public ::testing::WithParamInterface<SteerCase> {};

// 0.02 world units per count: the mouse to the right moves the point to the
// right of the view, away from the user moves it forward.
TEST_P(InGameSteering, MouseMovesThePointAsTheCameraSeesIt)
{
    const SteerCase& c = GetParam();
    Play("Plain");
    Frame(0.02f);
    Vec3 toward = Camera().GetTarget() - Camera().GetEye();
    toward.y = 0.0f;
    toward.Normalize();
    const Vec3 screenRight = toward.Cross(Vec3(0.0f, 1.0f, 0.0f));
    const Vec3 boy = TheBoy().position;
    World().SetBoyStart(boy);
    InjectMouseMotion(c.dx, c.dy);
    state_->HandleInput(0.02f);  // the boy's flight then pulls the point along
    const Vec3 moved = World().GetBoyStart() - boy;
    EXPECT_NEAR(moved.Dot(screenRight), c.right, 1e-4f);
    EXPECT_NEAR(moved.Dot(toward), c.forward, 1e-4f);
    EXPECT_NEAR(moved.y, 0.0f, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(InGameBindings, InGameSteering,
                         ::testing::Values(SteerCase{"Right", 50, 0, 1.0f, 0.0f}, SteerCase{"Left", -100, 0, -2.0f, 0.0f},
                                           SteerCase{"Away", 0, -50, 0.0f, 1.0f},
                                           SteerCase{"Towards", 0, 100, 0.0f, -2.0f}),
                         CaseName());

TEST_F(InGameBindingsTest, RTogglesTheDebugDrawingAndTabCyclesTheMorvos)
{
    Play("Plain");
    SetDebugDraw(true);
    Tap(DIK_R);
    EXPECT_FALSE(IsDebugDrawOn());
    Tap(DIK_R);
    EXPECT_TRUE(IsDebugDrawOn());
    Tap(DIK_TAB);
    EXPECT_EQ(GetRenderMode(), 2);  // glow
    Tap(DIK_TAB);
    EXPECT_EQ(GetRenderMode(), 0);  // points
}

// Equals grows the brush and Minus shrinks it by 0.125 a second; while
// editing the attractor takes the brush's radius instead of sizing itself.
TEST_F(InGameBindingsTest, BrushKeysSizeTheBrushAndTheAttractorFollows)
{
    Play("Plain");
    EXPECT_TRUE(World().IsAttractorAutoSize());
    StartEditing();
    GetToolSet().SetRadius(0.025f);
    Key(DIK_EQUALS, true);
    Frame(0.04f);
    Frame(0.04f);
    Key(DIK_EQUALS, false);
    EXPECT_NEAR(GetToolSet().GetRadius(), 0.035f, 1e-6f);
    Key(DIK_MINUS, true);
    Frame(0.04f);
    Key(DIK_MINUS, false);
    Frame(0.04f);
    EXPECT_NEAR(GetToolSet().GetRadius(), 0.030f, 1e-6f);
    EXPECT_FALSE(World().IsAttractorAutoSize());
    EXPECT_FLOAT_EQ(World().GetMorvoAttractorFunc()->GetRadius(), GetToolSet().GetRadius());
    Tap(DIK_BACK);
    EXPECT_TRUE(World().IsAttractorAutoSize());
}

// The grave key erases what the 1 key painted on the level's layer.
TEST_F(InGameBindingsTest, GraveErasesPaintedMorvos)
{
    Play("Plain");
    StartEditing();
    Key(DIK_1, true);
    Frame(0.02f);
    Frame(0.02f);
    Key(DIK_1, false);
    Frame(0.02f);
    const int painted = ActiveMorvos();
    ASSERT_GT(painted, 0);
    Key(DIK_GRAVE, true);
    Frame(0.02f);
    Key(DIK_GRAVE, false);
    Frame(0.02f);
    EXPECT_LT(ActiveMorvos(), painted);
}

// While the attractor or the tank works the boy eases to hover height 5,
// 50 times the remaining gap a second.
TEST_F(InGameBindingsTest, AttractingEasesTheBoyToHoverHeightFive)
{
    Play("Plain");
    HoldButton(kMouseLeft);
    TheBoy().SetHoverHeight(3.0f);
    state_->HandleInput(0.01f);
    EXPECT_FLOAT_EQ(TheBoy().GetHoverHeight(), 4.0f);
}

// Shift with the left button sets the attractor's radius to 0.025 once a
// press, so the attractor can grow while the button stays down.
TEST_F(InGameBindingsTest, ShiftResetsTheAttractorOncePerPress)
{
    Play("Plain");
    Key(DIK_LSHIFT, true);
    HoldButton(kMouseLeft);
    AttractorBase* attractor = World().GetMorvoAttractorFunc();
    attractor->SetRadius(0.1f);
    state_->HandleInput(0.02f);
    EXPECT_FLOAT_EQ(attractor->GetRadius(), 0.1f);
    Key(DIK_LSHIFT, false);
    state_->HandleInput(0.02f);
    Key(DIK_LSHIFT, true);
    state_->HandleInput(0.02f);
    EXPECT_FLOAT_EQ(attractor->GetRadius(), 0.025f);
}

// While attracting, the camera stays far enough back for the attractor
// (its size x 200 world units) to fill at most 0.3 of the distance.
TEST_F(InGameBindingsTest, CameraBacksOffToSeeTheWholeAttractor)
{
    Play("Plain");
    HoldButton(kMouseLeft);
    World().GetMorvoAttractorFunc()->SetRadius(0.05f);
    Camera().distanceTarget = 3.0f;
    state_->HandleInput(0.02f);
    EXPECT_NEAR(Camera().distanceTarget, 0.05f * 0.5f * 200.0f / 0.3f, 1e-3f);
}

// After a level loads: the attractor of strength 1000, radius 0.05 and
// ratio 0.5 whose idle size is 0.05, and the brush of 0.025.
TEST_F(InGameBindingsTest, LevelLoadBuildsTheAttractorAndTheBrush)
{
    Play("Plain");
    const auto* attractor = dynamic_cast<const Attractor*>(World().GetMorvoAttractorFunc());
    ASSERT_NE(attractor, nullptr);
    EXPECT_FLOAT_EQ(attractor->GetStrength(), 1000.0f);
    EXPECT_FLOAT_EQ(attractor->GetRatio(), 0.5f);
    EXPECT_FLOAT_EQ(attractor->GetRadius(), 0.05f);
    EXPECT_FLOAT_EQ(World().GetAttractorBaseSize(), 0.05f);
    EXPECT_FLOAT_EQ(GetToolSet().GetRadius(), 0.025f);
}

struct MenuKeyCase {
    const char* name;
    uint8_t key;
    int state;
};

class InGameMenuKeys : public InGameBindingsTest, public ::testing::WithParamInterface<MenuKeyCase> {};

TEST_P(InGameMenuKeys, FadeToTheirScreen)
{
    Play("Plain");
    Tap(GetParam().key);
    EXPECT_TRUE(state_->IsFadingOut());
    EXPECT_EQ(state_->GetTargetState(), GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(InGameBindings, InGameMenuKeys,
                         ::testing::Values(MenuKeyCase{"EscapePauses", DIK_ESCAPE, 3},
                                           MenuKeyCase{"KEndsTheLevel", DIK_K, 4}),
                         CaseName());

}  // namespace
