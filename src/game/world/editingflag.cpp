// The editing flag: one global bool, off at start.
#include "editingflag.h"

#include "debuglog.h"

namespace {
bool g_editingEnabled = false;
}

bool IsEditingEnabled()
{
    return g_editingEnabled;
}

void SetEditingEnabled(bool enabled)
{
    if (enabled && !g_editingEnabled) {
        DebugLog("Editing enabled.\n");
    } else if (!enabled && g_editingEnabled) {
        DebugLog("Editing disabled.\n");
    }
    g_editingEnabled = enabled;
}
