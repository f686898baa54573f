// Modal message boxes with a caption and a set of buttons, shaped like the
// Win32 call the start-up and the graphics component use. With no display,
// or while MORVO_TEST is set, the text goes to standard error and the
// default (first) button is returned at once, so nothing ever blocks.
#pragma once

#include "winmessages.h"  // IDOK, IDCANCEL, IDYES, IDNO

// Button sets (low four bits of the style).
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
// Icons.
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_SETFOREGROUND = 0x10000;

// Shows the box and returns the button chosen (IDOK, IDYES ...).
int ShowMessageBox(const char* text, const char* caption, unsigned style);

// The button a box of this style returns without asking.
int DefaultMessageBoxResult(unsigned style);

// True when boxes only print (no display, or the test switch is on).
bool MessageBoxesPrintOnly();
