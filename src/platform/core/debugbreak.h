// The debug break for violated preconditions: one line
// "DEBUG BREAK file:line: what" on the debug output, then abort.
// A test may install a handler that returns instead; every caller keeps
// the code after the break safe for that case.
#pragma once

#include <functional>

using DebugBreakHandler = std::function<void(const char* file, int line, const char* what)>;

// Logs the break and aborts, unless a handler is installed (then calls it and returns).
void PlatformDebugBreak(const char* file, int line, const char* what);

// Installs (or, with an empty function, removes) the handler; returns the old one.
DebugBreakHandler SetDebugBreakHandler(DebugBreakHandler handler);

#define DEBUG_BREAK(what) PlatformDebugBreak(__FILE__, __LINE__, (what))
