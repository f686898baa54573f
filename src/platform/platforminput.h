// The keyboard and mouse state the window layer keeps from its events: a key
// array in DirectInput codes, mouse motion counted since the last read, the
// wheel and four buttons. The event translation writes it; the input device
// reads one snapshot per poll. Main thread only.
#pragma once

#include <cstdint>

#include "dikeys.h"

constexpr uint8_t kKeyDownBit = 0x80;
constexpr int32_t kWheelNotch = 120;  // lZ per wheel notch
constexpr int kMouseButtonCount = 4;  // left, right, middle, X1
constexpr int kMouseLeft = 0;
constexpr int kMouseRight = 1;

// One mouse reading: relative counts since the previous reading and the buttons.
struct MouseSnapshot {
    int32_t lX = 0;
    int32_t lY = 0;
    int32_t lZ = 0;
    uint8_t buttons[kMouseButtonCount] = {};
};

enum class InputResult {
    Ok,
    NotAcquired,       // the device was never acquired or lost its acquisition
    OtherAppHasFocus,  // the window is not in the foreground
};

class PlatformInput {
public:
    PlatformInput();

    // Event side.
    void SetKey(uint8_t dik, bool down);
    void AddMouseMotion(int dx, int dy);
    void AddWheelNotches(int notches);
    void SetMouseButton(int index, bool down);  // index outside 0..3 is ignored
    void SetFocus(bool focused);
    bool HasFocus() const { return focused_; }

    // Device side. The keyboard reads in the background, whether focused or not.
    InputResult ReadKeyboard(uint8_t keys[kKeyCount]) const;
    // Motion since the last reading; fails (snapshot untouched) unless acquired and focused.
    InputResult ReadMouse(MouseSnapshot* snapshot);
    // Exclusive foreground acquisition: works only while the window has focus
    // and the mouse may be captured; discards motion gathered before.
    InputResult AcquireMouse();
    void UnacquireMouse();
    bool IsMouseAcquired() const { return mouseAcquired_; }

    // Off while a dialog of our own needs the system pointer.
    void SetMouseCaptureAllowed(bool allowed);
    // True while the window layer should keep the mouse in relative mode.
    bool WantsRelativeMouse() const { return focused_ && mouseAcquired_ && captureAllowed_; }

    // Back to the state after construction (no key, no motion, no focus).
    void Reset();

private:
    void ClearMouse();
    // Drops the motion gathered so far; the buttons stay.
    void ClearMotion();

    uint8_t keys_[kKeyCount];
    MouseSnapshot pending_;
    bool focused_ = false;
    bool mouseAcquired_ = false;
    bool captureAllowed_ = true;
};

// The one state of the process, fed by the window layer's event pump.
PlatformInput& GetPlatformInput();
