#include "debugoutput.h"
#include "lockedexchange.h"

#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {
std::mutex g_hookMutex;
DebugOutputHook g_hook;
}  // namespace

void PlatformDebugOutput(const char* text)
{
    if (!text)
        return;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        if (g_hook) {
            g_hook(text);
            return;
        }
    }
    size_t length = std::strlen(text);
    ssize_t written = ::write(STDERR_FILENO, text, length);
    (void)written;
}

DebugOutputHook SetDebugOutputHook(DebugOutputHook hook)
{
    return ExchangeLocked(g_hookMutex, g_hook, std::move(hook));
}
