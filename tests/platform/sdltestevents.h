// Hand-built SDL events for the SDL layer's tests: the translator's tests
// feed them in directly, the window's tests push them onto SDL's queue.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <cstring>

// A zeroed event of the given type.
inline SDL_Event EventOfType(Uint32 type)
{
    SDL_Event event;
    std::memset(&event, 0, sizeof(event));
    event.type = type;
    return event;
}

// A key event; the key code follows from the scan code unless one is given.
inline SDL_Event KeyEvent(SDL_Scancode scancode, bool down, SDL_Keycode sym = SDLK_UNKNOWN, uint16_t mod = KMOD_NONE,
                          bool repeat = false)
{
    SDL_Event event = EventOfType(down ? SDL_KEYDOWN : SDL_KEYUP);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym == SDLK_UNKNOWN ? SDL_SCANCODE_TO_KEYCODE(scancode) : sym;
    event.key.keysym.mod = mod;
    return event;
}

inline SDL_Event WindowEvent(SDL_WindowEventID id)
{
    SDL_Event event = EventOfType(SDL_WINDOWEVENT);
    event.window.event = id;
    return event;
}

inline SDL_Event MotionEvent(int dx, int dy)
{
    SDL_Event event = EventOfType(SDL_MOUSEMOTION);
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    return event;
}

inline SDL_Event WheelEvent(int y, bool flipped)
{
    SDL_Event event = EventOfType(SDL_MOUSEWHEEL);
    event.wheel.y = y;
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return event;
}

inline SDL_Event ButtonEvent(uint8_t button, bool down)
{
    SDL_Event event = EventOfType(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    event.button.button = button;
    return event;
}
