// The GUI thread, its request queues and the GSource that serves them.
#include "guithread.h"

#include <X11/Xlib.h>
#include <gtk/gtk.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

constexpr auto kWaitHookPeriod = std::chrono::milliseconds(1);

// One request's own completion: the waiter owns it, the GUI thread signals
// it under its mutex, so the waiter may return the moment it sees `done`.
struct Completion {
    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;

    void Signal()
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        changed.notify_all();
    }
};

struct Request {
    std::function<void()> fn;
    Completion* completion;  // null for a posted work item nobody waits for
};

struct GuiState {
    std::mutex queueMutex;
    std::deque<Request> calls;
    std::deque<Request> work;

    std::mutex startMutex;
    std::condition_variable startChanged;
    bool started = false;

    std::atomic<bool> running{false};
    std::atomic<bool> display{false};
    std::atomic<unsigned> kernelId{0};
    std::thread::id threadId;
    std::thread thread;
    GMainLoop* loop = nullptr;
    int busyDepth = 0;  // GUI thread only
};

// Never destroyed: the thread may outlive static destruction at exit.
GuiState& State()
{
    static GuiState* state = new GuiState;
    return *state;
}

thread_local GuiWaitHook tWaitHook;

void WaitFor(Completion& completion)
{
    std::unique_lock<std::mutex> lock(completion.mutex);
    while (!completion.done) {
        if (!tWaitHook) {
            completion.changed.wait(lock);
            continue;
        }
        lock.unlock();
        tWaitHook();
        lock.lock();
        if (!completion.done) {
            completion.changed.wait_for(lock, kWaitHookPeriod);
        }
    }
}

bool HasReadyRequest()
{
    GuiState& state = State();
    std::lock_guard<std::mutex> lock(state.queueMutex);
    return !state.calls.empty() || (state.busyDepth == 0 && !state.work.empty());
}

// Takes the next request to serve: calls first, work items only when idle.
bool TakeRequest(Request& request)
{
    GuiState& state = State();
    std::lock_guard<std::mutex> lock(state.queueMutex);
    if (!state.calls.empty()) {
        request = std::move(state.calls.front());
        state.calls.pop_front();
        return true;
    }
    if (state.busyDepth == 0 && !state.work.empty()) {
        request = std::move(state.work.front());
        state.work.pop_front();
        return true;
    }
    return false;
}

gboolean PrepareSource(GSource*, gint* timeout)
{
    *timeout = -1;
    return HasReadyRequest();
}

gboolean CheckSource(GSource*)
{
    return HasReadyRequest();
}

gboolean DispatchSource(GSource*, GSourceFunc, gpointer)
{
    Request request;
    while (TakeRequest(request)) {
        {
            GuiBusyScope busy;
            request.fn();
        }
        if (request.completion) {
            request.completion->Signal();
        }
    }
    return G_SOURCE_CONTINUE;
}

GSourceFuncs gRequestSourceFuncs = {PrepareSource, CheckSource, DispatchSource, nullptr, nullptr, nullptr};

void ThreadMain()
{
    GuiState& state = State();
    GMainContext* context = g_main_context_default();
    g_main_context_acquire(context);
    gtk_disable_setlocale();
    const bool display = gtk_init_check(nullptr, nullptr);

    GSource* source = g_source_new(&gRequestSourceFuncs, sizeof(GSource));
    g_source_set_can_recurse(source, TRUE);
    g_source_attach(source, context);
    state.loop = g_main_loop_new(context, FALSE);
    {
        std::lock_guard<std::mutex> lock(state.startMutex);
        state.kernelId = static_cast<unsigned>(::syscall(SYS_gettid));
        state.threadId = std::this_thread::get_id();
        state.display = display;
        state.running = true;
        state.started = true;
        state.startChanged.notify_all();
    }
    g_main_loop_run(state.loop);

    {
        std::lock_guard<std::mutex> lock(state.queueMutex);
        state.running = false;
    }
    // Serve whatever is still queued, so no waiter stays blocked.
    DispatchSource(source, nullptr, nullptr);
    g_source_destroy(source);
    g_source_unref(source);
    g_main_loop_unref(state.loop);
    state.loop = nullptr;
    g_main_context_release(context);
    state.kernelId = 0;
}

bool Enqueue(std::deque<Request> GuiState::*queue, std::function<void()> fn, Completion* completion)
{
    GuiState& state = State();
    {
        std::lock_guard<std::mutex> lock(state.queueMutex);
        if (!state.running) {
            return false;
        }
        (state.*queue).push_back(Request{std::move(fn), completion});
    }
    g_main_context_wakeup(g_main_context_default());
    return true;
}

struct ThreadsAtLoad {
    ThreadsAtLoad() { PrepareGuiThreads(); }
};
const ThreadsAtLoad gThreadsAtLoad;

}  // namespace

void PrepareGuiThreads()
{
    static const bool prepared = XInitThreads() != 0;
    (void)prepared;
}

bool StartGuiThread()
{
    GuiState& state = State();
    std::unique_lock<std::mutex> lock(state.startMutex);
    if (!state.started) {
        PrepareGuiThreads();
        state.thread = std::thread(ThreadMain);
        state.startChanged.wait(lock, [&state] { return state.started; });
    }
    return state.display;
}

void StopGuiThread()
{
    GuiState& state = State();
    std::lock_guard<std::mutex> lock(state.startMutex);
    if (!state.started || OnGuiThread()) {
        return;
    }
    CallOnGuiThread([&state] { g_main_loop_quit(state.loop); });
    state.thread.join();
    state.started = false;
    state.threadId = std::thread::id();
}

bool GuiThreadRunning()
{
    return State().running;
}

bool GuiHasDisplay()
{
    return State().running && State().display;
}

bool OnGuiThread()
{
    GuiState& state = State();
    return state.running && state.threadId == std::this_thread::get_id();
}

unsigned GuiThreadId()
{
    return State().kernelId;
}

bool CallOnGuiThread(const std::function<void()>& fn)
{
    if (OnGuiThread()) {
        GuiBusyScope busy;
        fn();
        return true;
    }
    Completion completion;
    if (!Enqueue(&GuiState::calls, fn, &completion)) {
        return false;
    }
    WaitFor(completion);
    return true;
}

bool PostGuiWork(std::function<void()> fn)
{
    return Enqueue(&GuiState::work, std::move(fn), nullptr);
}

bool RunGuiWork(std::function<void()> fn)
{
    if (OnGuiThread()) {
        GuiBusyScope busy;
        fn();
        return true;
    }
    Completion completion;
    if (!Enqueue(&GuiState::work, std::move(fn), &completion)) {
        return false;
    }
    WaitFor(completion);
    return true;
}

int GuiPendingWorkCount()
{
    GuiState& state = State();
    std::lock_guard<std::mutex> lock(state.queueMutex);
    return static_cast<int>(state.work.size());
}

void SetGuiWaitHook(GuiWaitHook hook)
{
    tWaitHook = std::move(hook);
}

void RunGuiWaitHook()
{
    if (tWaitHook) {
        tWaitHook();
    }
}

GuiBusyScope::GuiBusyScope()
{
    ++State().busyDepth;
}

GuiBusyScope::~GuiBusyScope()
{
    GuiState& state = State();
    if (--state.busyDepth == 0) {
        g_main_context_wakeup(g_main_context_default());
    }
}
