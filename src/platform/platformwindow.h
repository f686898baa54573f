// The GL window of the platform layer: one top-level window with an OpenGL
// compatibility context, in the steps the graphics component takes (create
// the window, create and activate the context, check the pixel format, show,
// swap, release). Window handles come from the message queue, so the
// queue dispatches the window's messages to its procedure. The backend
// implements it.
#pragma once

#include "messagequeue.h"

struct GLContextTag;
using GLContextHandle = GLContextTag*;

struct WindowRequest {
    const char* title = "";
    int x = 0;  // top-left corner of the client area on the desktop
    int y = 0;
    int width = 0;  // client area in pixels
    int height = 0;
    int colorBits = 32;
    int depthBits = 16;
    bool fullscreen = false;      // desktop full screen
    WNDPROC procedure = nullptr;  // receives the window's messages
};

// Size of the primary display; false (and 0 x 0) when there is none.
bool GetDesktopSize(int* width, int* height);

// Whether a full-screen window of this size can be shown (desktop full screen).
bool CanUseFullscreen(int width, int height, int colorBits);

// A hidden, double-buffered RGBA window; null with one debug line on failure.
// The first window becomes the one whose events are posted; from then on
// every PeekMessage takes in the pending window events first.
HWND CreatePlatformWindow(const WindowRequest& request);

// The OpenGL context of the window (compatibility profile); null on failure.
GLContextHandle CreateGLContext(HWND window);

// Makes the context current on this thread; (null, null) releases it.
bool MakeGLContextCurrent(HWND window, GLContextHandle context);

bool DeleteGLContext(GLContextHandle context);

// With the window's context current: true when it has double buffering, the
// requested depth bits and enough colour bits.
bool PixelFormatMatches(HWND window, int colorBits, int depthBits);

// Shows the window, raises it and gives it the keyboard focus.
void ShowPlatformWindow(HWND window);

// Raises the window and takes the input focus for it, as after a dialog of
// our own closed (with no window manager nobody else gives it back).
void FocusPlatformWindow(HWND window);

// Ends the input frame (PlatformInput::EndFrame, with or without a window),
// presents the back buffer, then takes in pending window events.
bool SwapWindowBuffers(HWND window);

// Closes the window and forgets its handle and queued messages.
bool DestroyPlatformWindow(HWND window);

// The system pointer over the window (hidden in full screen).
void SetSystemCursorVisible(bool visible);

// Client size of the window; false for an unknown handle.
bool GetWindowClientSize(HWND window, int* width, int* height);

// The window events are posted for; null when none exists.
HWND GetMainWindow();
