// The input device over the window layer's input state: the double-buffered
// key and mouse snapshots, the four queries, lost devices and range checks.
#include <gtest/gtest.h>

#include "dikeys.h"
#include "eventinjection.h"
#include "inputdevice.h"
#include "platforminput.h"
#include "testsupport.h"

namespace {

class InputDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { GetPlatformInput().Reset(); }
    void TearDown() override { GetPlatformInput().Reset(); }

    PlatformInput& Platform() { return GetPlatformInput(); }

    // A device bound and with both devices created, window focused.
    void Bind()
    {
        Platform().SetFocus(true);
        ASSERT_TRUE(device_.Init(nullptr));
        ASSERT_EQ(device_.CreateKeyboard(), 1);
        ASSERT_TRUE(device_.CreateMouse());
    }

    InputDevice device_;
};

struct Queries {
    bool pressed, down, held, released;
};

void ExpectKey(const InputDevice& device, int key, Queries expected, const char* when)
{
    EXPECT_EQ(device.IsKeyPressed(key), expected.pressed) << when;
    EXPECT_EQ(device.IsKeyDown(key), expected.down) << when;
    EXPECT_EQ(device.IsKeyHeld(key), expected.held) << when;
    EXPECT_EQ(device.IsKeyReleased(key), expected.released) << when;
}

void ExpectButton(const InputDevice& device, int button, Queries expected, const char* when)
{
    EXPECT_EQ(device.IsMouseButtonPressed(button), expected.pressed) << when;
    EXPECT_EQ(device.IsMouseButtonDown(button), expected.down) << when;
    EXPECT_EQ(device.IsMouseButtonHeld(button), expected.held) << when;
    EXPECT_EQ(device.IsMouseButtonReleased(button), expected.released) << when;
}

TEST_F(InputDeviceTest, FreshDeviceReadsEverythingUp)
{
    for (int key = 0; key < kKeyCount; ++key) {
        ExpectKey(device_, key, {false, false, false, false}, "fresh");
    }
    int dx = 1, dy = 1, dz = 1;
    device_.GetMouseDelta(dx, dy, dz);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    EXPECT_EQ(dz, 0);
}

TEST_F(InputDeviceTest, KeyIsPressedThenHeldThenReleasedOnce)
{
    Bind();
    Platform().SetKey(DIK_H, true);
    device_.PollKeyboard();
    ExpectKey(device_, DIK_H, {true, true, false, false}, "first poll down");
    device_.PollKeyboard();
    ExpectKey(device_, DIK_H, {false, true, true, false}, "second poll down");
    Platform().SetKey(DIK_H, false);
    device_.PollKeyboard();
    ExpectKey(device_, DIK_H, {false, false, false, true}, "first poll up");
    device_.PollKeyboard();
    ExpectKey(device_, DIK_H, {false, false, false, false}, "second poll up");
}

TEST_F(InputDeviceTest, TwoPollsWithoutQueryLoseTheEdge)
{
    Bind();
    Platform().SetKey(DIK_SPACE, true);
    device_.PollKeyboard();
    device_.PollKeyboard();
    EXPECT_FALSE(device_.IsKeyPressed(DIK_SPACE));
    EXPECT_TRUE(device_.IsKeyHeld(DIK_SPACE));
}

TEST_F(InputDeviceTest, KeyboardReadsInTheBackground)
{
    Bind();
    Platform().SetKey(DIK_Q, true);
    Platform().SetFocus(false);  // focus loss releases every key
    Platform().SetKey(DIK_Q, true);
    device_.PollKeyboard();
    EXPECT_TRUE(device_.IsKeyDown(DIK_Q));
}

TEST_F(InputDeviceTest, PollWithoutDeviceGivesAllUpSnapshot)
{
    Platform().SetFocus(true);
    Platform().SetKey(DIK_ESCAPE, true);
    device_.PollKeyboard();
    device_.PollMouse();
    EXPECT_FALSE(device_.IsKeyDown(DIK_ESCAPE));
    EXPECT_FALSE(device_.IsMouseButtonDown(0));
}

