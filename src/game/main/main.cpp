// The program's entry: the display connection made ready for threads before
// anything else touches it, then the start-up, whose result is the exit code.
#include "guithread.h"
#include "morvostartup.h"
#include "windowsystem.h"

int main()
{
    PrepareWindowSystemThreads();
    PrepareGuiThreads();
    return RunMorvo();
}
