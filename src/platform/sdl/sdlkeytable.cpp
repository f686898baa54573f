// SDL scancode to DirectInput key code and virtual-key code, one key a line.
// Extended keys (bit 7 of the key code) are the right-hand modifiers, the
// navigation block, keypad Enter and keypad /.
#include "sdlkeytable.h"

#include <SDL2/SDL_scancode.h>

#include "dikeys.h"

namespace {

struct KeyRow {
    int scancode;
    uint8_t dik;
    uint8_t virtualKey;
};

constexpr KeyRow kKeyTable[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE, 0x1B},           // Esc
    {SDL_SCANCODE_1, DIK_1, 0x31},                     // 1
    {SDL_SCANCODE_2, DIK_2, 0x32},                     // 2
    {SDL_SCANCODE_3, DIK_3, 0x33},                     // 3
    {SDL_SCANCODE_4, DIK_4, 0x34},                     // 4
    {SDL_SCANCODE_5, DIK_5, 0x35},                     // 5
    {SDL_SCANCODE_6, DIK_6, 0x36},                     // 6
    {SDL_SCANCODE_7, DIK_7, 0x37},                     // 7
    {SDL_SCANCODE_8, DIK_8, 0x38},                     // 8
    {SDL_SCANCODE_9, DIK_9, 0x39},                     // 9
    {SDL_SCANCODE_0, DIK_0, 0x30},                     // 0
    {SDL_SCANCODE_MINUS, DIK_MINUS, 0xBD},             // -
    {SDL_SCANCODE_EQUALS, DIK_EQUALS, 0xBB},           // =
    {SDL_SCANCODE_BACKSPACE, DIK_BACK, 0x08},          // Backspace
    {SDL_SCANCODE_TAB, DIK_TAB, 0x09},                 // Tab
    {SDL_SCANCODE_Q, DIK_Q, 'Q'},                      // Q
    {SDL_SCANCODE_W, DIK_W, 'W'},                      // W
    {SDL_SCANCODE_E, DIK_E, 'E'},                      // E
    {SDL_SCANCODE_R, DIK_R, 'R'},                      // R
    {SDL_SCANCODE_T, DIK_T, 'T'},                      // T
    {SDL_SCANCODE_Y, DIK_Y, 'Y'},                      // Y
    {SDL_SCANCODE_U, DIK_U, 'U'},                      // U
    {SDL_SCANCODE_I, DIK_I, 'I'},                      // I
    {SDL_SCANCODE_O, DIK_O, 'O'},                      // O
    {SDL_SCANCODE_P, DIK_P, 'P'},                      // P
    {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET, 0xDB},    // [
    {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET, 0xDD},   // ]
    {SDL_SCANCODE_RETURN, DIK_RETURN, 0x0D},           // Return
    {SDL_SCANCODE_LCTRL, DIK_LCONTROL, 0x11},          // left Ctrl
    {SDL_SCANCODE_A, DIK_A, 'A'},                      // A
    {SDL_SCANCODE_S, DIK_S, 'S'},                      // S
    {SDL_SCANCODE_D, DIK_D, 'D'},                      // D
    {SDL_SCANCODE_F, DIK_F, 'F'},                      // F
    {SDL_SCANCODE_G, DIK_G, 'G'},                      // G
    {SDL_SCANCODE_H, DIK_H, 'H'},                      // H
    {SDL_SCANCODE_J, DIK_J, 'J'},                      // J
    {SDL_SCANCODE_K, DIK_K, 'K'},                      // K
    {SDL_SCANCODE_L, DIK_L, 'L'},                      // L
    {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON, 0xBA},     // ;
    {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE, 0xDE},   // '
    {SDL_SCANCODE_GRAVE, DIK_GRAVE, 0xC0},             // ` (left of 1)
    {SDL_SCANCODE_LSHIFT, DIK_LSHIFT, 0x10},           // left Shift
    {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH, 0xDC},     // backslash
    {SDL_SCANCODE_NONUSHASH, DIK_BACKSLASH, 0xDC},     // ISO # (same position)
    {SDL_SCANCODE_Z, DIK_Z, 'Z'},                      // Z
    {SDL_SCANCODE_X, DIK_X, 'X'},                      // X
    {SDL_SCANCODE_C, DIK_C, 'C'},                      // C
    {SDL_SCANCODE_V, DIK_V, 'V'},                      // V
    {SDL_SCANCODE_B, DIK_B, 'B'},                      // B
    {SDL_SCANCODE_N, DIK_N, 'N'},                      // N
    {SDL_SCANCODE_M, DIK_M, 'M'},                      // M
    {SDL_SCANCODE_COMMA, DIK_COMMA, 0xBC},             // ,
    {SDL_SCANCODE_PERIOD, DIK_PERIOD, 0xBE},           // .
    {SDL_SCANCODE_SLASH, DIK_SLASH, 0xBF},             // /
    {SDL_SCANCODE_RSHIFT, DIK_RSHIFT, 0x10},           // right Shift
    {SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY, 0x6A},    // keypad *
    {SDL_SCANCODE_LALT, DIK_LMENU, 0x12},              // left Alt
    {SDL_SCANCODE_SPACE, DIK_SPACE, 0x20},             // Space
    {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL, 0x14},        // Caps Lock
    {SDL_SCANCODE_F1, DIK_F1, 0x70},                   // F1
    {SDL_SCANCODE_F2, DIK_F2, 0x71},                   // F2
    {SDL_SCANCODE_F3, DIK_F3, 0x72},                   // F3
    {SDL_SCANCODE_F4, DIK_F4, 0x73},                   // F4
    {SDL_SCANCODE_F5, DIK_F5, 0x74},                   // F5
    {SDL_SCANCODE_F6, DIK_F6, 0x75},                   // F6
    {SDL_SCANCODE_F7, DIK_F7, 0x76},                   // F7
    {SDL_SCANCODE_F8, DIK_F8, 0x77},                   // F8
    {SDL_SCANCODE_F9, DIK_F9, 0x78},                   // F9
    {SDL_SCANCODE_F10, DIK_F10, 0x79},                 // F10
    {SDL_SCANCODE_NUMLOCKCLEAR, DIK_NUMLOCK, 0x90},    // Num Lock
    {SDL_SCANCODE_SCROLLLOCK, DIK_SCROLL, 0x91},       // Scroll Lock
    {SDL_SCANCODE_KP_7, DIK_NUMPAD7, 0x67},            // keypad 7
    {SDL_SCANCODE_KP_8, DIK_NUMPAD8, 0x68},            // keypad 8
    {SDL_SCANCODE_KP_9, DIK_NUMPAD9, 0x69},            // keypad 9
    {SDL_SCANCODE_KP_MINUS, DIK_SUBTRACT, 0x6D},       // keypad -
    {SDL_SCANCODE_KP_4, DIK_NUMPAD4, 0x64},            // keypad 4
    {SDL_SCANCODE_KP_5, DIK_NUMPAD5, 0x65},            // keypad 5
    {SDL_SCANCODE_KP_6, DIK_NUMPAD6, 0x66},            // keypad 6
    {SDL_SCANCODE_KP_PLUS, DIK_ADD, 0x6B},             // keypad +
    {SDL_SCANCODE_KP_1, DIK_NUMPAD1, 0x61},            // keypad 1
    {SDL_SCANCODE_KP_2, DIK_NUMPAD2, 0x62},            // keypad 2
    {SDL_SCANCODE_KP_3, DIK_NUMPAD3, 0x63},            // keypad 3
    {SDL_SCANCODE_KP_0, DIK_NUMPAD0, 0x60},            // keypad 0
    {SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL, 0x6E},       // keypad .
    {SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102, 0xE2},  // ISO key left of Z
    {SDL_SCANCODE_F11, DIK_F11, 0x7A},                 // F11
    {SDL_SCANCODE_F12, DIK_F12, 0x7B},                 // F12
    {SDL_SCANCODE_F13, DIK_F13, 0x7C},                 // F13
    {SDL_SCANCODE_F14, DIK_F14, 0x7D},                 // F14
    {SDL_SCANCODE_F15, DIK_F15, 0x7E},                 // F15
    {SDL_SCANCODE_KP_EQUALS, DIK_NUMPADEQUALS, 0xBB},  // keypad =
    {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER, 0x0D},    // keypad Enter
    {SDL_SCANCODE_RCTRL, DIK_RCONTROL, 0x11},          // right Ctrl
    {SDL_SCANCODE_KP_COMMA, DIK_NUMPADCOMMA, 0x6C},    // keypad ,
    {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE, 0x6F},        // keypad /
    {SDL_SCANCODE_PRINTSCREEN, DIK_SYSRQ, 0x2C},       // Print Screen
    {SDL_SCANCODE_RALT, DIK_RMENU, 0x12},              // right Alt
    {SDL_SCANCODE_PAUSE, DIK_PAUSE, 0x13},             // Pause
    {SDL_SCANCODE_HOME, DIK_HOME, 0x24},               // Home
    {SDL_SCANCODE_UP, DIK_UP, 0x26},                   // arrow up
    {SDL_SCANCODE_PAGEUP, DIK_PRIOR, 0x21},            // Page Up
    {SDL_SCANCODE_LEFT, DIK_LEFT, 0x25},               // arrow left
    {SDL_SCANCODE_RIGHT, DIK_RIGHT, 0x27},             // arrow right
    {SDL_SCANCODE_END, DIK_END, 0x23},                 // End
    {SDL_SCANCODE_DOWN, DIK_DOWN, 0x28},               // arrow down
    {SDL_SCANCODE_PAGEDOWN, DIK_NEXT, 0x22},           // Page Down
    {SDL_SCANCODE_INSERT, DIK_INSERT, 0x2D},           // Insert
    {SDL_SCANCODE_DELETE, DIK_DELETE, 0x2E},           // Delete
    {SDL_SCANCODE_LGUI, DIK_LWIN, 0x5B},               // left Windows/Super
    {SDL_SCANCODE_RGUI, DIK_RWIN, 0x5C},               // right Windows/Super
    {SDL_SCANCODE_APPLICATION, DIK_APPS, 0x5D},        // Menu
};

// Scancode-indexed copy of the table, built once at compile time.
struct KeyIndex {
    SdlKeyCodes codes[SDL_NUM_SCANCODES] = {};
};

constexpr KeyIndex BuildKeyIndex()
{
    KeyIndex index{};
    for (const KeyRow& row : kKeyTable) {
        index.codes[row.scancode].dik = row.dik;
        index.codes[row.scancode].virtualKey = row.virtualKey;
    }
    return index;
}

constexpr KeyIndex kKeyIndex = BuildKeyIndex();

}  // namespace

SdlKeyCodes LookUpSdlKey(int sdlScancode)
{
    if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES) {
        return SdlKeyCodes{};
    }
    return kKeyIndex.codes[sdlScancode];
}

int SdlScancodeOfDik(uint8_t dik)
{
    for (const KeyRow& row : kKeyTable) {
        if (row.dik == dik) {
            return row.scancode;
        }
    }
    return SDL_SCANCODE_UNKNOWN;
}
