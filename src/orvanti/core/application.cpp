// The application object and the main loop.
#include "application.h"

#include "debugbreak.h"
#include "messagequeue.h"

Application::Application()
    : scheduler_(new EventScheduler(kSchedulerCapacity))
{}

Application::~Application() = default;

Application* Application::GetInstance()
{
    if (FindInstance() == nullptr)
        new Application();
    return FindInstance();
}

LRESULT Application::ForwardWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Application* application = FindInstance();
    if (application == nullptr)
        return DefWindowProc(window, message, wParam, lParam);
    if (message == WM_ACTIVATE)
        application->active_ = LOWORD(wParam) != WA_INACTIVE;
    // Closing the window ends the program in every state.
    if (message == WM_CLOSE)
        application->Quit();
    if (application->current_ != nullptr)
        return application->current_->HandleWindowMessage(window, message, wParam, lParam);
    return DefWindowProc(window, message, wParam, lParam);
}

void Application::SetStates(AppState* const* states, int count)
{
    if (states == nullptr || count <= 0 || states[0] == nullptr) {
        DEBUG_BREAK("SetStates without a first state");
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (states[i] == nullptr) {
            DEBUG_BREAK("SetStates with a null state");
            return;
        }
    }
    states_ = states;
    stateCount_ = count;
    current_ = states[0];
    currentIndex_ = 0;
}

int Application::Run()
{
    if (current_ == nullptr) {
        DEBUG_BREAK("Run before SetStates");
        return 0;
    }
    current_->Enter(-1);
    while (!quit_) {
        float dt = timer_.Delta();
        scheduler_->Update(dt);
        current_->Update(dt);

        MSG message;
        if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessage(&message);
        }

        if (pendingIndex_ != -1) {
            int next = pendingIndex_;
            current_->Exit(next);
            states_[next]->Enter(currentIndex_);
            current_ = states_[next];
            currentIndex_ = next;
            pendingIndex_ = -1;
        }
    }
    current_->Exit(-1);

    int exitCode = 0;
    GetPostedQuitCode(exitCode);
    return exitCode;
}

void Application::RequestState(int index)
{
    if (index < 0 || index >= stateCount_) {
        DEBUG_BREAK("RequestState with an index outside the state table");
        return;
    }
    pendingIndex_ = index;
}

void Application::Quit()
{
    quit_ = true;
}
