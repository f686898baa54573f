// The toolkit's GUI thread: one thread that owns GTK and GLib's default main
// context from its start to the end of the process (or StopGuiThread). Other
// threads hand it two kinds of requests, each with its own completion:
// calls, served at once even inside a handler or a nested modal loop (the
// role of a sent message), and work items, served only while no handler,
// call or modal loop runs (the role of an asynchronous procedure call).
// Only this thread touches GTK; the rest of the backend hops onto it.
#pragma once

#include <functional>

// XInitThreads, once per process. The program's start-up calls it first in
// main; linking the backend also runs it when the program loads.
void PrepareGuiThreads();

// Starts the thread when it does not run and waits until its loop runs.
// Result: true when it could open a display (GTK is usable), false when it
// runs without one (every window call then fails softly).
bool StartGuiThread();
// Ends the loop and joins the thread; the next StartGuiThread starts anew.
void StopGuiThread();
bool GuiThreadRunning();
bool GuiHasDisplay();
bool OnGuiThread();
// Kernel id of the GUI thread, 0 while it does not run.
unsigned GuiThreadId();

// Runs fn on the GUI thread and waits for it (directly when called there).
// False, without running fn, when the thread does not run.
bool CallOnGuiThread(const std::function<void()>& fn);
// Queues fn as a work item and returns at once.
bool PostGuiWork(std::function<void()> fn);
// Queues fn as a work item and waits for that item alone (directly on the
// GUI thread). False, without running fn, when the thread does not run.
bool RunGuiWork(std::function<void()> fn);

// Work items queued and not yet started.
int GuiPendingWorkCount();

// While this thread waits for the GUI thread (a call, a work item, a lock
// the GUI thread may hold), it runs its wait hook every millisecond, so the
// GUI thread can in turn wait for work that only this thread does.
using GuiWaitHook = std::function<void()>;
void SetGuiWaitHook(GuiWaitHook hook);
void RunGuiWaitHook();

// Marks a handler, call or modal loop as running on the GUI thread: work
// items wait until the outermost scope ends.
class GuiBusyScope {
public:
    GuiBusyScope();
    ~GuiBusyScope();
    GuiBusyScope(const GuiBusyScope&) = delete;
    GuiBusyScope& operator=(const GuiBusyScope&) = delete;
};
