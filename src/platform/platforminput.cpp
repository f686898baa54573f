// Keyboard and mouse state kept from window events; see platforminput.h.
#include "platforminput.h"

#include <cstring>

PlatformInput::PlatformInput()
{
    Reset();
}

void PlatformInput::SetKey(uint8_t dik, bool down)
{
    if (dik == 0) {
        return;
    }
    keys_[dik] = down ? kKeyDownBit : 0;
    if (down) {
        keyTaps_[dik] = kTapFresh;
    }
}

void PlatformInput::AddMouseMotion(int dx, int dy)
{
    if (!focused_ || !mouseAcquired_) {
        return;
    }
    pending_.lX += dx;
    pending_.lY += dy;
}

void PlatformInput::AddWheelNotches(int notches)
{
    if (!focused_ || !mouseAcquired_) {
        return;
    }
    pending_.lZ += notches * kWheelNotch;
}

void PlatformInput::SetMouseButton(int index, bool down)
{
    if (index < 0 || index >= kMouseButtonCount) {
        return;
    }
    pending_.buttons[index] = down ? kKeyDownBit : 0;
    if (down) {
        buttonTaps_[index] = kTapFresh;
    }
}

void PlatformInput::SetFocus(bool focused)
{
    focused_ = focused;
    if (!focused) {
        // Keys held while the focus goes stay down nowhere; the mouse must be
        // acquired again.
        ClearKeys();
        mouseAcquired_ = false;
        ClearMouse();
    }
}

InputResult PlatformInput::ReadKeyboard(uint8_t keys[kKeyCount])
{
    for (int key = 0; key < kKeyCount; ++key) {
        keys[key] = keyTaps_[key] != 0 ? kKeyDownBit : keys_[key];
    }
    std::memset(keyTaps_, 0, sizeof(keyTaps_));
    return InputResult::Ok;
}

InputResult PlatformInput::ReadMouse(MouseSnapshot* snapshot)
{
    if (!focused_) {
        mouseAcquired_ = false;
        return InputResult::OtherAppHasFocus;
    }
    if (!mouseAcquired_) {
        return InputResult::NotAcquired;
    }
    *snapshot = pending_;
    for (int button = 0; button < kMouseButtonCount; ++button) {
        if (buttonTaps_[button] != 0) {
            snapshot->buttons[button] = kKeyDownBit;
        }
    }
    std::memset(buttonTaps_, 0, sizeof(buttonTaps_));
    ClearMotion();
    return InputResult::Ok;
}

InputResult PlatformInput::AcquireMouse()
{
    if (!focused_ || !captureAllowed_) {
        return InputResult::OtherAppHasFocus;
    }
    if (!mouseAcquired_) {
        mouseAcquired_ = true;
        ClearMotion();
    }
    return InputResult::Ok;
}

void PlatformInput::UnacquireMouse()
{
    mouseAcquired_ = false;
    ClearMouse();
}

void PlatformInput::SetMouseCaptureAllowed(bool allowed)
{
    captureAllowed_ = allowed;
    if (!allowed) {
        UnacquireMouse();
    }
}

void PlatformInput::EndFrame()
{
    AgeTaps(keyTaps_, kKeyCount);
    AgeTaps(buttonTaps_, kMouseButtonCount);
}

void PlatformInput::AgeTaps(uint8_t* taps, int count)
{
    for (int i = 0; i < count; ++i) {
        taps[i] = taps[i] == kTapFresh ? kTapAged : 0;
    }
}

void PlatformInput::Reset()
{
    ClearKeys();
    ClearMouse();
    focused_ = false;
    mouseAcquired_ = false;
    captureAllowed_ = true;
}

void PlatformInput::ClearKeys()
{
    std::memset(keys_, 0, sizeof(keys_));
    std::memset(keyTaps_, 0, sizeof(keyTaps_));
}

void PlatformInput::ClearMouse()
{
    pending_ = MouseSnapshot{};
    std::memset(buttonTaps_, 0, sizeof(buttonTaps_));
}

void PlatformInput::ClearMotion()
{
    pending_.lX = 0;
    pending_.lY = 0;
    pending_.lZ = 0;
}

PlatformInput& GetPlatformInput()
{
    static PlatformInput input;
    return input;
}
