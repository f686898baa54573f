// The keyboard table of the SDL layer: for each SDL scancode the input
// device's key code (DIK_*) and the Win32-style virtual-key code that key
// messages carry. Used by the event translation and by its tests, and
// backwards by the injection of made-up keys.
#pragma once

#include <cstdint>

struct SdlKeyCodes {
    uint8_t dik = 0;         // 0: the key has no code in the key array
    uint8_t virtualKey = 0;  // 0: no key message is posted
};

// The codes of one SDL scancode; zeros for keys the table does not list.
SdlKeyCodes LookUpSdlKey(int sdlScancode);

// The SDL scancode of a DirectInput key code; 0 (unknown) for codes the table lacks.
int SdlScancodeOfDik(uint8_t dik);
