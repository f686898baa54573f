// The SDL layer's event translation, driven with hand-built SDL events:
// key codes, key state, window messages, typed characters and the mouse.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "dikeys.h"
#include "messagequeue.h"
#include "platforminput.h"
#include "sdleventtranslator.h"
#include "sdlkeytable.h"
#include "sdltestevents.h"
#include "testsupport.h"

namespace {

LRESULT IgnoreMessage(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

class EventTranslation : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessageQueue();
        window_ = CreateWindowHandle(IgnoreMessage);
    }
    void TearDown() override { ResetMessageQueue(); }

    void Feed(const SDL_Event& event) { TranslateSdlEvent(event, window_, input_); }

    bool KeyDown(uint8_t dik)
    {
        uint8_t keys[kKeyCount];
        input_.ReadKeyboard(keys);
        return (keys[dik] & kKeyDownBit) != 0;
    }

    bool Next(MSG* message) { return PeekMessage(message, nullptr, 0, 0, PM_REMOVE) != FALSE; }

    // Focus the window and acquire the mouse, as the input device does.
    void FocusAndAcquire()
    {
        Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
        ASSERT_EQ(input_.AcquireMouse(), InputResult::Ok);
        MSG message;
        while (Next(&message)) {
        }
    }

    HWND window_ = nullptr;
    PlatformInput input_;
};

// ---- the scancode table: every key the game binds ----

struct KeyCase {
    SDL_Scancode scancode;
    int dik;
    const char* name;
};

class GameKeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(GameKeyCodes, MapToTheirDirectInputCode)
{
    const KeyCase& key = GetParam();
    EXPECT_EQ(LookUpSdlKey(key.scancode).dik, key.dik) << key.name;
    EXPECT_NE(LookUpSdlKey(key.scancode).virtualKey, 0) << key.name;
}

INSTANTIATE_TEST_SUITE_P(
    SdlKeyTable, GameKeyCodes,
    ::testing::Values(
        KeyCase{SDL_SCANCODE_ESCAPE, 1, "Escape"}, KeyCase{SDL_SCANCODE_1, 2, "1"}, KeyCase{SDL_SCANCODE_2, 3, "2"},
        KeyCase{SDL_SCANCODE_3, 4, "3"}, KeyCase{SDL_SCANCODE_4, 5, "4"}, KeyCase{SDL_SCANCODE_5, 6, "5"},
        KeyCase{SDL_SCANCODE_6, 7, "6"}, KeyCase{SDL_SCANCODE_7, 8, "7"}, KeyCase{SDL_SCANCODE_8, 9, "8"},
        KeyCase{SDL_SCANCODE_9, 10, "9"}, KeyCase{SDL_SCANCODE_0, 11, "0"}, KeyCase{SDL_SCANCODE_MINUS, 12, "Minus"},
        KeyCase{SDL_SCANCODE_EQUALS, 13, "Equals"}, KeyCase{SDL_SCANCODE_BACKSPACE, 14, "Backspace"},
        KeyCase{SDL_SCANCODE_TAB, 15, "Tab"}, KeyCase{SDL_SCANCODE_Q, 16, "Q"}, KeyCase{SDL_SCANCODE_R, 19, "R"},
        KeyCase{SDL_SCANCODE_O, 24, "O"}, KeyCase{SDL_SCANCODE_P, 25, "P"}, KeyCase{SDL_SCANCODE_RETURN, 28, "Return"},
        KeyCase{SDL_SCANCODE_LCTRL, 29, "left Ctrl"}, KeyCase{SDL_SCANCODE_D, 32, "D"},
        KeyCase{SDL_SCANCODE_H, 35, "H"}, KeyCase{SDL_SCANCODE_K, 37, "K"}, KeyCase{SDL_SCANCODE_L, 38, "L"},
        KeyCase{SDL_SCANCODE_GRAVE, 41, "Grave"}, KeyCase{SDL_SCANCODE_LSHIFT, 42, "left Shift"},
        KeyCase{SDL_SCANCODE_BACKSLASH, 43, "Backslash"}, KeyCase{SDL_SCANCODE_M, 50, "M"},
        KeyCase{SDL_SCANCODE_RSHIFT, 54, "right Shift"}, KeyCase{SDL_SCANCODE_SPACE, 57, "Space"},
        KeyCase{SDL_SCANCODE_F1, 59, "F1"}, KeyCase{SDL_SCANCODE_F10, 68, "F10"}, KeyCase{SDL_SCANCODE_F11, 87, "F11"},
        KeyCase{SDL_SCANCODE_F12, 88, "F12"}, KeyCase{SDL_SCANCODE_RCTRL, 157, "right Ctrl"},
        KeyCase{SDL_SCANCODE_RALT, 184, "right Alt"}, KeyCase{SDL_SCANCODE_UP, 200, "Up"},
        KeyCase{SDL_SCANCODE_LEFT, 203, "Left"}, KeyCase{SDL_SCANCODE_RIGHT, 205, "Right"},
        KeyCase{SDL_SCANCODE_DOWN, 208, "Down"}, KeyCase{SDL_SCANCODE_KP_ENTER, 156, "keypad Enter"},
        KeyCase{SDL_SCANCODE_KP_7, 71, "keypad 7"}, KeyCase{SDL_SCANCODE_DELETE, 211, "Delete"}),
    CaseName());

