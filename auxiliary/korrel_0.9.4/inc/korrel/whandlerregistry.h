// The process-wide handler registry: callbacks for (window, control id,
// message), newest first. The dialog procedure calls the first match with
// the registry's lock held; the lock is recursive, so a callback may register
// handlers or run a modal dialog whose messages come back here.
#pragma once

#include "wevent.h"

#include <mutex>
#include <vector>

struct WHandlerEntry {
    WControls* owner = nullptr;
    HWND window = nullptr;
    unsigned id = 0;       // 0: any control
    unsigned message = 0;  // 0: any message
    unsigned userWord = 0;
    WEventCallback callback = nullptr;
};

class WHandlerRegistry {
public:
    void Add(const WHandlerEntry& entry);
    // Removes the newest entry for exactly (window, id, message); false when none.
    bool Remove(HWND window, unsigned id, unsigned message);
    // Removes every entry of the window, or of the owner.
    void DropWindow(HWND window);
    void DropOwner(const WControls* owner);
    int Count() const;
    // Calls the newest matching entry's callback; false when none matched.
    bool Dispatch(HWND window, unsigned message, WPARAM wParam, LPARAM lParam);

private:
    // Off the GUI thread, waiting for the lock keeps the thread's wait hook running.
    std::unique_lock<std::recursive_mutex> Lock() const;

    mutable std::recursive_mutex mutex_;
    std::vector<WHandlerEntry> entries_;  // newest first
};

WHandlerRegistry& KorrelHandlers();

// The control id an event record carries for this message.
unsigned EventControlId(unsigned message, WPARAM wParam, LPARAM lParam);
