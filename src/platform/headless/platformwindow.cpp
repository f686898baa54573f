// No display: no window, no GL context; see platformwindow.h.
#include "platformwindow.h"

#include "platforminput.h"

bool GetDesktopSize(int* width, int* height)
{
    *width = 0;
    *height = 0;
    return false;
}

bool CanUseFullscreen(int, int, int)
{
    return false;
}

HWND CreatePlatformWindow(const WindowRequest&)
{
    return nullptr;
}

GLContextHandle CreateGLContext(HWND)
{
    return nullptr;
}

bool MakeGLContextCurrent(HWND window, GLContextHandle context)
{
    return window == nullptr && context == nullptr;  // releasing always works
}

bool DeleteGLContext(GLContextHandle)
{
    return false;
}

bool PixelFormatMatches(HWND, int, int)
{
    return false;
}

void ShowPlatformWindow(HWND)
{}

void FocusPlatformWindow(HWND)
{}

bool SwapWindowBuffers(HWND)
{
    GetPlatformInput().EndFrame();
    return false;
}

bool DestroyPlatformWindow(HWND)
{
    return false;
}

void SetSystemCursorVisible(bool)
{}

bool GetWindowClientSize(HWND, int*, int*)
{
    return false;
}

HWND GetMainWindow()
{
    return nullptr;
}
