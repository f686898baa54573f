// The handler registry: newest-first entries under one recursive lock.
#include "korrel/whandlerregistry.h"

#include "guithread.h"
#include "korrel/korrelcheck.h"
#include "korrel/wcontrols.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
constexpr auto kLockRetry = std::chrono::microseconds(200);
}  // namespace

std::unique_lock<std::recursive_mutex> WHandlerRegistry::Lock() const
{
    if (OnGuiThread()) {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }
    std::unique_lock<std::recursive_mutex> lock(mutex_, std::try_to_lock);
    while (!lock.owns_lock()) {
        RunGuiWaitHook();
        std::this_thread::sleep_for(kLockRetry);
        lock.try_lock();
    }
    return lock;
}

void WHandlerRegistry::Add(const WHandlerEntry& entry)
{
    auto lock = Lock();
    entries_.insert(entries_.begin(), entry);
    KorrelTrace("Registered message handler #%u for hWnd=%X id=%u msg=%X %u\n", static_cast<unsigned>(entries_.size()),
                GuiHandleNumber(entry.window), entry.id, entry.message, entry.userWord);
}

bool WHandlerRegistry::Remove(HWND window, unsigned id, unsigned message)
{
    auto lock = Lock();
    for (auto at = entries_.begin(); at != entries_.end(); ++at) {
        if (at->window == window && at->id == id && at->message == message) {
            KorrelTrace("Found and removed message handler registry entry %u for hWnd=%X\n",
                        static_cast<unsigned>(at - entries_.begin()), GuiHandleNumber(window));
            entries_.erase(at);
            return true;
        }
    }
    return false;
}

void WHandlerRegistry::DropWindow(HWND window)
{
    auto lock = Lock();
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [window](const WHandlerEntry& entry) { return entry.window == window; }),
                   entries_.end());
}

void WHandlerRegistry::DropOwner(const WControls* owner)
{
    auto lock = Lock();
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [owner](const WHandlerEntry& entry) { return entry.owner == owner; }),
                   entries_.end());
}

int WHandlerRegistry::Count() const
{
    auto lock = Lock();
    return static_cast<int>(entries_.size());
}

bool WHandlerRegistry::Dispatch(HWND window, unsigned message, WPARAM wParam, LPARAM lParam)
{
    auto lock = Lock();
    const unsigned command = LOWORD(wParam);
    for (const WHandlerEntry& entry : entries_) {
        if (entry.window != window || (entry.message != 0 && entry.message != message) ||
            (entry.id != 0 && entry.id != command)) {
            continue;
        }
        WEvent event;
        event.id = EventControlId(message, wParam, lParam);
        event.owner = entry.owner;
        event.hWnd = window;
        event.message = message;
        event.wParam = wParam;
        event.lParam = lParam;
        event.userWord = entry.userWord;
        if (entry.owner) {
            entry.owner->lastEvent_ = event;
        }
        // The callback may change the registry: the entry is not used after it.
        const WEventCallback callback = entry.callback;
        callback(event);
        return true;
    }
    return false;
}

WHandlerRegistry& KorrelHandlers()
{
    static WHandlerRegistry* registry = new WHandlerRegistry;
    return *registry;
}

unsigned EventControlId(unsigned message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
        return static_cast<unsigned>(GuiGetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
    }
    return LOWORD(wParam);
}
