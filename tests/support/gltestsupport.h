// Shared by the suites that draw under a real GL window (Xvfb and Mesa in the
// test run): one graphics-component window for the process, a known drawing
// state, and back-buffer pixels read back. Header only, so test_support itself
// needs neither GL nor the graphics component.
#pragma once

#include "eventpump.h"
#include "gfxcomponent.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace gltest {

constexpr int kDefaultWindowSide = 64;

// Opens the graphics component's window at width x height unless one is open
// already (then its size stays); false when no GL window can be had.
inline bool EnsureWindow(int width = kDefaultWindowSide, int height = kDefaultWindowSide)
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    if (gfx->GetWindowHandle() == nullptr)
        gfx->CreateGLWindow(width, height, 32, 16, false);
    return gfx->GetWindowHandle() != nullptr;
}

// Holds the window at width x height for one test or fixture and then
// leaves it as it found it: a window it opened is closed again, and a window
// of another size is closed for the time and opened again at its own size.
// Tests of different window sizes can so share one process.
class WindowHold {
public:
    WindowHold() = default;
    WindowHold(const WindowHold&) = delete;
    WindowHold& operator=(const WindowHold&) = delete;
    ~WindowHold() { Release(); }

    // False when no GL window can be had.
    bool Open(int width = kDefaultWindowSide, int height = kDefaultWindowSide)
    {
        Release();
        GfxComponent* gfx = GfxComponent::GetInstance();
        if (gfx->GetWindowHandle() != nullptr && (gfx->GetWindowWidth() != width || gfx->GetWindowHeight() != height)) {
            foundWidth_ = gfx->GetWindowWidth();
            foundHeight_ = gfx->GetWindowHeight();
            gfx->KillGLWindow();
        }
        opened_ = gfx->GetWindowHandle() == nullptr;
        const bool open = EnsureWindow(width, height);
        // The focus changes of the windows closed and opened go now, not
        // into the test's own input.
        PumpWindowEvents();
        return open;
    }

    void Release()
    {
        GfxComponent* gfx = GfxComponent::GetInstance();
        if (opened_)
            gfx->KillGLWindow();
        if (foundWidth_ > 0)
            gfx->CreateGLWindow(foundWidth_, foundHeight_, 32, 16, false);
        PumpWindowEvents();
        opened_ = false;
        foundWidth_ = foundHeight_ = 0;
    }

private:
    bool opened_ = false;
    int foundWidth_ = 0;
    int foundHeight_ = 0;
};

inline int WindowWidth()
{
    return GfxComponent::GetInstance()->GetWindowWidth();
}

inline int WindowHeight()
{
    return GfxComponent::GetInstance()->GetWindowHeight();
}

// Full-window viewport, identity projection and model-view matrices.
inline void ResetView()
{
    glViewport(0, 0, WindowWidth(), WindowHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

enum class Texturing { kOff, kOn };

// ResetView, every colour channel written, the buffers cleared to opaque
// black and depth 1, no lighting, colour material, blending, depth test or
// face culling, no texture bound, white colour; 2D texturing as asked (on is
// the graphics component's own fixed state).
inline void ResetDrawing(Texturing texturing = Texturing::kOn)
{
    ResetView();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    if (texturing == Texturing::kOn)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// RGBA of the whole back buffer, rows from the bottom.
inline std::vector<unsigned char> ReadWindow()
{
    std::vector<unsigned char> pixels(static_cast<size_t>(WindowWidth()) * WindowHeight() * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WindowWidth(), WindowHeight(), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The largest difference in any channel between two readings of one size.
inline int LargestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    int largest = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        largest = std::max(largest, std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i])));
    }
    return largest;
}

// RGBA of the back-buffer pixel at x, y counted from the bottom-left.
inline std::array<int, 4> ReadPixel(int x, int y)
{
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

inline std::array<int, 4> CentrePixel()
{
    return ReadPixel(WindowWidth() / 2, WindowHeight() / 2);
}

// A fixture with the window open (a failure without one) and ResetDrawing
// done; the window is left as it was found.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open()) << "no GL window";
        ResetDrawing();
    }

    WindowHold window_;
};

}  // namespace gltest
