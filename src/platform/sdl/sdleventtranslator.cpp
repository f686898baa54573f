// SDL events to window messages and input state; see sdleventtranslator.h.
#include "sdleventtranslator.h"

#include "sdlkeytable.h"

namespace {

constexpr unsigned int kCharEscape = 0x1B;
constexpr unsigned int kCharReturn = 0x0D;
constexpr unsigned int kCharLineFeed = 0x0A;  // Ctrl+Return
constexpr unsigned int kCharBackspace = 0x08;
constexpr unsigned int kCharCtrlBackspace = 0x7F;
constexpr unsigned int kCharTab = 0x09;
constexpr unsigned int kFirstPrintable = 0x20;
constexpr unsigned int kLastPrintable = 0x7E;

constexpr LPARAM kScanCodeShift = 16;
constexpr LPARAM kExtendedBit = LPARAM(1) << 24;
constexpr LPARAM kPreviousStateBit = LPARAM(1) << 30;
constexpr LPARAM kTransitionBit = LPARAM(1) << 31;
constexpr uint8_t kExtendedKeyFlag = 0x80;

// Shifted characters of the main block (US layout), unshifted -> shifted.
struct ShiftedChar {
    char plain;
    char shifted;
};
constexpr ShiftedChar kShiftedChars[] = {
    {'1', '!'},  {'2', '@'}, {'3', '#'},  {'4', '$'}, {'5', '%'}, {'6', '^'}, {'7', '&'},
    {'8', '*'},  {'9', '('}, {'0', ')'},  {'-', '_'}, {'=', '+'}, {'[', '{'}, {']', '}'},
    {'\\', '|'}, {';', ':'}, {'\'', '"'}, {'`', '~'}, {',', '<'}, {'.', '>'}, {'/', '?'},
};

// Keypad keys that type a character; digits and the point only with Num Lock.
struct KeypadChar {
    SDL_Keycode key;
    char character;
    bool needsNumLock;
};
constexpr KeypadChar kKeypadChars[] = {
    {SDLK_KP_0, '0', true},         {SDLK_KP_1, '1', true},      {SDLK_KP_2, '2', true},
    {SDLK_KP_3, '3', true},         {SDLK_KP_4, '4', true},      {SDLK_KP_5, '5', true},
    {SDLK_KP_6, '6', true},         {SDLK_KP_7, '7', true},      {SDLK_KP_8, '8', true},
    {SDLK_KP_9, '9', true},         {SDLK_KP_PERIOD, '.', true}, {SDLK_KP_DIVIDE, '/', false},
    {SDLK_KP_MULTIPLY, '*', false}, {SDLK_KP_MINUS, '-', false}, {SDLK_KP_PLUS, '+', false},
};

// Ctrl with these keys types a control character.
struct ControlChar {
    SDL_Keycode key;
    unsigned int character;
};
constexpr ControlChar kControlChars[] = {
    {SDLK_LEFTBRACKET, 0x1B},
    {SDLK_BACKSLASH, 0x1C},
    {SDLK_RIGHTBRACKET, 0x1D},
    {SDLK_RETURN, kCharLineFeed},
    {SDLK_BACKSPACE, kCharCtrlBackspace},
};

struct MouseButtonRow {
    uint8_t sdlButton;
    int index;
};
constexpr MouseButtonRow kMouseButtons[] = {
    {SDL_BUTTON_LEFT, 0},    // left
    {SDL_BUTTON_RIGHT, 1},   // right
    {SDL_BUTTON_MIDDLE, 2},  // middle
    {SDL_BUTTON_X1, 3},      // first extra button
};

bool IsLetter(SDL_Keycode key)
{
    return key >= 'a' && key <= 'z';
}

void TranslateKey(const SDL_KeyboardEvent& key, HWND window, PlatformInput& input)
{
    const bool down = key.type == SDL_KEYDOWN;
    const SdlKeyCodes codes = LookUpSdlKey(key.keysym.scancode);
    if (!key.repeat) {
        input.SetKey(codes.dik, down);
    }
    if (codes.virtualKey == 0) {
        return;
    }
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0 && (key.keysym.mod & KMOD_CTRL) == 0;
    UINT message;
    if (down) {
        message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        message = alt ? WM_SYSKEYUP : WM_KEYUP;
    }
    const unsigned int character = down && !alt ? TypedCharacter(key.keysym.sym, key.keysym.mod) : 0;
    PostKeyMessage(window, message, codes.virtualKey, KeyMessageLParam(codes.dik, down, key.repeat != 0), character);
}

void TranslateWindowEvent(const SDL_WindowEvent& event, HWND window, PlatformInput& input)
{
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            input.SetFocus(true);
            PostMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            input.SetFocus(false);
            PostMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            PostMessage(window, WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

}  // namespace

unsigned int TypedCharacter(SDL_Keycode key, uint16_t modifiers)
{
    if ((modifiers & KMOD_ALT) != 0) {
        return 0;
    }
    if ((modifiers & KMOD_CTRL) != 0) {
        if (IsLetter(key)) {
            return static_cast<unsigned int>(key - 'a' + 1);
        }
        for (const ControlChar& row : kControlChars) {
            if (row.key == key) {
                return row.character;
            }
        }
        if (key == SDLK_ESCAPE) {
            return kCharEscape;
        }
        return 0;
    }
    switch (key) {
        case SDLK_ESCAPE:
            return kCharEscape;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kCharReturn;
        case SDLK_BACKSPACE:
            return kCharBackspace;
        case SDLK_TAB:
            return kCharTab;
        default:
            break;
    }
    for (const KeypadChar& row : kKeypadChars) {
        if (row.key == key) {
            if (row.needsNumLock && (modifiers & KMOD_NUM) == 0) {
                return 0;
            }
            return static_cast<unsigned int>(row.character);
        }
    }
    if (key < static_cast<SDL_Keycode>(kFirstPrintable) || key > static_cast<SDL_Keycode>(kLastPrintable)) {
        return 0;
    }
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    if (IsLetter(key)) {
        const bool caps = (modifiers & KMOD_CAPS) != 0;
        return static_cast<unsigned int>(shift != caps ? key - 'a' + 'A' : key);
    }
    if (shift) {
        for (const ShiftedChar& row : kShiftedChars) {
            if (row.plain == key) {
                return static_cast<unsigned int>(static_cast<unsigned char>(row.shifted));
            }
        }
    }
    return static_cast<unsigned int>(key);
}

LPARAM KeyMessageLParam(uint8_t dik, bool down, bool repeat)
{
    LPARAM value = 1;
    value |= static_cast<LPARAM>(dik & ~kExtendedKeyFlag) << kScanCodeShift;
    if ((dik & kExtendedKeyFlag) != 0) {
        value |= kExtendedBit;
    }
    if (!down || repeat) {
        value |= kPreviousStateBit;
    }
    if (!down) {
        value |= kTransitionBit;
    }
    return value;
}

int MouseButtonIndex(uint8_t sdlButton)
{
    for (const MouseButtonRow& row : kMouseButtons) {
        if (row.sdlButton == sdlButton) {
            return row.index;
        }
    }
    return -1;
}

void TranslateSdlEvent(const SDL_Event& event, HWND window, PlatformInput& input)
{
    switch (event.type) {
        case SDL_QUIT:  // SIGINT, SIGTERM
            PostMessage(window, WM_CLOSE, 0, 0);
            break;
        case SDL_WINDOWEVENT:
            TranslateWindowEvent(event.window, window, input);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            TranslateKey(event.key, window, input);
            break;
        case SDL_MOUSEMOTION:
            input.AddMouseMotion(event.motion.xrel, event.motion.yrel);
            break;
        case SDL_MOUSEWHEEL: {
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                notches = -notches;
            }
            input.AddWheelNotches(notches);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            input.SetMouseButton(MouseButtonIndex(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
            break;
        default:
            break;
    }
}
