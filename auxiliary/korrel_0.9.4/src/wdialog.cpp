// Dialogs: creation on the GUI thread, the one dialog procedure, closing.
#include "korrel/wdialog.h"

#include "guithread.h"
#include "korrel/korrelcheck.h"
#include "korrel/wcommondialogs.h"
#include "korrel/whandlerregistry.h"
#include "korrel/whotkeytable.h"

#include <cstdio>

namespace {

constexpr unsigned kCloseHandlers[][2] = {
    {IDCANCEL, WM_COMMAND},  // Cancel
    {IDOK, WM_COMMAND},      // OK
    {0, WM_DESTROY},         // the window's destruction
};

bool IsColourQuery(UINT message)
{
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return true;
        default:
            return false;
    }
}

}  // namespace

WDialog::WDialog(unsigned dialogId, bool show, const char* moduleName, unsigned userWord)
    : userWord_(userWord),
      dialogId_(dialogId)
{
    moduleName_ = moduleName;
    // A work item of its own, with its own completion: another thread's
    // request finishing first does not end this wait. On the GUI thread
    // (a callback opening a dialog) it runs at once.
    RunGuiWork([this] { LoadDialogBoxAPC(this); });
    open_ = true;
    for (const auto& handler : kCloseHandlers) {
        RegisterMessageHandler(handler[0], OnClose, handler[1], 0);
    }
    if (show) {
        GuiSetForegroundWindow(hWnd_);
        GuiShowWindow(hWnd_, true);
    }
}

WDialog::~WDialog()
{
    KorrelTrace("WDialog::~WDialog(): Destructor for dialog=%d\n", static_cast<int>(dialogId_));
    for (const auto& handler : kCloseHandlers) {
        UnregisterMessageHandler(handler[0], handler[1]);
    }
    // Nothing of the window may be used once its object is gone.
    KorrelHandlers().DropWindow(hWnd_);
    KorrelHotKeys().Drop(hWnd_);
    DropColorEntries(hWnd_);
}

void WDialog::LoadDialogBoxAPC(WDialog* dialog)
{
    dialog->hWnd_ = GuiCreateDialog(dialog->moduleName_, static_cast<int>(dialog->dialogId_), DialogProc);
    if (!dialog->hWnd_) {
        char text[96];
        std::snprintf(text, sizeof(text), "WObject::MessageThread(): Could not create dialog box Id = %d",
                      static_cast<int>(dialog->dialogId_));
        ShowErrorBox(text, "Korrel");
        KorrelCheck(false, "Could not load the dialog box");
    }
    dialog->hMenu_ = GuiGetMenu(dialog->hWnd_);
}

void WDialog::OnClose(WEvent event)
{
    if (auto* dialog = dynamic_cast<WDialog*>(event.owner)) {
        dialog->open_ = false;
        GuiDestroyWindow(dialog->hWnd_);
    }
}

LRESULT WDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (KorrelHandlers().Dispatch(window, message, wParam, lParam)) {
        return TRUE;
    }
    WColorEntry entry;
    if (IsColourQuery(message)) {
        const unsigned id = static_cast<unsigned>(GuiGetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (!FindColorEntry(window, id, &entry)) {
            return FALSE;
        }
        HDC context = reinterpret_cast<HDC>(wParam);
        GuiSetTextColor(context, entry.text);
        GuiSetBkColor(context, entry.background);
        return reinterpret_cast<LRESULT>(entry.brush);
    }
    switch (message) {
        case WM_CTLCOLORDLG:
            return FindWindowColorEntry(window, &entry) ? reinterpret_cast<LRESULT>(entry.brush) : FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) {
                return FALSE;
            }
            GuiDestroyWindow(window);
            return TRUE;
        case WM_CLOSE:
            GuiDestroyWindow(window);
            return TRUE;
        default:
            return FALSE;
    }
}
