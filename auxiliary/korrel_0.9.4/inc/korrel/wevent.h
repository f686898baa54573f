// The event record a toolkit callback receives, and the callback's shape.
#pragma once

#include "guiwindow.h"  // HWND, WPARAM, LPARAM

class WControls;

struct WEvent {
    unsigned id = 0;  // control id: low word of wParam; the scroll control's id for scroll messages
    WControls* owner = nullptr;
    HWND hWnd = nullptr;
    unsigned message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    unsigned userWord = 0;
};

using WEventCallback = void (*)(WEvent event);
