// Xlib thread support and SDL video start; see windowsystem.h.
#include "windowsystem.h"

#include <SDL2/SDL.h>
#include <X11/Xlib.h>

#include "debugoutput.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr const char* kNoDisplay = "no display: set DISPLAY, or run under a desktop\n";

bool gThreadsPrepared = false;
bool gVideoStarted = false;
std::thread::id gWindowThread;

// Xlib must know about threads before anything else starts, SDL's audio
// included: the program's window code runs this at load time.
struct ThreadsAtLoad {
    ThreadsAtLoad() { PrepareWindowSystemThreads(); }
};
const ThreadsAtLoad gThreadsAtLoad;

bool EnvironmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// A driver chosen by name (SDL_VIDEODRIVER) is taken as asked for.
bool DriverChosen()
{
    return EnvironmentSet("SDL_VIDEODRIVER");
}

// Without a display SDL falls back to drawing nowhere ("offscreen", "dummy").
bool ShowsNothing(const char* driver)
{
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

}  // namespace

void PrepareWindowSystemThreads()
{
    if (gThreadsPrepared) {
        return;
    }
    gThreadsPrepared = true;
    XInitThreads();
}

bool StartWindowSystem()
{
    if (gVideoStarted) {
        return true;
    }
    if (!DriverChosen() && !EnvironmentSet("DISPLAY") && !EnvironmentSet("WAYLAND_DISPLAY")) {
        PlatformDebugOutput(kNoDisplay);
        return false;
    }
    PrepareWindowSystemThreads();
    // Closing the window is a message to the game, not a quit of SDL's own;
    // SDL's quit event then only comes from SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::string line = std::string("SDL video start failed: ") + SDL_GetError() + "\n";
        PlatformDebugOutput(line.c_str());
        return false;
    }
    if (!DriverChosen() && ShowsNothing(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        PlatformDebugOutput(kNoDisplay);
        return false;
    }
    gVideoStarted = true;
    gWindowThread = std::this_thread::get_id();
    return true;
}

bool RestartWindowSystem()
{
    if (gVideoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        gVideoStarted = false;
    }
    return StartWindowSystem();
}

bool OnWindowSystemThread()
{
    return gVideoStarted && std::this_thread::get_id() == gWindowThread;
}

bool WindowSystemStarted()
{
    return gVideoStarted;
}
