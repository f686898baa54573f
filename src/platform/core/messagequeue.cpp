// The process's window-message queue and window-procedure table.
#include "messagequeue.h"

#include "lockedexchange.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace {
constexpr std::uintptr_t kFirstWindowHandle = 0x1000;
constexpr std::uintptr_t kWindowHandleStep = 0x10;

struct QueueState {
    std::mutex mutex;
    std::deque<MSG> messages;
    std::unordered_map<HWND, WNDPROC> windows;
    std::uintptr_t nextHandle = kFirstWindowHandle;
    bool quitPosted = false;
    int quitCode = 0;
    PeekHook peekHook;
    CharacterLookup characterLookup;
};

QueueState& State()
{
    static QueueState state;
    return state;
}

bool Matches(const MSG& message, HWND window, UINT first, UINT last)
{
    if (message.message == WM_QUIT)
        return true;
    if (window != nullptr && message.hwnd != window)
        return false;
    if (first == 0 && last == 0)
        return true;
    return message.message >= first && message.message <= last;
}

BOOL Post(const MSG& message)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (message.hwnd != nullptr && state.windows.count(message.hwnd) == 0)
        return FALSE;
    state.messages.push_back(message);
    return TRUE;
}
}  // namespace

HWND CreateWindowHandle(WNDPROC procedure)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    HWND window = reinterpret_cast<HWND>(state.nextHandle);
    state.nextHandle += kWindowHandleStep;
    state.windows[window] = procedure;
    return window;
}

void DestroyWindowHandle(HWND window)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (window == nullptr || state.windows.erase(window) == 0)
        return;
    state.messages.erase(std::remove_if(state.messages.begin(), state.messages.end(),
                                        [window](const MSG& message) { return message.hwnd == window; }),
                         state.messages.end());
}

bool IsWindow(HWND window)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    return window != nullptr && state.windows.count(window) != 0;
}

WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    auto found = state.windows.find(window);
    if (found == state.windows.end())
        return nullptr;
    WNDPROC old = found->second;
    found->second = procedure;
    return old;
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostKeyMessage(window, message, wParam, lParam, 0);
}

BOOL PostKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, unsigned int character)
{
    MSG entry;
    entry.hwnd = window;
    entry.message = message;
    entry.wParam = wParam;
    entry.lParam = lParam;
    entry.character = character;
    return Post(entry);
}

void PostQuitMessage(int exitCode)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    MSG entry;
    entry.message = WM_QUIT;
    entry.wParam = static_cast<WPARAM>(exitCode);
    state.messages.push_back(entry);
    state.quitPosted = true;
    state.quitCode = exitCode;
}

bool GetPostedQuitCode(int& exitCode)
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.quitPosted)
        return false;
    exitCode = state.quitCode;
    return true;
}

BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT removeFlags)
{
    QueueState& state = State();
    PeekHook hook;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        hook = state.peekHook;
    }
    if (hook)
        hook();

    std::lock_guard<std::mutex> lock(state.mutex);
    for (auto it = state.messages.begin(); it != state.messages.end(); ++it) {
        if (!Matches(*it, window, first, last))
            continue;
        if (message != nullptr)
            *message = *it;
        if (removeFlags & PM_REMOVE)
            state.messages.erase(it);
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* message)
{
    if (message == nullptr)
        return FALSE;
    UINT charMessage;
    if (message->message == WM_KEYDOWN)
        charMessage = WM_CHAR;
    else if (message->message == WM_SYSKEYDOWN)
        charMessage = WM_SYSCHAR;
    else
        return FALSE;

    QueueState& state = State();
    CharacterLookup lookup;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        lookup = state.characterLookup;
    }
    unsigned int character = lookup ? lookup(*message) : message->character;
    if (character == 0)
        return FALSE;

    MSG entry;
    entry.hwnd = message->hwnd;
    entry.message = charMessage;
    entry.wParam = character;
    entry.lParam = message->lParam;
    std::lock_guard<std::mutex> lock(state.mutex);
    if (entry.hwnd != nullptr && state.windows.count(entry.hwnd) == 0)
        return FALSE;
    state.messages.push_front(entry);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* message)
{
    if (message == nullptr || message->hwnd == nullptr)
        return 0;
    WNDPROC procedure = nullptr;
    {
        QueueState& state = State();
        std::lock_guard<std::mutex> lock(state.mutex);
        auto found = state.windows.find(message->hwnd);
        if (found != state.windows.end())
            procedure = found->second;
    }
    if (procedure == nullptr)
        return 0;
    return procedure(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

PeekHook SetPeekHook(PeekHook hook)
{
    QueueState& state = State();
    return ExchangeLocked(state.mutex, state.peekHook, std::move(hook));
}

CharacterLookup SetCharacterLookup(CharacterLookup lookup)
{
    QueueState& state = State();
    return ExchangeLocked(state.mutex, state.characterLookup, std::move(lookup));
}

int QueuedMessageCount()
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    return static_cast<int>(state.messages.size());
}

void ResetMessageQueue()
{
    QueueState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.messages.clear();
    state.windows.clear();
    state.quitPosted = false;
    state.quitCode = 0;
    state.peekHook = nullptr;
    state.characterLookup = nullptr;
}
