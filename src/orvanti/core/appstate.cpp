// The default window-message handling of an application state.
#include "appstate.h"

#include "messagequeue.h"

LRESULT AppState::HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY || message == WM_CLOSE)
        PostQuitMessage(0);
    return DefWindowProc(window, message, wParam, lParam);
}
