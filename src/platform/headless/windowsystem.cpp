// No window system: nothing ever starts; see windowsystem.h.
#include "windowsystem.h"

#include "debugoutput.h"

void PrepareWindowSystemThreads()
{}

bool StartWindowSystem()
{
    PlatformDebugOutput("No window system in this build.\n");
    return false;
}

bool RestartWindowSystem()
{
    return StartWindowSystem();
}

bool WindowSystemStarted()
{
    return false;
}

bool OnWindowSystemThread()
{
    return false;
}