TEST(SdlKeyTable, EveryListedKeyHasItsOwnCodeExceptTheIsoHash)
{
    int owners[kKeyCount] = {};
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const uint8_t dik = LookUpSdlKey(scancode).dik;
        if (dik != 0 && scancode != SDL_SCANCODE_NONUSHASH) {
            ++owners[dik];
        }
    }
    for (int dik = 0; dik < kKeyCount; ++dik) {
        EXPECT_LE(owners[dik], 1) << "key code " << dik << " has more than one key";
    }
}

TEST(SdlKeyTable, UnknownAndOutOfRangeScancodesGiveNoCode)
{
    EXPECT_EQ(LookUpSdlKey(SDL_SCANCODE_UNKNOWN).dik, 0);
    EXPECT_EQ(LookUpSdlKey(-1).dik, 0);
    EXPECT_EQ(LookUpSdlKey(SDL_NUM_SCANCODES).dik, 0);
    EXPECT_EQ(LookUpSdlKey(SDL_SCANCODE_AUDIOPLAY).dik, 0);
}

// ---- keys ----

TEST_F(EventTranslation, KeyDownAndUpSetAndClearTheKeyArray)
{
    Feed(KeyEvent(SDL_SCANCODE_H, true));
    EXPECT_TRUE(KeyDown(DIK_H));
    Feed(KeyEvent(SDL_SCANCODE_H, false));
    EXPECT_FALSE(KeyDown(DIK_H));
}

TEST_F(EventTranslation, KeyMessagesCarryVirtualKeyAndScanCode)
{
    Feed(KeyEvent(SDL_SCANCODE_ESCAPE, true));
    Feed(KeyEvent(SDL_SCANCODE_ESCAPE, false));
    MSG message;
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.hwnd, window_);
    EXPECT_EQ(message.wParam, VK_ESCAPE);
    EXPECT_EQ((message.lParam >> 16) & 0xFF, DIK_ESCAPE);
    EXPECT_EQ(message.lParam & 0xFFFF, 1);
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.message, WM_KEYUP);
    EXPECT_NE(message.lParam & (LPARAM(1) << 31), 0);
}

TEST_F(EventTranslation, ExtendedKeysSetTheExtendedBit)
{
    EXPECT_NE(KeyMessageLParam(DIK_RCONTROL, true, false) & (LPARAM(1) << 24), 0);
    EXPECT_EQ((KeyMessageLParam(DIK_RCONTROL, true, false) >> 16) & 0xFF, 0x1D);
    EXPECT_EQ(KeyMessageLParam(DIK_LCONTROL, true, false) & (LPARAM(1) << 24), 0);
}

TEST_F(EventTranslation, RepeatedKeyDownMarksPreviousStateAndLeavesArrayAlone)
{
    Feed(KeyEvent(SDL_SCANCODE_A, true));
    Feed(KeyEvent(SDL_SCANCODE_A, true, SDLK_a, KMOD_NONE, true));
    EXPECT_TRUE(KeyDown(DIK_A));
    MSG message;
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.lParam & (LPARAM(1) << 30), 0);
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_NE(message.lParam & (LPARAM(1) << 30), 0);
}

TEST_F(EventTranslation, AltCombinationsBecomeSystemKeysWithoutCharacters)
{
    Feed(KeyEvent(SDL_SCANCODE_F, true, SDLK_f, KMOD_LALT));
    MSG message;
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.message, WM_SYSKEYDOWN);
    EXPECT_FALSE(TranslateMessage(&message));
}

TEST_F(EventTranslation, FocusLossReleasesEveryKey)
{
    Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    Feed(KeyEvent(SDL_SCANCODE_LSHIFT, true));
    Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_FALSE(KeyDown(DIK_LSHIFT));
}

// ---- WM_CHAR through TranslateMessage ----

struct CharCase {
    SDL_Scancode scancode;
    SDL_Keycode sym;
    uint16_t mod;
    unsigned int character;  // 0: no WM_CHAR
    const char* name;
};

class TypedCharacters : public EventTranslation, public ::testing::WithParamInterface<CharCase> {};

