// The keyboard and mouse singleton over the window layer's input state; see
// inputdevice.h.
#include "inputdevice.h"

#include <cstring>

#include "debugbreak.h"
#include "eventpump.h"

namespace {

bool IsDown(uint8_t state)
{
    return (state & kKeyDownBit) != 0;
}

bool IsRetryable(InputResult result)
{
    return result == InputResult::NotAcquired || result == InputResult::OtherAppHasFocus;
}

}  // namespace

InputDevice::InputDevice() = default;

InputDevice::~InputDevice()
{
    Shutdown();
}

InputDevice* InputDevice::GetInstance()
{
    if (FindInstance() == nullptr) {
        new InputDevice;
    }
    return FindInstance();
}

bool InputDevice::Init(HWND boundWindow)
{
    window = boundWindow;
    if (directInput != nullptr) {
        return true;
    }
    directInput = &GetPlatformInput();
    return true;
}

int InputDevice::CreateKeyboard()
{
    if (directInput == nullptr) {
        return 0;
    }
    keyboard = directInput;
    return 1;
}

bool InputDevice::CreateMouse()
{
    if (directInput == nullptr) {
        return false;
    }
    mouse = directInput;
    mouse->AcquireMouse();  // fails while the window has no focus; polls retry
    return true;
}

void InputDevice::PollKeyboard()
{
    keyToggle = !keyToggle;
    uint8_t* current = keyToggle ? keysA : keysB;
    std::memset(current, 0, kKeyCount);
    if (keyboard == nullptr) {
        return;
    }
    PumpWindowEvents();
    if (keyboard->ReadKeyboard(current) == InputResult::Ok) {
        return;
    }
    // A background keyboard needs no acquisition: one more read, and on a
    // second failure the snapshot stays all up.
    std::memset(current, 0, kKeyCount);
    if (keyboard->ReadKeyboard(current) != InputResult::Ok) {
        std::memset(current, 0, kKeyCount);
    }
}

void InputDevice::PollMouse()
{
    mouseToggle = !mouseToggle;
    MouseSnapshot& current = mouseToggle ? mouseA : mouseB;
    current = MouseSnapshot{};
    if (mouse == nullptr) {
        return;
    }
    PumpWindowEvents();
    InputResult result = mouse->ReadMouse(&current);
    if (result == InputResult::Ok) {
        return;
    }
    for (int attempt = 0; attempt < kMouseAcquireAttempts && IsRetryable(result); ++attempt) {
        result = mouse->AcquireMouse();
    }
    if (result != InputResult::Ok) {
        return;  // zero motion, no button; tried again at the next poll
    }
    if (mouse->ReadMouse(&current) != InputResult::Ok) {
        current = MouseSnapshot{};
    }
}

bool InputDevice::KeyInRange(int key) const
{
    if (key < 0 || key >= kKeyCount) {
        DEBUG_BREAK("key code out of range");
        return false;
    }
    return true;
}

bool InputDevice::ButtonInRange(int button) const
{
    if (button < 0 || button >= kMouseButtonCount) {
        DEBUG_BREAK("mouse button out of range");
        return false;
    }
    return true;
}

bool InputDevice::IsKeyPressed(int key) const
{
    return KeyInRange(key) && IsDown(CurrentKeys()[key]) && !IsDown(PreviousKeys()[key]);
}

bool InputDevice::IsKeyDown(int key) const
{
    return KeyInRange(key) && IsDown(CurrentKeys()[key]);
}

bool InputDevice::IsKeyHeld(int key) const
{
    return KeyInRange(key) && IsDown(CurrentKeys()[key]) && IsDown(PreviousKeys()[key]);
}

bool InputDevice::IsKeyReleased(int key) const
{
    return KeyInRange(key) && !IsDown(CurrentKeys()[key]) && IsDown(PreviousKeys()[key]);
}

bool InputDevice::IsMouseButtonPressed(int button) const
{
    return ButtonInRange(button) && IsDown(CurrentMouse().buttons[button]) && !IsDown(PreviousMouse().buttons[button]);
}

bool InputDevice::IsMouseButtonDown(int button) const
{
    return ButtonInRange(button) && IsDown(CurrentMouse().buttons[button]);
}

bool InputDevice::IsMouseButtonHeld(int button) const
{
    return ButtonInRange(button) && IsDown(CurrentMouse().buttons[button]) && IsDown(PreviousMouse().buttons[button]);
}

bool InputDevice::IsMouseButtonReleased(int button) const
{
    return ButtonInRange(button) && !IsDown(CurrentMouse().buttons[button]) && IsDown(PreviousMouse().buttons[button]);
}

void InputDevice::GetMouseDelta(int& dx, int& dy, int& dz) const
{
    const MouseSnapshot& current = CurrentMouse();
    dx = current.lX;
    dy = current.lY;
    dz = current.lZ;
}

void InputDevice::ReleaseMouse()
{
    if (mouse == nullptr) {
        DEBUG_BREAK("ReleaseMouse without a mouse device");
        return;
    }
    mouse->UnacquireMouse();
    mouse = nullptr;
}

void InputDevice::Shutdown()
{
    keyboard = nullptr;
    if (mouse != nullptr) {
        mouse->UnacquireMouse();
        mouse = nullptr;
    }
    for (PlatformInput*& slot : spareDevices) {
        slot = nullptr;
    }
    directInput = nullptr;
}
