// AppState: one full-window screen of the game (title, in-game, pause...).
// The Application calls Enter when a state becomes current, Update once a
// frame and Exit when it stops being current; the window procedure hands
// it every window message.
#pragma once

#include "winmessages.h"

class AppState {
public:
    virtual ~AppState() = default;

    // dt: seconds since the previous frame. Draws and presents the frame.
    virtual void Update(float dt) = 0;
    // previousIndex: table index of the state that was current, -1 at start.
    virtual void Enter(int previousIndex) = 0;
    // nextIndex: table index of the state that becomes current, -1 at the end.
    virtual void Exit(int nextIndex) = 0;
    // Default: posts the quit message on WM_DESTROY and WM_CLOSE, then
    // returns DefWindowProc's result.
    virtual LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
