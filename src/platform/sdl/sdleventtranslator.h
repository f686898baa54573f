// Turns one SDL event into what the engine sees: Win32-style window messages
// in the message queue (activation, close, keys) and the keyboard and mouse
// state of the input device. Pure code over the event, so tests feed it
// hand-built events; the event pump feeds it SDL's queue.
#pragma once

#include <SDL2/SDL_events.h>

#include <cstdint>

#include "messagequeue.h"
#include "platforminput.h"

// Posts the event's messages for the window and updates the input state.
void TranslateSdlEvent(const SDL_Event& event, HWND window, PlatformInput& input);

// The character a key types with these modifiers (what WM_CHAR carries), 0 for none.
unsigned int TypedCharacter(SDL_Keycode key, uint16_t modifiers);

// lParam of a key message: repeat count 1, scan code, extended bit, previous
// state and transition bits.
LPARAM KeyMessageLParam(uint8_t dik, bool down, bool repeat);

// The mouse-state index (0 left, 1 right, 2 middle, 3 X1) of an SDL button, -1 for none.
int MouseButtonIndex(uint8_t sdlButton);
