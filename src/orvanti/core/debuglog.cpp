#include "debuglog.h"
#include "debugoutput.h"

#include <cstdarg>
#include <cstdio>

namespace {
constexpr size_t kLogBufferSize = 1024;
}

void DebugLog(const char* format, ...)
{
    char buffer[kLogBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    PlatformDebugOutput(buffer);
}
