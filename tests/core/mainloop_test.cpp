// The main loop: frame order, state switches at the end of the frame, one
// window message per frame, the exit code, and the window procedure's
// forwarding to the current state.
#include "application.h"
#include "messagequeue.h"
#include "platformclock.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kFrameCounts = 1000000000 / 60;

std::vector<std::string> g_log;

void Log(const std::string& line)
{
    g_log.push_back(line);
}

// A state that logs what happens to it and runs a script on its updates.
class FakeState : public AppState {
public:
    FakeState(int index, std::function<void(int update)> script = {})
        : index_(index),
          script_(std::move(script))
    {}

    void Update(float) override
    {
        ++updates_;
        Log(Name() + ".Update");
        if (script_)
            script_(updates_);
    }
    void Enter(int previous) override { Log(Name() + ".Enter(" + std::to_string(previous) + ")"); }
    void Exit(int next) override { Log(Name() + ".Exit(" + std::to_string(next) + ")"); }
    LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        Log(Name() + ".Message(" + std::to_string(message) + "," + std::to_string(wParam) + ")");
        return AppState::HandleWindowMessage(window, message, wParam, lParam);
    }

private:
    std::string Name() const { return "S" + std::to_string(index_); }

    int index_;
    std::function<void(int)> script_;
    int updates_ = 0;
};

LRESULT TestWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Application::ForwardWindowMessage(window, message, wParam, lParam);
}

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ResetMessageQueue();
        counter_ = 0;
        oldClock_ = SetPlatformClockSource([this] { return counter_ += kFrameCounts; });
        application_ = std::make_unique<Application>();
        window_ = CreateWindowHandle(TestWindowProcedure);
    }

    void TearDown() override
    {
        application_.reset();
        SetPlatformClockSource(oldClock_);
        ResetMessageQueue();
    }

    // Installs states 0..n-1 with the given scripts.
    void MakeStates(std::vector<std::function<void(int)>> scripts)
    {
        for (size_t i = 0; i < scripts.size(); ++i)
            states_.push_back(std::make_unique<FakeState>(static_cast<int>(i), scripts[i]));
        for (auto& state : states_)
            table_.push_back(state.get());
        application_->SetStates(table_.data(), static_cast<int>(table_.size()));
    }

    Application& App() { return *application_; }

    std::int64_t counter_ = 0;
    ClockSource oldClock_;
    std::unique_ptr<Application> application_;
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<FakeState>> states_;
    std::vector<AppState*> table_;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(MainLoop, FirstStateEnteredWithMinusOneAndLeftWithMinusOne)
{
    MakeStates({[this](int) { App().Quit(); }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "S0.Exit(-1)"}));
}

TEST_F(MainLoop, SwitchHappensAtEndOfFrame)
{
    MakeStates({[this](int) {
                    App().RequestState(1);
                    Log("requested");
                },
                [this](int) { App().Quit(); }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "requested", "S0.Exit(1)", "S1.Enter(0)", "S1.Update",
                            "S1.Exit(-1)"}));
}

TEST_F(MainLoop, LastRequestInFrameWins)
{
    MakeStates({[this](int) {
                    App().RequestState(1);
                    App().RequestState(2);
                },
                [this](int) { App().Quit(); }, [this](int) { App().Quit(); }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "S0.Exit(2)", "S2.Enter(0)", "S2.Update", "S2.Exit(-1)"}));
}

TEST_F(MainLoop, QuitAndRequestInOneFrameStillSwitches)
{
    MakeStates({[this](int) {
                    App().Quit();
                    App().RequestState(1);
                },
                [this](int) { App().Quit(); }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "S0.Exit(1)", "S1.Enter(0)", "S1.Exit(-1)"}));
}

TEST_F(MainLoop, SwitchToCurrentStateExitsAndEntersIt)
{
    MakeStates({[this](int update) {
        if (update == 1)
            App().RequestState(0);
        else
            App().Quit();
    }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "S0.Exit(0)", "S0.Enter(0)", "S0.Update", "S0.Exit(-1)"}));
}

