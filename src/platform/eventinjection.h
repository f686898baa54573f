// Made-up input for tests that drive the game without a user: each call is
// handed to the backend's own event translation at once, as if the window
// system had just delivered the event (addressed to no window).
#pragma once

#include <cstdint>

// A key by its DirectInput code (DIK_*); it types no character.
void InjectKey(uint8_t dik, bool down);
void InjectMouseMotion(int dx, int dy);
// index: 0 left (kMouseLeft), 1 right (kMouseRight), 2 middle, 3 X1.
void InjectMouseButton(int index, bool down);
void InjectFocus(bool focused);
