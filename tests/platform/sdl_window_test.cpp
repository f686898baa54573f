// The SDL window layer on a real display (Xvfb under the test runner):
// window handles in the message queue, the pixel-format check, events
// pumped by PeekMessage and buffer swaps, signals and relative mouse mode.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "eventpump.h"
#include "messagequeue.h"
#include "platforminput.h"
#include "platformwindow.h"
#include "sdltestevents.h"
#include "windowsystem.h"

// LeakSanitizer's switch, present only in sanitizer builds.
extern "C" void __lsan_disable() __attribute__((weak));

namespace {

int gClosesSeen = 0;

LRESULT CountCloses(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        ++gClosesSeen;
    }
    return 0;
}

class SdlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("MORVO_TEST", "1", 1);
        if (std::getenv("DISPLAY") == nullptr || !StartWindowSystem()) {
            GTEST_SKIP() << "no display";
        }
        WindowRequest request;
        request.title = "test";
        request.width = 64;
        request.height = 48;
        request.procedure = CountCloses;
        window_ = CreatePlatformWindow(request);
        ASSERT_NE(window_, nullptr);
        context_ = CreateGLContext(window_);
        ASSERT_NE(context_, nullptr);
        ASSERT_TRUE(MakeGLContextCurrent(window_, context_));
        Drain();
        GetPlatformInput().Reset();
        gClosesSeen = 0;
    }

    void TearDown() override
    {
        if (context_ != nullptr) {
            MakeGLContextCurrent(nullptr, nullptr);
            DeleteGLContext(context_);
        }
        if (window_ != nullptr) {
            DestroyPlatformWindow(window_);
        }
        GetPlatformInput().Reset();
    }

    // Takes every pending message; returns how many were WM_CLOSE.
    int Drain()
    {
        int closes = 0;
        MSG message;
        while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_CLOSE) {
                ++closes;
            }
            DispatchMessage(&message);
        }
        return closes;
    }

    void PushWindowEvent(SDL_WindowEventID id)
    {
        SDL_Event event = WindowEvent(id);
        SDL_PushEvent(&event);
    }

    HWND window_ = nullptr;
    GLContextHandle context_ = nullptr;
};

TEST_F(SdlWindow, WindowHandleBelongsToTheMessageQueue)
{
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(GetMainWindow(), window_);
    int width = 0, height = 0;
    ASSERT_TRUE(GetWindowClientSize(window_, &width, &height));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
}

TEST_F(SdlWindow, PixelFormatCheckComparesWithTheContext)
{
    EXPECT_TRUE(PixelFormatMatches(window_, 32, 16));
    EXPECT_TRUE(PixelFormatMatches(window_, 16, 16));
    EXPECT_FALSE(PixelFormatMatches(window_, 32, 64));
    EXPECT_FALSE(PixelFormatMatches(nullptr, 32, 16));
}

TEST_F(SdlWindow, PeekMessageTakesInPendingWindowEvents)
{
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(Drain(), 1);
    EXPECT_EQ(gClosesSeen, 1);
}

TEST_F(SdlWindow, BufferSwapTakesInPendingWindowEvents)
{
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(SwapWindowBuffers(window_));
    EXPECT_GE(QueuedMessageCount(), 1);
    EXPECT_EQ(Drain(), 1);
}

TEST_F(SdlWindow, InterruptSignalBecomesAClose)
{
    std::raise(SIGINT);
    EXPECT_EQ(Drain(), 1);
}

TEST_F(SdlWindow, RelativeMouseFollowsFocusAndAcquisition)
{
    PlatformInput& input = GetPlatformInput();
    input.SetFocus(true);
    ASSERT_EQ(input.AcquireMouse(), InputResult::Ok);
    PumpWindowEvents();
    if (!input.HasFocus()) {
        GTEST_SKIP() << "the display took the focus away";
    }
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    input.SetMouseCaptureAllowed(false);
    PumpWindowEvents();
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
    input.SetMouseCaptureAllowed(true);
    input.AcquireMouse();
    PumpWindowEvents();
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    input.SetFocus(false);
    PumpWindowEvents();
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
}

// With no window manager a closed dialog leaves the X input focus on the
// root; the window takes it back itself, and its events tell the input state.
TEST_F(SdlWindow, FocusTakesTheInputFocusBackFromTheRoot)
{
    ShowPlatformWindow(window_);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(SDL_GL_GetCurrentWindow(), &info));
    ASSERT_EQ(info.subsystem, SDL_SYSWM_X11);
    Display* display = info.info.x11.display;
    XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    PumpWindowEvents();
    GetPlatformInput().SetFocus(false);

    FocusPlatformWindow(window_);
    XSync(display, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    EXPECT_EQ(focus, info.info.x11.window);
    for (int i = 0; i < 100 && !GetPlatformInput().HasFocus(); ++i) {
        SDL_Delay(10);
        PumpWindowEvents();
    }
    EXPECT_TRUE(GetPlatformInput().HasFocus());
    FocusPlatformWindow(nullptr);  // an unknown handle does nothing
}

TEST_F(SdlWindow, OtherThreadsDoNotReadWindowEvents)
{
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    int closesOnOtherThread = -1;
    std::thread other([&] {
        MSG message;
        closesOnOtherThread = PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE) ? 1 : 0;
    });
    other.join();
    EXPECT_EQ(closesOnOtherThread, 0);
    EXPECT_EQ(Drain(), 1);
}

TEST_F(SdlWindow, DestroyForgetsTheHandleAndStopsPumping)
{
    ASSERT_TRUE(DestroyPlatformWindow(window_));
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(GetMainWindow(), nullptr);
    EXPECT_FALSE(DestroyPlatformWindow(window_));
    window_ = nullptr;
}

}  // namespace

// Software GL on a virtual display now and then gives a new video session a
// single-buffered visual; every window must still come out double-buffered.
TEST(SdlVideoSession, EveryNewSessionGivesADoubleBufferedWindow)
{
    // Each restart unloads the video and GL drivers, whose own allocations then stay
    // behind with no module to name them by: not leaks of ours.
    if (__lsan_disable != nullptr) {
        __lsan_disable();
    }
    setenv("MORVO_TEST", "1", 1);
    if (std::getenv("DISPLAY") == nullptr || !StartWindowSystem()) {
        GTEST_SKIP() << "no display";
    }
    constexpr int kSessions = 60;
    int singleBuffered = 0;
    for (int i = 0; i < kSessions; ++i) {
        ASSERT_TRUE(RestartWindowSystem());
        WindowRequest request;
        request.title = "session";
        request.width = 32;
        request.height = 32;
        request.procedure = CountCloses;
        HWND window = CreatePlatformWindow(request);
        ASSERT_NE(window, nullptr);
        GLContextHandle context = CreateGLContext(window);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(MakeGLContextCurrent(window, context));
        singleBuffered += PixelFormatMatches(window, 32, 16) ? 0 : 1;
        MakeGLContextCurrent(nullptr, nullptr);
        DeleteGLContext(context);
        DestroyPlatformWindow(window);
    }
    EXPECT_EQ(singleBuffered, 0);
}
