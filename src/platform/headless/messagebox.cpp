// With no display every box prints; see messagebox.h.
#include "messagebox.h"

#include <cstdio>

int DefaultMessageBoxResult(unsigned style)
{
    const unsigned buttons = style & 0xF;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

bool MessageBoxesPrintOnly()
{
    return true;
}

int ShowMessageBox(const char* text, const char* caption, unsigned style)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
    return DefaultMessageBoxResult(style);
}
