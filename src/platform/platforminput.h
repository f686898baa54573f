// The keyboard and mouse state the window layer keeps from its events: a key
// array in DirectInput codes, mouse motion counted since the last read, the
// wheel and four buttons. The event translation writes it; the input device
// reads one snapshot per poll. A key or button that went down since the last
// read reads as down once, even when it is up again, so a tap shorter than a
// frame is still seen; a tap nobody read by the end of the next frame is
// dropped. Main thread only.
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
    InputResult ReadKeyboard(uint8_t keys[kKeyCount]);
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

    // A frame was presented: taps already pending at the previous frame's
    // end and still unread are over.
    void EndFrame();

    // Back to the state after construction (no key, no motion, no focus).
    void Reset();

private:
    static void AgeTaps(uint8_t* taps, int count);
    void ClearKeys();
    void ClearMouse();
    // Drops the motion gathered so far; the buttons stay.
    void ClearMotion();

    // Unread presses: 0 none, kTapFresh, or kTapAged once a frame ended.
    static constexpr uint8_t kTapFresh = 1;
    static constexpr uint8_t kTapAged = 2;

    uint8_t keys_[kKeyCount];
    uint8_t keyTaps_[kKeyCount];
    MouseSnapshot pending_;
    uint8_t buttonTaps_[kMouseButtonCount];
    bool focused_ = false;
    bool mouseAcquired_ = false;
    bool captureAllowed_ = true;
};

// The one state of the process, fed by the window layer's event pump.
PlatformInput& GetPlatformInput();