struct OutOfRange {
    const char* name;
    int value;
};

class KeyOutOfRange : public InputDeviceTest, public ::testing::WithParamInterface<OutOfRange> {};

TEST_P(KeyOutOfRange, BreaksAndAnswersFalse)
{
    Bind();
    BreakCounter breaks;
    const int key = GetParam().value;
    EXPECT_FALSE(device_.IsKeyPressed(key));
    EXPECT_FALSE(device_.IsKeyDown(key));
    EXPECT_FALSE(device_.IsKeyHeld(key));
    EXPECT_FALSE(device_.IsKeyReleased(key));
    EXPECT_EQ(breaks.Count(), 4);
}

INSTANTIATE_TEST_SUITE_P(InputDevice, KeyOutOfRange,
                         ::testing::Values(OutOfRange{"OneBeyondTheKeys", 256}, OutOfRange{"Negative", -1},
                                           OutOfRange{"Huge", 100000}),
                         CaseName());

class ButtonOutOfRange : public InputDeviceTest, public ::testing::WithParamInterface<OutOfRange> {};

TEST_P(ButtonOutOfRange, BreaksAndAnswersFalse)
{
    Bind();
    BreakCounter breaks;
    const int button = GetParam().value;
    EXPECT_FALSE(device_.IsMouseButtonPressed(button));
    EXPECT_FALSE(device_.IsMouseButtonDown(button));
    EXPECT_FALSE(device_.IsMouseButtonHeld(button));
    EXPECT_FALSE(device_.IsMouseButtonReleased(button));
    EXPECT_EQ(breaks.Count(), 4);
}

INSTANTIATE_TEST_SUITE_P(InputDevice, ButtonOutOfRange,
                         ::testing::Values(OutOfRange{"OneBeyondTheButtons", 4}, OutOfRange{"Negative", -1},
                                           OutOfRange{"Large", 255}),
                         CaseName());

TEST_F(InputDeviceTest, HighestKeyAndButtonAreInRange)
{
    Bind();
    BreakCounter breaks;
    Platform().SetKey(0xFF, true);
    Platform().SetMouseButton(3, true);
    device_.PollKeyboard();
    device_.PollMouse();
    EXPECT_TRUE(device_.IsKeyPressed(0xFF));
    EXPECT_TRUE(device_.IsMouseButtonPressed(3));
    EXPECT_EQ(breaks.Count(), 0);
}

TEST_F(InputDeviceTest, MouseDeltaIsMotionSinceThePreviousPoll)
{
    Bind();
    Platform().AddMouseMotion(5, -3);
    Platform().AddWheelNotches(1);
    device_.PollMouse();
    int dx, dy, dz;
    device_.GetMouseDelta(dx, dy, dz);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, -3);
    EXPECT_EQ(dz, 120);
    device_.PollMouse();
    device_.GetMouseDelta(dx, dy, dz);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    EXPECT_EQ(dz, 0);
}

TEST_F(InputDeviceTest, MouseButtonsUseTheFourQueries)
{
    Bind();
    Platform().SetMouseButton(1, true);
    device_.PollMouse();
    ExpectButton(device_, 1, {true, true, false, false}, "first poll down");
    device_.PollMouse();
    ExpectButton(device_, 1, {false, true, true, false}, "second poll down");
    Platform().SetMouseButton(1, false);
    device_.PollMouse();
    ExpectButton(device_, 1, {false, false, false, true}, "first poll up");
}

// A press and release that both come between two polls.
struct Tap {
    const char* name;
    bool isKey;
    int code;  // DIK_ code or mouse button
};

class TapBetweenPolls : public InputDeviceTest, public ::testing::WithParamInterface<Tap> {};