TEST_F(MainLoop, OneMessagePerFrameInQueueOrderAfterTheUpdate)
{
    PostMessage(window_, WM_USER + 1, 11, 0);
    PostMessage(window_, WM_USER + 2, 22, 0);
    PostMessage(window_, WM_USER + 3, 33, 0);
    MakeStates({[this](int update) {
        if (update == 3)
            App().Quit();
    }});
    App().Run();
    const std::string a = "S0.Message(" + std::to_string(WM_USER + 1) + ",11)";
    const std::string b = "S0.Message(" + std::to_string(WM_USER + 2) + ",22)";
    const std::string c = "S0.Message(" + std::to_string(WM_USER + 3) + ",33)";
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", a, "S0.Update", b, "S0.Update", c, "S0.Exit(-1)"}));
    EXPECT_EQ(QueuedMessageCount(), 0);
}

TEST_F(MainLoop, RequestFromWindowMessageSwitchesAtEndOfThatFrame)
{
    static Application* app;
    app = &App();
    HWND window = CreateWindowHandle([](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        Log("procedure");
        if (message == WM_USER)
            app->RequestState(1);
        return 0;
    });
    PostMessage(window, WM_USER, 0, 0);
    MakeStates({{}, [this](int) { App().Quit(); }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "procedure", "S0.Exit(1)", "S1.Enter(0)", "S1.Update",
                            "S1.Exit(-1)"}));
}

struct ExitCodeCase {
    const char* name;
    bool postKeyFirst;
    bool postQuit;
    int quitCode;
    int expected;
};

class MainLoopExitCode : public MainLoop, public ::testing::WithParamInterface<ExitCodeCase> {};

// A quit key leaves its key-up behind the quit message: the loop removes the
// key-up and ends, and the exit code must still be the quit message's code.
TEST_P(MainLoopExitCode, IsTheQuitMessagesCode)
{
    const ExitCodeCase& c = GetParam();
    MakeStates({[&](int) {
        if (c.postKeyFirst)
            PostKeyMessage(window_, WM_KEYUP, 'A', 0, 0);
        App().Quit();
        if (c.postQuit)
            PostQuitMessage(c.quitCode);
    }});
    EXPECT_EQ(App().Run(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MainLoopExitCode,
                         ::testing::Values(ExitCodeCase{"KeyMessageRemovedLast", true, true, 0, 0},
                                           ExitCodeCase{"QuitMessageRemovedLast", false, true, 0, 0},
                                           ExitCodeCase{"NonZeroCode", true, true, 3, 3},
                                           ExitCodeCase{"NoQuitMessage", true, false, 0, 0}),
                         CaseName());

TEST_F(MainLoop, SchedulerRunsBeforeTheStateWithTheFrameDelta)
{
    static float seenTime;
    seenTime = -1.0f;
    CallbackEvent* event = new CallbackEvent([] {
        Log("event");
        seenTime = Application::FindInstance()->GetScheduler()->GetTime();
    });
    ASSERT_TRUE(App().GetScheduler()->Schedule(0.0f, event));
    MakeStates({[this](int update) {
        if (update == 2)
            App().Quit();
    }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "event", "S0.Update", "S0.Update", "S0.Exit(-1)"}));
    EXPECT_FLOAT_EQ(seenTime, 1.0f / 60.0f);
    EXPECT_FLOAT_EQ(App().TotalTime(), 2.0f / 60.0f);
}

TEST_F(MainLoop, KeyDownWithCharacterDeliversCharacterMessageNextFrame)
{
    PostKeyMessage(window_, WM_KEYDOWN, 'Q', 0, 'q');
    PostMessage(window_, WM_USER, 0, 0);
    MakeStates({[this](int update) {
        if (update == 3)
            App().Quit();
    }});
    App().Run();
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "S0.Message(" + std::to_string(WM_KEYDOWN) + ",81)",
                            "S0.Update", "S0.Message(" + std::to_string(WM_CHAR) + ",113)", "S0.Update",
                            "S0.Message(" + std::to_string(WM_USER) + ",0)", "S0.Exit(-1)"}));
}

