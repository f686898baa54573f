#include "debugbreak.h"
#include "debugoutput.h"
#include "lockedexchange.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex g_handlerMutex;
DebugBreakHandler g_handler;
constexpr size_t kBreakLineSize = 1024;
}  // namespace

void PlatformDebugBreak(const char* file, int line, const char* what)
{
    char text[kBreakLineSize];
    std::snprintf(text, sizeof(text), "DEBUG BREAK %s:%d: %s\n", file ? file : "?", line, what ? what : "");
    PlatformDebugOutput(text);
    DebugBreakHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    if (handler) {
        handler(file, line, what);
        return;
    }
    std::abort();
}

DebugBreakHandler SetDebugBreakHandler(DebugBreakHandler handler)
{
    return ExchangeLocked(g_handlerMutex, g_handler, std::move(handler));
}
