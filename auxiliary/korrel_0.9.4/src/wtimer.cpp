// Timers: the registry, the two timer procedures, start and stop of both kinds.
#include "korrel/wtimer.h"

#include "guitimer.h"
#include "korrel/korrelcheck.h"
#include "korrel/wtimerthread.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

namespace {

struct TimerRecord {
    WTimer* owner;
    unsigned id;
    WEventCallback callback;
};

// Never destroyed: timers may stop during static destruction.
struct TimerRegistry {
    std::recursive_mutex mutex;
    std::vector<TimerRecord> records;  // start order
};

TimerRegistry& Registry()
{
    static TimerRegistry* registry = new TimerRegistry;
    return *registry;
}

WTimerThread& TimerThread()
{
    static WTimerThread thread(WTimer::OnMultimediaTimer);
    return thread;
}

// Thread and multimedia timers take their ids from here, so one registry serves both.
unsigned NextTimerId()
{
    static std::atomic<unsigned> next{0};
    return ++next;
}

}  // namespace

unsigned KorrelTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

WTimer::WTimer(unsigned periodMs, WEventCallback callback, bool multimedia)
    : periodMs_(periodMs),
      callback_(callback),
      multimedia_(multimedia)
{
    Registry();
}

WTimer::~WTimer()
{
    Stop();
}

WTimer* WTimer::FromEvent(const WEvent& event)
{
    return static_cast<WTimer*>(reinterpret_cast<WObject*>(event.owner));
}

void WTimer::Start()
{
    if (timerId_ != 0) {
        Stop();
    }
    const unsigned id = NextTimerId();
    {
        std::lock_guard<std::recursive_mutex> lock(Registry().mutex);
        Registry().records.push_back(TimerRecord{this, id, callback_});
        timerId_ = id;
        if (multimedia_) {
            TimerThread().Add(id, periodMs_);
        }
    }
    if (!multimedia_) {
        // Not under the registry lock: the GUI thread may be in a timer callback.
        guiTimer_ = GuiStartTimer(periodMs_, [id] { OnThreadTimer(id); });
        KorrelCheck(guiTimer_ != 0, "WTimer::Start() could not start the timer");
    }
    KorrelTrace("WTimer::Start(): timerId=%u  timerPeriod=%u  timerFcn=%p\n", id, periodMs_,
                reinterpret_cast<void*>(callback_));
}

void WTimer::Stop()
{
    const unsigned id = timerId_;
    if (id == 0) {
        return;
    }
    if (multimedia_) {
        TimerThread().Remove(id);
    } else {
        GuiStopTimer(guiTimer_);
        guiTimer_ = 0;
    }
    std::lock_guard<std::recursive_mutex> lock(Registry().mutex);
    std::vector<TimerRecord>& records = Registry().records;
    const auto record = std::find_if(records.begin(), records.end(), [id](const TimerRecord& r) { return r.id == id; });
    if (record != records.end()) {
        records.erase(record);
        KorrelTrace("Found and removed timer handler registry entry %u\n", id);
    }
    timerId_ = 0;
}

int WTimer::RegistryCount()
{
    std::lock_guard<std::recursive_mutex> lock(Registry().mutex);
    return static_cast<int>(Registry().records.size());
}

// Calls the timer's record back with its owner's event record (registry lock held).
void WTimer::Fire(unsigned timerId, WPARAM wParam)
{
    TimerRegistry& registry = Registry();
    const auto record = std::find_if(registry.records.begin(), registry.records.end(),
                                     [timerId](const TimerRecord& r) { return r.id == timerId; });
    if (record == registry.records.end()) {
        return;
    }
    const TimerRecord found = *record;
    WEvent& event = found.owner->lastEvent_;
    event.id = timerId;
    // The event's owner field carries the timer; WTimer::FromEvent gives it back.
    event.owner = reinterpret_cast<WControls*>(static_cast<WObject*>(found.owner));
    event.hWnd = nullptr;  // no window: the toolkit's timers belong to threads
    event.message = WM_TIMER;
    event.wParam = wParam;
    event.lParam = 0;
    event.userWord = 0;
    if (found.callback) {
        found.callback(event);
    }
}

void WTimer::OnThreadTimer(unsigned timerId)
{
    // The GUI thread never waits for this lock: a multimedia callback holding
    // it may be waiting for the GUI thread. A tick that finds it taken is
    // dropped, as Win32 drops timer messages that pile up.
    std::unique_lock<std::recursive_mutex> lock(Registry().mutex, std::try_to_lock);
    if (lock.owns_lock()) {
        Fire(timerId, KorrelTickCount());
    }
}

void WTimer::OnMultimediaTimer(unsigned timerId)
{
    std::unique_lock<std::recursive_mutex> lock(Registry().mutex);
    Fire(timerId, KorrelTickCount());
}