TEST_P(TapBetweenPolls, IsPressedOnTheNextPollAndNeverHeld)
{
    const Tap& c = GetParam();
    Bind();
    auto poll = [&] { c.isKey ? device_.PollKeyboard() : device_.PollMouse(); };
    auto set = [&](bool down) {
        c.isKey ? InjectKey(static_cast<uint8_t>(c.code), down) : InjectMouseButton(c.code, down);
    };
    auto expect = [&](Queries q, const char* when) {
        c.isKey ? ExpectKey(device_, c.code, q, when) : ExpectButton(device_, c.code, q, when);
    };
    poll();
    set(true);
    set(false);
    poll();
    expect({true, true, false, false}, "poll after the tap");
    poll();
    expect({false, false, false, true}, "poll after that");

    // Taken in as a frame ends, a tap is read in the next frame; a frame
    // later nobody reads it any more.
    set(true);
    set(false);
    Platform().EndFrame();
    poll();
    expect({true, true, false, false}, "tap read in the next frame");
    poll();
    set(true);
    set(false);
    Platform().EndFrame();
    Platform().EndFrame();
    poll();
    expect({false, false, false, false}, "tap a frame too old");

    // Held across polls as before: pressed, then held, then released.
    set(true);
    poll();
    expect({true, true, false, false}, "held, first poll");
    Platform().EndFrame();
    Platform().EndFrame();
    poll();
    expect({false, true, true, false}, "held, second poll");
    set(false);
    poll();
    expect({false, false, false, true}, "let go");
}

INSTANTIATE_TEST_SUITE_P(InputDevice, TapBetweenPolls,
                         ::testing::Values(Tap{"Space", true, DIK_SPACE}, Tap{"Escape", true, DIK_ESCAPE},
                                           Tap{"RightArrow", true, DIK_RIGHT}, Tap{"LeftButton", false, 0},
                                           Tap{"RightButton", false, 1}, Tap{"MiddleButton", false, 2},
                                           Tap{"X1Button", false, 3}),
                         CaseName());

TEST_F(InputDeviceTest, UnfocusedMouseGivesZeroSnapshotAndRecoversWithFocus)
{
    Bind();
    Platform().SetMouseButton(0, true);
    device_.PollMouse();
    EXPECT_TRUE(device_.IsMouseButtonDown(0));

    Platform().SetFocus(false);
    Platform().AddMouseMotion(10, 10);
    device_.PollMouse();
    int dx, dy, dz;
    device_.GetMouseDelta(dx, dy, dz);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    EXPECT_FALSE(device_.IsMouseButtonDown(0));
    EXPECT_TRUE(device_.IsMouseButtonReleased(0));

    Platform().SetFocus(true);
    device_.PollMouse();  // re-acquires
    Platform().AddMouseMotion(2, 4);
    device_.PollMouse();
    device_.GetMouseDelta(dx, dy, dz);
    EXPECT_EQ(dx, 2);
    EXPECT_EQ(dy, 4);
}

TEST_F(InputDeviceTest, ReleaseMouseClearsTheDevice)
{
    Bind();
    device_.ReleaseMouse();
    Platform().AddMouseMotion(7, 7);
    Platform().SetMouseButton(0, true);
    device_.PollMouse();
    int dx, dy, dz;
    device_.GetMouseDelta(dx, dy, dz);
    EXPECT_EQ(dx, 0);
    EXPECT_FALSE(device_.IsMouseButtonDown(0));

    BreakCounter breaks;
    device_.ReleaseMouse();
    EXPECT_EQ(breaks.Count(), 1);
}

TEST_F(InputDeviceTest, CreatingDevicesBeforeInitFails)
{
    EXPECT_EQ(device_.CreateKeyboard(), 0);
    EXPECT_FALSE(device_.CreateMouse());
}

TEST_F(InputDeviceTest, ShutdownLeavesAllUpSnapshots)
{
    Bind();
    Platform().SetKey(DIK_A, true);
    device_.Shutdown();
    device_.PollKeyboard();
    EXPECT_FALSE(device_.IsKeyDown(DIK_A));
    EXPECT_FALSE(Platform().IsMouseAcquired());
}

TEST(InputDeviceSingleton, AccessorCreatesOnceAndDestructionClearsIt)
{
    InputDevice* first = InputDevice::GetInstance();
    EXPECT_EQ(InputDevice::GetInstance(), first);
    delete first;
    EXPECT_EQ(InputDevice::FindInstance(), nullptr);
}

}  // namespace
