// The main thread's SDL event pump; see eventpump.h.
#include "eventpump.h"

#include <SDL2/SDL.h>

#include "platforminput.h"
#include "platformwindow.h"
#include "sdleventtranslator.h"
#include "windowsystem.h"

void PumpWindowEvents()
{
    if (!OnWindowSystemThread()) {
        return;  // not started yet, or a toolkit thread peeking
    }
    PlatformInput& input = GetPlatformInput();
    const HWND window = GetMainWindow();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        TranslateSdlEvent(event, window, input);
    }
    const bool wanted = input.WantsRelativeMouse();
    if ((SDL_GetRelativeMouseMode() == SDL_TRUE) != wanted) {
        SDL_SetRelativeMouseMode(wanted ? SDL_TRUE : SDL_FALSE);
    }
}
