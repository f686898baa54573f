// Shared by the image and model GL tests: one GL window for the process (the
// tests run under Xvfb with Mesa), a clean drawing state, solid TGA files.
#pragma once

#include "gfxcomponent.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

namespace imgtest {

// Opens the graphics component's window once; false when no GL is available.
inline bool EnsureWindow()
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    if (gfx->GetWindowHandle() == nullptr)
        gfx->CreateGLWindow(64, 64, 32, 16, false);
    return gfx->GetWindowHandle() != nullptr;
}

// Full-window viewport, identity matrices, black clear, no lighting, blending or depth.
inline void ResetDrawing()
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    glViewport(0, 0, gfx->GetWindowWidth(), gfx->GetWindowHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// RGBA of the back buffer's centre pixel.
inline std::array<int, 4> CentrePixel()
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(gfx->GetWindowWidth() / 2, gfx->GetWindowHeight() / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

// A one-colour uncompressed 24-bit TGA of width x height.
inline std::string SolidTga(unsigned char r, unsigned char g, unsigned char b, int width = 1, int height = 1)
{
    std::string data(18, '\0');
    data[2] = 2;
    data[12] = static_cast<char>(width);
    data[14] = static_cast<char>(height);
    data[16] = 24;
    for (int i = 0; i < width * height; ++i) {
        data.push_back(static_cast<char>(b));
        data.push_back(static_cast<char>(g));
        data.push_back(static_cast<char>(r));
    }
    return data;
}

class GlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureWindow()) << "no GL window (run under xvfb-run)";
        ResetDrawing();
    }
};

}  // namespace imgtest
