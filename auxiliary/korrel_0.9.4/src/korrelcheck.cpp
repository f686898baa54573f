// The error check, version and trace switch.
#include "korrel/korrelcheck.h"

#include "debugbreak.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

namespace {
constexpr const char* kVersion = "V0.9.4";
std::atomic<bool> gTrace{false};
}  // namespace

const char* KorrelVersion()
{
    return kVersion;
}

void KorrelCheck(bool ok, const char* message)
{
    if (ok) {
        return;
    }
    std::fprintf(stderr, "Korrel ERROR: %s\n", message ? message : "");
    std::fflush(stderr);
    DEBUG_BREAK("test");
}

void KorrelCheck(bool ok, const char* message, const void* handle)
{
    if (ok) {
        return;
    }
    std::fprintf(stderr, "Korrel ERROR: %s %llXH\n", message ? message : "",
                 static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
    std::fflush(stderr);
    DEBUG_BREAK("test");
}

void KorrelSetTrace(bool on)
{
    gTrace = on;
}

bool KorrelTraceOn()
{
    return gTrace;
}

void KorrelTrace(const char* format, ...)
{
    if (!gTrace) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
}
