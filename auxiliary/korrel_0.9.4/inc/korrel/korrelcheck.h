// The toolkit's error check, its version text and its trace switch. A failed
// check is a programming or platform error: it is reported on standard error
// ("Korrel ERROR: ...") and then breaks into the debugger.
#pragma once

// "V0.9.4".
const char* KorrelVersion();

void KorrelCheck(bool ok, const char* message);
// Adds the handle in hexadecimal: "Korrel ERROR: <message> <handle>H".
void KorrelCheck(bool ok, const char* message, const void* handle);

// Trace lines go to standard output while the switch is on (off by default).
void KorrelSetTrace(bool on);
bool KorrelTraceOn();
void KorrelTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
