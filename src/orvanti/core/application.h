// Application: the one application object. It owns the frame timer and the
// event scheduler, holds the table of application states the start-up
// hands it, and runs the main loop: one state update and at most one window
// message per frame, with state switches at the end of the frame.
#pragma once

#include "appstate.h"
#include "eventscheduler.h"
#include "singleton.h"
#include "timer.h"
#include "winmessages.h"

#include <memory>

class Application : public Singleton<Application> {
public:
    static constexpr int kSchedulerCapacity = 20;

    Application();
    virtual ~Application();

    // The one Application, created by the first call.
    static Application* GetInstance();

    // The window procedure's forwarding: DefWindowProc while no Application
    // or no current state exists; WM_ACTIVATE sets the active flag; WM_CLOSE
    // ends the main loop (Quit); every message goes to the current state.
    static LRESULT ForwardWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Installs the state table (not owned; count entries, none null) and
    // makes entry 0 current without entering it.
    void SetStates(AppState* const* states, int count);
    // The main loop. Returns the code of the latest quit message posted, 0
    // when none was.
    int Run();
    // Switch to the state at index at the end of this frame; a later
    // request in the same frame replaces an earlier one.
    void RequestState(int index);
    // Ends the loop after this frame (the message step and a pending switch
    // still run).
    void Quit();

    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    bool IsQuitting() const { return quit_; }
    // Seconds from the timer's start to the latest frame delta.
    float TotalTime() const { return timer_.Total(); }

    AppState* GetCurrentState() const { return current_; }
    int GetCurrentIndex() const { return currentIndex_; }
    int GetPendingIndex() const { return pendingIndex_; }
    EventScheduler* GetScheduler() const { return scheduler_.get(); }

private:
    std::unique_ptr<EventScheduler> scheduler_;
    Timer timer_;
    AppState* const* states_ = nullptr;
    int stateCount_ = 0;
    AppState* current_ = nullptr;
    int currentIndex_ = 0;
    int pendingIndex_ = -1;
    bool quit_ = false;
    bool active_ = true;
};
