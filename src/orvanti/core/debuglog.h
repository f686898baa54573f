// DebugLog: the program's one logging call, printf-style. The text is
// formatted into a 1024-byte buffer (longer text is cut) and written as one
// message; no newline, prefix or level is added.
#pragma once

void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
