// The base of the toolkit's window classes. The first object built starts
// the toolkit's GUI thread, where every dialog, control callback and thread
// timer lives, so a program whose main thread is busy in its own loop still
// has responsive dialogs. Also holds the toolkit's colour and brush tables.
#pragma once

#include "guiwindow.h"  // HWND, HMENU, HBRUSH, COLORREF

constexpr int kKorrelColorCount = 16;
constexpr int kKorrelDefaultColor = 10;  // black text on white
constexpr int kKorrelBlack = 0;
constexpr int kKorrelWhite = 9;

class WObject {
public:
    WObject();
    virtual ~WObject() = 0;
    WObject(const WObject&) = delete;
    WObject& operator=(const WObject&) = delete;

    // Loads accelerator table `id` of the object's module and adds it for the object's window.
    void RegisterHotKeyTable(unsigned id);
    // Shows or hides the object's window (id 0) or its dialog item, then
    // brings the object's window to the front.
    void SetVisible(bool visible, unsigned id = 0);
    void SetVisible(unsigned id, bool visible);

protected:
    HWND hWnd_ = nullptr;
    HMENU hMenu_ = nullptr;
    const char* moduleName_ = nullptr;  // null: the program's own resources
};

// Colour word k of the table, and its brush (created with the first object).
COLORREF KorrelColor(int index);
HBRUSH KorrelBrush(int index);
// Number of times the brush table was made (once per process).
int KorrelBrushTableBuilds();

// Ends the GUI thread; the next object starts a new one.
void KorrelShutdown();
