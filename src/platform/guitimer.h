// Periodic callbacks on the GUI thread (timeouts of its main loop): the
// backend of the toolkit's thread timers. Both calls may come from any
// thread; they run on the GUI thread and wait for it there.
#pragma once

#include <functional>

// Calls tick every periodMs milliseconds (at least 1) on the GUI thread, as
// a handler (work items wait while it runs). 0 when the GUI thread does not run.
unsigned GuiStartTimer(unsigned periodMs, std::function<void()> tick);
// Ends the timer; once it returns, tick is not called again. Nothing for 0 or an ended timer.
void GuiStopTimer(unsigned timer);
