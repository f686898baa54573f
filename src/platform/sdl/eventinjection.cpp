// Made-up input as SDL events through the translation; see eventinjection.h.
#include "eventinjection.h"

#include <SDL2/SDL.h>

#include "platforminput.h"
#include "sdleventtranslator.h"
#include "sdlkeytable.h"

namespace {

SDL_Event EventOfType(Uint32 type)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    return event;
}

void Translate(const SDL_Event& event)
{
    TranslateSdlEvent(event, nullptr, GetPlatformInput());
}

}  // namespace

void InjectKey(uint8_t dik, bool down)
{
    SDL_Event event = EventOfType(down ? SDL_KEYDOWN : SDL_KEYUP);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    const SDL_Scancode scancode = static_cast<SDL_Scancode>(SdlScancodeOfDik(dik));
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_SCANCODE_TO_KEYCODE(scancode);
    Translate(event);
}

void InjectMouseMotion(int dx, int dy)
{
    SDL_Event event = EventOfType(SDL_MOUSEMOTION);
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    Translate(event);
}

void InjectMouseButton(int index, bool down)
{
    SDL_Event event = EventOfType(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    for (uint8_t button = SDL_BUTTON_LEFT; button <= SDL_BUTTON_X2; ++button) {
        if (MouseButtonIndex(button) == index) {
            event.button.button = button;
        }
    }
    Translate(event);
}

void InjectFocus(bool focused)
{
    SDL_Event event = EventOfType(SDL_WINDOWEVENT);
    event.window.event = focused ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    Translate(event);
}