TEST_P(TypedCharacters, TranslateMessageMakesTheCharacter)
{
    const CharCase& key = GetParam();
    Feed(KeyEvent(key.scancode, true, key.sym, key.mod));
    MSG message;
    ASSERT_TRUE(Next(&message)) << key.name;
    ASSERT_EQ(message.message, WM_KEYDOWN) << key.name;
    const BOOL made = TranslateMessage(&message);
    EXPECT_EQ(made != FALSE, key.character != 0) << key.name;
    if (key.character != 0) {
        ASSERT_TRUE(Next(&message));
        EXPECT_EQ(message.message, WM_CHAR) << key.name;
        EXPECT_EQ(message.wParam, key.character) << key.name;
        EXPECT_EQ(message.hwnd, window_);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SdlEvents, TypedCharacters,
    ::testing::Values(CharCase{SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 0x1B, "Esc"},
                      CharCase{SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE, 0x0D, "Return"},
                      CharCase{SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE, 0x0D, "keypad Enter"},
                      CharCase{SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE, 0x08, "Backspace"},
                      CharCase{SDL_SCANCODE_TAB, SDLK_TAB, KMOD_NONE, 0x09, "Tab"},
                      CharCase{SDL_SCANCODE_SPACE, SDLK_SPACE, KMOD_NONE, ' ', "Space"},
                      CharCase{SDL_SCANCODE_A, SDLK_a, KMOD_LCTRL, 0x01, "Ctrl+A"},
                      CharCase{SDL_SCANCODE_Z, SDLK_z, KMOD_RCTRL, 0x1A, "Ctrl+Z"},
                      CharCase{SDL_SCANCODE_Q, SDLK_q, KMOD_NONE, 'q', "q"},
                      CharCase{SDL_SCANCODE_Q, SDLK_q, KMOD_LSHIFT, 'Q', "Shift+q"},
                      CharCase{SDL_SCANCODE_Q, SDLK_q, KMOD_CAPS, 'Q', "Caps q"},
                      CharCase{SDL_SCANCODE_Q, SDLK_q, KMOD_CAPS | KMOD_RSHIFT, 'q', "Caps Shift q"},
                      CharCase{SDL_SCANCODE_1, SDLK_1, KMOD_NONE, '1', "1"},
                      CharCase{SDL_SCANCODE_1, SDLK_1, KMOD_LSHIFT, '!', "Shift+1"},
                      CharCase{SDL_SCANCODE_SLASH, SDLK_SLASH, KMOD_LSHIFT, '?', "Shift+/"},
                      CharCase{SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NUM, '5', "keypad 5, Num Lock"},
                      CharCase{SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NONE, 0, "keypad 5"},
                      CharCase{SDL_SCANCODE_KP_0, SDLK_KP_0, KMOD_NONE, 0, "keypad 0"},
                      CharCase{SDL_SCANCODE_KP_3, SDLK_KP_3, KMOD_NONE, 0, "keypad 3"},
                      CharCase{SDL_SCANCODE_KP_9, SDLK_KP_9, KMOD_NONE, 0, "keypad 9"},
                      CharCase{SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NONE, 0, "keypad point"},
                      CharCase{SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, KMOD_NONE, '/', "keypad slash"},
                      CharCase{SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, KMOD_NONE, '*', "keypad star"},
                      CharCase{SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, KMOD_NONE, '-', "keypad minus"},
                      CharCase{SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, KMOD_NONE, '+', "keypad plus"},
                      CharCase{SDL_SCANCODE_F1, SDLK_F1, KMOD_NONE, 0, "F1"},
                      CharCase{SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT, 0, "Shift alone"},
                      CharCase{SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_LCTRL, 0, "Ctrl alone"},
                      CharCase{SDL_SCANCODE_1, SDLK_1, KMOD_RCTRL, 0, "Ctrl+1"},
                      CharCase{SDL_SCANCODE_DELETE, SDLK_DELETE, KMOD_NONE, 0, "Delete"},
                      CharCase{SDL_SCANCODE_LEFT, SDLK_LEFT, KMOD_NONE, 0, "arrow"}),
    CaseName());

TEST_F(EventTranslation, KeyUpNeverTypesACharacter)
{
    Feed(KeyEvent(SDL_SCANCODE_A, false, SDLK_a));
    MSG message;
    ASSERT_TRUE(Next(&message));
    EXPECT_FALSE(TranslateMessage(&message));
}

// ---- window events ----

TEST_F(EventTranslation, FocusGivesActivateWithLowWordOneOrZero)
{
    Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    MSG message;
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.message, WM_ACTIVATE);
    EXPECT_EQ(LOWORD(message.wParam), 1);
    ASSERT_TRUE(Next(&message));
    EXPECT_EQ(message.message, WM_ACTIVATE);
    EXPECT_EQ(LOWORD(message.wParam), 0);
    EXPECT_FALSE(input_.HasFocus());
}

