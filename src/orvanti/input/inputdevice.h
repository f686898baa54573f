// InputDevice: the keyboard and mouse singleton. It keeps two snapshots of
// the 256 key bytes (DirectInput key codes, bit 7 = down) and of the mouse,
// flips between them on every poll and answers pressed / down / held /
// released by comparing the two. States poll once a frame, then query.
#pragma once

#include <cstdint>

#include "dikeys.h"
#include "platforminput.h"
#include "singleton.h"
#include "winmessages.h"

class InputDevice : public Singleton<InputDevice> {
public:
    static constexpr int kMouseAcquireAttempts = 11;

    InputDevice();
    ~InputDevice();

    // The one input device, created by the first call.
    static InputDevice* GetInstance();

    // Binds to the window; true when the input system is there.
    bool Init(HWND window);
    // 1 on success, 0 when Init has not run.
    int CreateKeyboard();
    // Exclusive foreground mouse: relative motion while the window has focus.
    bool CreateMouse();

    // Flip the snapshots and read the device into the current one; without
    // a device (or on a failed read) the snapshot is all up.
    void PollKeyboard();
    void PollMouse();

    // Key queries by DirectInput code; a code outside 0..255 breaks and gives false.
    bool IsKeyPressed(int key) const;   // down now, up before
    bool IsKeyDown(int key) const;      // down now
    bool IsKeyHeld(int key) const;      // down now and before
    bool IsKeyReleased(int key) const;  // up now, down before

    // Mouse buttons 0 left, 1 right, 2 middle, 3 X1; others break and give false.
    bool IsMouseButtonPressed(int button) const;
    bool IsMouseButtonDown(int button) const;
    bool IsMouseButtonHeld(int button) const;
    bool IsMouseButtonReleased(int button) const;

    // Relative motion since the previous poll, and the wheel (120 a notch).
    void GetMouseDelta(int& dx, int& dy, int& dz) const;

    // Lets the mouse go; the device must be re-created to read it again.
    void ReleaseMouse();
    // Releases keyboard, mouse and the input system.
    void Shutdown();

private:
    const uint8_t* CurrentKeys() const { return keyToggle ? keysA : keysB; }
    const uint8_t* PreviousKeys() const { return keyToggle ? keysB : keysA; }
    const MouseSnapshot& CurrentMouse() const { return mouseToggle ? mouseA : mouseB; }
    const MouseSnapshot& PreviousMouse() const { return mouseToggle ? mouseB : mouseA; }
    bool KeyInRange(int key) const;
    bool ButtonInRange(int button) const;

    uint8_t keysA[kKeyCount] = {};
    uint8_t keysB[kKeyCount] = {};
    MouseSnapshot mouseA;
    MouseSnapshot mouseB;
    bool keyToggle = true;    // true: keysA current, keysB previous
    bool mouseToggle = true;  // the same for mouseA / mouseB
    PlatformInput* directInput = nullptr;
    PlatformInput* keyboard = nullptr;
    PlatformInput* mouse = nullptr;
    PlatformInput* spareDevices[2] = {};  // never created; released by Shutdown
    HWND window = nullptr;
};
