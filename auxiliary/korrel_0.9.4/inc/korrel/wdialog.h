// A modeless dialog built from a dialog resource on the toolkit's GUI
// thread. User code never writes a dialog procedure: it registers callbacks,
// and the one procedure here calls the newest match. OK, Cancel, the close
// box and the window's destruction close the dialog (open flag false).
#pragma once

#include "wcontrols.h"

#include <atomic>

class WDialog : public WControls {
public:
    // Waits until the window exists (built on the GUI thread).
    WDialog(unsigned dialogId, bool show, const char* moduleName, unsigned userWord);
    // Drops every handler, hot-key and colour entry of the window; the window
    // itself must already be closed.
    ~WDialog() override;

    bool IsOpen() const { return open_.load(); }
    void SetOpen(bool open) { open_.store(open); }
    unsigned GetUserWord() const { return userWord_; }
    unsigned GetDialogId() const { return dialogId_; }

    static LRESULT DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Builds the dialog's window; runs on the GUI thread.
    static void LoadDialogBoxAPC(WDialog* dialog);
    // Clears the owner's open flag and destroys its window.
    static void OnClose(WEvent event);

private:
    unsigned userWord_;
    std::atomic<bool> open_{false};
    unsigned dialogId_;
};
