// Dialog windows and their controls on the GUI thread, shaped like the Win32
// calls the toolkit makes. A window handle is an id that is never reused:
// calls on a destroyed window fail softly (null, 0 or false). Every call may
// come from any thread; it runs on the GUI thread and waits for it there.
// User input reaches the dialog procedure as Win32 messages (WM_COMMAND with
// the notification in the high word of wParam and the control's handle in
// lParam, WM_CLOSE, WM_DESTROY, scroll, notify, draw item, colour queries);
// key presses first pass the message filter, before the focused control.
#pragma once

#include "guimessages.h"
#include "guiresource.h"
#include "messagequeue.h"  // MSG
#include "winmessages.h"

#include <cstdint>
#include <string>

struct GuiMenuTag;
using HMENU = GuiMenuTag*;
struct GuiAcceleratorTag;
using HACCEL = GuiAcceleratorTag*;
struct GuiBrushTag;
using HBRUSH = GuiBrushTag*;
struct GuiImageTag;
using HIMAGE = GuiImageTag*;
using COLORREF = DWORD;

constexpr COLORREF RGB(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The number a handle stands for (for trace lines).
inline unsigned GuiHandleNumber(HWND window)
{
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window));
}

// A dialog's procedure: TRUE when it handled the message; for the colour
// queries a brush (0: system colours).
using GuiDialogProc = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Builds the dialog from the module's resource table, hidden unless its
// template has WS_VISIBLE. Null when there is no display or no such dialog.
HWND GuiCreateDialog(const char* moduleName, int dialogId, GuiDialogProc procedure);
// Sends WM_DESTROY to the dialog procedure, then destroys the window and its
// controls. FALSE for an unknown window or one already being destroyed.
BOOL GuiDestroyWindow(HWND window);
bool GuiIsWindow(HWND window);
// Number of live windows (dialogs and controls).
int GuiWindowCount();

HWND GuiGetDlgItem(HWND dialog, int id);
HWND GuiGetParent(HWND window);
int GuiGetDlgCtrlID(HWND control);
// The window's class name ("Button", "Edit", ...; "#32770" for a dialog), "" when unknown.
std::string GuiGetClassName(HWND window);
DWORD GuiGetWindowStyle(HWND window);

// Control messages by class (the Win32 meaning of each); 0 for an unknown window.
LRESULT GuiSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT GuiSendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// Caption of a dialog, text of a control.
bool GuiSetWindowText(HWND window, const std::string& text);
std::string GuiGetWindowText(HWND window);

bool GuiShowWindow(HWND window, bool show);
bool GuiIsWindowVisible(HWND window);
void GuiSetForegroundWindow(HWND window);
bool GuiEnableWindow(HWND window, bool enable);
bool GuiIsWindowEnabled(HWND window);
bool GuiSetFocus(HWND window);
HWND GuiGetFocus();

// Outer rectangle in screen coordinates.
bool GuiGetWindowRect(HWND window, RECT* rect);
bool GuiMoveWindow(HWND window, int x, int y, int width, int height, bool repaint);
// Asks the dialog procedure for its colours again (WM_CTLCOLOR...) and applies them.
void GuiInvalidateRect(HWND window);
void GuiUpdateWindow(HWND window);

HMENU GuiGetMenu(HWND window);
// MF_ flags of the item, or kMenuItemMissing.
UINT GuiGetMenuState(HMENU menu, UINT id);
// The previous state of the item (MF_CHECKED or MF_UNCHECKED), kMenuItemMissing when missing.
UINT GuiCheckMenuItem(HMENU menu, UINT id, UINT check);
UINT GuiEnableMenuItem(HMENU menu, UINT id, UINT enable);

HACCEL GuiLoadAccelerators(const char* moduleName, int id);
// A key-down that matches the table becomes WM_COMMAND(command, 1) to the window.
bool GuiTranslateAccelerator(HWND window, HACCEL table, const MSG& message);
// Dialog keyboard handling for the window: Tab and Shift+Tab among the
// tab-stop controls, Return as the default button, Escape as IDCANCEL.
bool GuiIsDialogMessage(HWND window, const MSG& message);

// Key messages (WM_KEYDOWN, WM_KEYUP; window = the focused control or the
// dialog) pass this filter first; true when it used the message up.
using GuiMessageFilter = bool (*)(const MSG& message);
void SetGuiMessageFilter(GuiMessageFilter filter);

// Images of the module's resource table; null when not found or not readable.
HIMAGE GuiLoadImage(const char* moduleName, int id, bool icon);
HBRUSH GuiCreateSolidBrush(COLORREF colour);
COLORREF GuiGetBrushColor(HBRUSH brush);
// Colour queries and owner drawing give the procedure a device context.
COLORREF GuiSetTextColor(HDC context, COLORREF colour);
COLORREF GuiSetBkColor(HDC context, COLORREF colour);

// Test driving: a key pressed and released on the focused control of the
// window's dialog, through the same path as a real key.
bool GuiSendKey(HWND window, WPARAM virtualKey, bool shift = false);
// A click on a menu command of the window's menu, as a user would make it.
bool GuiActivateMenuItem(HWND window, UINT id);
// A press on the window's close box.
bool GuiPressCloseBox(HWND window);
// Text colour and background the control shows, after colour handling.
bool GuiGetShownColors(HWND window, COLORREF* text, COLORREF* background);