TEST_F(EventTranslation, WindowCloseAndQuitSignalGiveClose)
{
    Feed(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    Feed(EventOfType(SDL_QUIT));
    MSG message;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(Next(&message));
        EXPECT_EQ(message.message, WM_CLOSE);
        EXPECT_EQ(message.hwnd, window_);
    }
    EXPECT_FALSE(Next(&message));
}

TEST_F(EventTranslation, MouseEventsPostNoMessages)
{
    FocusAndAcquire();
    Feed(MotionEvent(3, 4));
    Feed(ButtonEvent(SDL_BUTTON_LEFT, true));
    Feed(WheelEvent(1, false));
    EXPECT_EQ(QueuedMessageCount(), 0);
}

// ---- mouse ----

TEST_F(EventTranslation, MotionIsCountedSinceTheLastRead)
{
    FocusAndAcquire();
    Feed(MotionEvent(3, -2));
    Feed(MotionEvent(4, 7));
    MouseSnapshot snapshot;
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    EXPECT_EQ(snapshot.lX, 7);
    EXPECT_EQ(snapshot.lY, 5);
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    EXPECT_EQ(snapshot.lX, 0);
    EXPECT_EQ(snapshot.lY, 0);
}

TEST_F(EventTranslation, WheelGives120PerNotchAndHonoursFlippedDirection)
{
    FocusAndAcquire();
    Feed(WheelEvent(2, false));
    MouseSnapshot snapshot;
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    EXPECT_EQ(snapshot.lZ, 240);
    Feed(WheelEvent(1, true));
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    EXPECT_EQ(snapshot.lZ, -120);
}

struct ButtonCase {
    const char* name;
    uint8_t sdlButton;
    int index;
};

class MouseButtons : public EventTranslation, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(MouseButtons, LandOnTheirIndex)
{
    FocusAndAcquire();
    Feed(ButtonEvent(GetParam().sdlButton, true));
    MouseSnapshot snapshot;
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    for (int i = 0; i < kMouseButtonCount; ++i) {
        EXPECT_EQ(snapshot.buttons[i], i == GetParam().index ? kKeyDownBit : 0) << i;
    }
    Feed(ButtonEvent(GetParam().sdlButton, false));
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    EXPECT_EQ(snapshot.buttons[GetParam().index], 0);
}

INSTANTIATE_TEST_SUITE_P(SdlEvents, MouseButtons,
                         ::testing::Values(ButtonCase{"Left", SDL_BUTTON_LEFT, 0},
                                           ButtonCase{"Right", SDL_BUTTON_RIGHT, 1},
                                           ButtonCase{"Middle", SDL_BUTTON_MIDDLE, 2},
                                           ButtonCase{"Extra1", SDL_BUTTON_X1, 3}),
                         CaseName());

TEST_F(EventTranslation, SecondExtraButtonIsIgnored)
{
    FocusAndAcquire();
    Feed(ButtonEvent(SDL_BUTTON_X2, true));
    MouseSnapshot snapshot;
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    for (uint8_t button : snapshot.buttons) {
        EXPECT_EQ(button, 0);
    }
}

TEST_F(EventTranslation, UnfocusedMouseReadsFailAndDropMotion)
{
    FocusAndAcquire();
    Feed(MotionEvent(5, 5));
    Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    Feed(MotionEvent(9, 9));
    MouseSnapshot snapshot;
    EXPECT_EQ(input_.ReadMouse(&snapshot), InputResult::OtherAppHasFocus);
    EXPECT_EQ(input_.AcquireMouse(), InputResult::OtherAppHasFocus);
    EXPECT_FALSE(input_.WantsRelativeMouse());

    Feed(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_EQ(input_.ReadMouse(&snapshot), InputResult::NotAcquired);
    ASSERT_EQ(input_.AcquireMouse(), InputResult::Ok);
    ASSERT_EQ(input_.ReadMouse(&snapshot), InputResult::Ok);
    EXPECT_EQ(snapshot.lX, 0);
    EXPECT_EQ(snapshot.lY, 0);
}

TEST_F(EventTranslation, RelativeModeOnlyWhileFocusedAcquiredAndAllowed)
{
    EXPECT_FALSE(input_.HasFocus());
    EXPECT_EQ(input_.AcquireMouse(), InputResult::OtherAppHasFocus);
    EXPECT_FALSE(input_.WantsRelativeMouse());
    FocusAndAcquire();
    EXPECT_TRUE(input_.WantsRelativeMouse());
    input_.SetMouseCaptureAllowed(false);
    EXPECT_FALSE(input_.WantsRelativeMouse());
    EXPECT_EQ(input_.AcquireMouse(), InputResult::OtherAppHasFocus);
    input_.SetMouseCaptureAllowed(true);
    EXPECT_EQ(input_.AcquireMouse(), InputResult::Ok);
    EXPECT_TRUE(input_.WantsRelativeMouse());
}

}  // namespace