TEST_F(MainLoop, ClosingTheWindowEndsTheLoop)
{
    PostMessage(window_, WM_CLOSE, 0, 0);
    int updates = 0;
    MakeStates({[&](int) {
        ++updates;
        if (updates > 5)
            App().Quit();
    }});
    EXPECT_EQ(App().Run(), 0);
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(MainLoop, RequestOutsideTheTableBreaksAndIsIgnored)
{
    BreakCounter breaks;
    MakeStates({[this](int) {
        App().RequestState(5);
        App().Quit();
    }});
    App().Run();
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(g_log, (Lines{"S0.Enter(-1)", "S0.Update", "S0.Exit(-1)"}));
}

TEST_F(MainLoop, RunWithoutStatesBreaksAndReturns)
{
    BreakCounter breaks;
    EXPECT_EQ(App().Run(), 0);
    EXPECT_EQ(breaks.Count(), 1);
}

TEST(WindowForwarding, WithoutApplicationGoesToDefaultProcedure)
{
    ASSERT_EQ(Application::FindInstance(), nullptr);
    ResetMessageQueue();
    EXPECT_EQ(Application::ForwardWindowMessage(nullptr, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(QueuedMessageCount(), 0);
}

struct ActivateCase {
    const char* name;
    WPARAM wParam;
    bool active;
};

class WindowForwardingActivate : public ::testing::TestWithParam<ActivateCase> {};

TEST_P(WindowForwardingActivate, SetsActiveFlagEvenWithoutState)
{
    Application application;
    application.SetActive(!GetParam().active);
    Application::ForwardWindowMessage(nullptr, WM_ACTIVATE, GetParam().wParam, 0);
    EXPECT_EQ(application.IsActive(), GetParam().active);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowForwardingActivate,
                         ::testing::Values(ActivateCase{"Inactive", WA_INACTIVE, false},
                                           ActivateCase{"Active", WA_ACTIVE, true},
                                           ActivateCase{"ClickActive", WA_CLICKACTIVE, true},
                                           ActivateCase{"InactiveMinimised", MAKEWPARAM(WA_INACTIVE, 1), false},
                                           ActivateCase{"ActiveMinimised", MAKEWPARAM(WA_ACTIVE, 1), true}),
                         CaseName());

TEST(WindowForwarding, CloseQuitsEvenInAStateThatIgnoresIt)
{
    class SilentState : public AppState {
    public:
        void Update(float) override {}
        void Enter(int) override {}
        void Exit(int) override {}
        LRESULT HandleWindowMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) override
        {
            return DefWindowProc(w, m, wp, lp);
        }
    } state;
    ResetMessageQueue();
    Application application;
    AppState* table[] = {&state};
    application.SetStates(table, 1);
    Application::ForwardWindowMessage(nullptr, WM_CLOSE, 0, 0);
    EXPECT_TRUE(application.IsQuitting());
    EXPECT_EQ(QueuedMessageCount(), 0);
}

struct DefaultHandlerCase {
    const char* name;
    UINT message;
    bool postsQuit;
};

class AppStateDefaultHandler : public ::testing::TestWithParam<DefaultHandlerCase> {};

TEST_P(AppStateDefaultHandler, PostsQuitOnlyOnDestroyAndClose)
{
    class PlainState : public AppState {
    public:
        void Update(float) override {}
        void Enter(int) override {}
        void Exit(int) override {}
    } state;
    ResetMessageQueue();
    HWND window = CreateWindowHandle(nullptr);
    EXPECT_EQ(state.HandleWindowMessage(window, GetParam().message, 0, 0), 0);
    MSG message;
    bool posted = PeekMessage(&message, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(posted, GetParam().postsQuit);
    if (posted) {
        EXPECT_EQ(message.message, WM_QUIT);
        EXPECT_EQ(message.wParam, 0u);
    }
    EXPECT_TRUE(IsWindow(window));
    ResetMessageQueue();
}

INSTANTIATE_TEST_SUITE_P(Cases, AppStateDefaultHandler,
                         ::testing::Values(DefaultHandlerCase{"Destroy", WM_DESTROY, true},
                                           DefaultHandlerCase{"Close", WM_CLOSE, true},
                                           DefaultHandlerCase{"KeyDown", WM_KEYDOWN, false},
                                           DefaultHandlerCase{"Char", WM_CHAR, false},
                                           DefaultHandlerCase{"Activate", WM_ACTIVATE, false}),
                         CaseName());

TEST(ApplicationInstance, AccessorCreatesOnceAndDeletingClearsIt)
{
    ASSERT_EQ(Application::FindInstance(), nullptr);
    Application* first = Application::GetInstance();
    EXPECT_EQ(Application::GetInstance(), first);
    EXPECT_TRUE(first->IsActive());
    EXPECT_EQ(first->GetScheduler()->Count(), 0);
    delete first;
    EXPECT_EQ(Application::FindInstance(), nullptr);
}
