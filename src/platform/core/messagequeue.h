// The window-message queue, Win32 style: one queue for the process, read by
// the main loop one message per frame with PeekMessage, TranslateMessage
// and DispatchMessage. The window layer registers a procedure per window
// handle and appends the events it translates with PostMessage and
// PostKeyMessage (from its peek hook, so they arrive when the loop asks).
#pragma once

#include "winmessages.h"

#include <functional>

struct MSG {
    HWND hwnd = nullptr;
    UINT message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // The character a key-down produced, 0 for none (not a Win32 field).
    unsigned int character = 0;
};

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A new window handle whose messages go to the procedure.
HWND CreateWindowHandle(WNDPROC procedure);
// Forgets the handle and drops its queued messages; sends nothing to it.
void DestroyWindowHandle(HWND window);
bool IsWindow(HWND window);
// Replaces a window's procedure; returns the old one (null for an unknown handle).
WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure);

// Appends a message; FALSE for a window handle that does not exist.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends a key message that carries the character it typed.
BOOL PostKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, unsigned int character);
// Appends WM_QUIT (no window, wParam = exitCode) and records the code.
void PostQuitMessage(int exitCode);
// The code of the latest PostQuitMessage; false (code untouched) when none was posted.
bool GetPostedQuitCode(int& exitCode);

// Copies the oldest message that matches (any window when window is null;
// any message when first and last are both 0; WM_QUIT always matches) and
// removes it with PM_REMOVE. FALSE when none matches. Runs the peek hook first.
BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags);
// A WM_KEYDOWN (WM_SYSKEYDOWN) that produced a character puts a WM_CHAR
// (WM_SYSCHAR) with that character first in the queue; TRUE when it did.
BOOL TranslateMessage(const MSG* message);
// Calls the window's procedure and returns its result; 0 and nothing else
// for a message without a (known) window.
LRESULT DispatchMessage(const MSG* message);
// The default handling: returns 0. It never destroys the window.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

inline BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags)
{
    return PeekMessage(message, window, first, last, removeFlags);
}
inline LRESULT DispatchMessageA(const MSG* message)
{
    return DispatchMessage(message);
}
inline LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}
inline BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessage(window, message, wParam, lParam);
}

// Runs at the start of every PeekMessage, before the queue is searched:
// the window layer appends the events that arrived since. Returns the old hook.
using PeekHook = std::function<void()>;
PeekHook SetPeekHook(PeekHook hook);

// Tells TranslateMessage which character a key-down produced (0 for none).
// Without one, the message's own character field is used. Returns the old one.
using CharacterLookup = std::function<unsigned int(const MSG& keyDown)>;
CharacterLookup SetCharacterLookup(CharacterLookup lookup);

// Number of queued messages.
int QueuedMessageCount();

// Drops every message, window and hook and forgets the quit code (tests).
void ResetMessageQueue();
