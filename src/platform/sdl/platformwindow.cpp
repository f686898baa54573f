// SDL-backed GL window and context; see platformwindow.h.
#include "platformwindow.h"

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "debugoutput.h"
#include "eventpump.h"
#include "platforminput.h"
#include "windowsystem.h"

namespace {

constexpr int kHighColourChannelBits = 8;  // 24 and 32 colour bits
constexpr int kLowColourRedBlueBits = 5;   // 16 colour bits: 5-6-5
constexpr int kLowColourGreenBits = 6;
constexpr int kHighColourThreshold = 24;
// Software GL on a virtual X server now and then hands a fresh video session a
// single-buffered visual; a new session gets a good one.
constexpr int kVideoRestarts = 4;

struct PlatformWindow {
    HWND handle = nullptr;
    SDL_Window* window = nullptr;
};

std::vector<PlatformWindow> gWindows;
HWND gMainWindow = nullptr;

PlatformWindow* FromHandle(HWND handle)
{
    for (PlatformWindow& window : gWindows) {
        if (handle != nullptr && window.handle == handle) {
            return &window;
        }
    }
    return nullptr;
}

void LogSdlFailure(const char* what)
{
    std::string line = std::string(what) + ": " + SDL_GetError() + "\n";
    PlatformDebugOutput(line.c_str());
}

void RequestPixelFormat(int colorBits, int depthBits)
{
    const bool high = colorBits >= kHighColourThreshold;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, high ? kHighColourChannelBits : kLowColourRedBlueBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, high ? kHighColourChannelBits : kLowColourGreenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, high ? kHighColourChannelBits : kLowColourRedBlueBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Immediate mode, display lists and fixed-function lighting: no core
    // profile is asked for, so the driver gives a compatibility context.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

SDL_Window* CreateSdlWindow(const WindowRequest& request)
{
    RequestPixelFormat(request.colorBits, request.depthBits);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (request.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    SDL_Window* window = SDL_CreateWindow(request.title, request.x, request.y, request.width, request.height, flags);
    if (window == nullptr) {
        LogSdlFailure("SDL_CreateWindow failed");
    }
    return window;
}

// Whether a context made on the window draws double-buffered.
bool WindowIsDoubleBuffered(SDL_Window* window)
{
    SDL_GLContext probe = SDL_GL_CreateContext(window);
    if (probe == nullptr) {
        return true;  // the real context creation reports the failure
    }
    int doubleBuffer = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(probe);
    return doubleBuffer != 0;
}

// The window, made again in a restarted video session while it comes out
// single-buffered; only the first window may restart the session.
SDL_Window* CreateDoubleBufferedWindow(const WindowRequest& request)
{
    SDL_Window* window = CreateSdlWindow(request);
    for (int restart = 0; restart < kVideoRestarts && window != nullptr && gWindows.empty(); ++restart) {
        if (WindowIsDoubleBuffered(window)) {
            break;
        }
        PlatformDebugOutput("Single-buffered GL visual; restarting the video session.\n");
        SDL_DestroyWindow(window);
        if (!RestartWindowSystem()) {
            return nullptr;
        }
        window = CreateSdlWindow(request);
    }
    return window;
}

}  // namespace

bool GetDesktopSize(int* width, int* height)
{
    *width = 0;
    *height = 0;
    if (!StartWindowSystem()) {
        return false;
    }
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return false;
    }
    *width = mode.w;
    *height = mode.h;
    return true;
}

bool CanUseFullscreen(int width, int height, int colorBits)
{
    (void)colorBits;
    int desktopWidth = 0;
    int desktopHeight = 0;
    if (!GetDesktopSize(&desktopWidth, &desktopHeight)) {
        return false;
    }
    // Desktop full screen keeps the display mode and scales nothing: the
    // requested size must fit on the display.
    return width > 0 && height > 0 && width <= desktopWidth && height <= desktopHeight;
}

HWND CreatePlatformWindow(const WindowRequest& request)
{
    if (!StartWindowSystem()) {
        return nullptr;
    }
    SDL_Window* sdlWindow = CreateDoubleBufferedWindow(request);
    if (sdlWindow == nullptr) {
        return nullptr;
    }
    PlatformWindow window;
    window.handle = CreateWindowHandle(request.procedure);
    window.window = sdlWindow;
    gWindows.push_back(window);
    if (gMainWindow == nullptr) {
        gMainWindow = window.handle;
        SetPeekHook(PumpWindowEvents);
    }
    return window.handle;
}

GLContextHandle CreateGLContext(HWND handle)
{
    PlatformWindow* window = FromHandle(handle);
    if (window == nullptr) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window->window);
    if (context == nullptr) {
        LogSdlFailure("SDL_GL_CreateContext failed");
        return nullptr;
    }
    return static_cast<GLContextHandle>(context);
}

bool MakeGLContextCurrent(HWND handle, GLContextHandle context)
{
    PlatformWindow* window = FromHandle(handle);
    SDL_Window* sdlWindow = window ? window->window : nullptr;
    if (SDL_GL_MakeCurrent(sdlWindow, static_cast<SDL_GLContext>(context)) != 0) {
        LogSdlFailure("SDL_GL_MakeCurrent failed");
        return false;
    }
    return true;
}

bool DeleteGLContext(GLContextHandle context)
{
    if (context == nullptr) {
        return false;
    }
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    return true;
}

bool PixelFormatMatches(HWND handle, int colorBits, int depthBits)
{
    if (FromHandle(handle) == nullptr) {
        return false;
    }
    int red = 0, green = 0, blue = 0, depth = 0, doubleBuffer = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &green);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &blue);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    const int wantedRgb = colorBits >= kHighColourThreshold ? 3 * kHighColourChannelBits
                                                            : 2 * kLowColourRedBlueBits + kLowColourGreenBits;
    return doubleBuffer != 0 && depth >= depthBits && red + green + blue >= wantedRgb;
}

void ShowPlatformWindow(HWND handle)
{
    PlatformWindow* window = FromHandle(handle);
    if (window == nullptr) {
        return;
    }
    SDL_ShowWindow(window->window);
    FocusPlatformWindow(handle);
}

void FocusPlatformWindow(HWND handle)
{
    PlatformWindow* window = FromHandle(handle);
    if (window == nullptr) {
        return;
    }
    SDL_RaiseWindow(window->window);
    SDL_SetWindowInputFocus(window->window);
}

bool SwapWindowBuffers(HWND handle)
{
    GetPlatformInput().EndFrame();  // the frame ends even when it cannot be shown
    PlatformWindow* window = FromHandle(handle);
    if (window == nullptr) {
        return false;
    }
    SDL_GL_SwapWindow(window->window);
    PumpWindowEvents();
    return true;
}

bool DestroyPlatformWindow(HWND handle)
{
    PlatformWindow* window = FromHandle(handle);
    if (window == nullptr) {
        return false;
    }
    if (handle == gMainWindow) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        SetPeekHook(nullptr);
        gMainWindow = nullptr;
    }
    SDL_DestroyWindow(window->window);
    DestroyWindowHandle(handle);
    gWindows.erase(gWindows.begin() + (window - gWindows.data()));
    return true;
}

void SetSystemCursorVisible(bool visible)
{
    if (WindowSystemStarted()) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
}

bool GetWindowClientSize(HWND handle, int* width, int* height)
{
    PlatformWindow* window = FromHandle(handle);
    if (window == nullptr) {
        return false;
    }
    SDL_GetWindowSize(window->window, width, height);
    return true;
}

HWND GetMainWindow()
{
    return gMainWindow;
}
