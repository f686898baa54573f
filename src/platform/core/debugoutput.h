// Where debug text goes: standard error, one write per message.
// Tests can install a hook that receives every message instead.
#pragma once

#include <functional>

using DebugOutputHook = std::function<void(const char* text)>;

// Writes the text in one write() call to standard error, or hands it to the
// hook when one is installed. Safe from any thread.
void PlatformDebugOutput(const char* text);

// Installs (or, with an empty function, removes) the hook; returns the old one.
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);
