// Every frame of the scene starts from a clean depth buffer (what the last
// frame left would hide this one), and the dimming fill reaches the edges.
#include "draw2d.h"
#include "gltestsupport.h"
#include "orbitcameraaim.h"
#include "renderscene.h"
#include "world_headless.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace {

class SceneClear : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open()) << "no GL window";
        HeadlessWorldTest::SetUp();
        SetUpLevel();
        AimOrbitCamera(camera_, Vec3(0.0f, 210.0f, 30.0f), Vec3(0.0f, 150.0f, 0.0f));
        World().SetCamera(&camera_);
        gltest::ResetDrawing();
    }
    void TearDown() override
    {
        World().SetCamera(nullptr);
        HeadlessWorldTest::TearDown();
    }

    OrbitCamera camera_;
    gltest::WindowHold window_;
};

TEST_F(SceneClear, FrameStartsFromAnEmptyDepthBuffer)
{
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    RenderScene(false);
    float depth = 0.0f;
    glReadPixels(0, 0, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

// The dimming fill reaches every pixel up to the window's edges.
TEST_F(SceneClear, DimmingFillCoversTheWindowToItsEdges)
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    FillScreen2D(0.0f, 0.0f, 0.0f, 1.0f);
    const int w = gltest::WindowWidth() - 1;
    const int h = gltest::WindowHeight() - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{w, 0}, std::pair{0, h}, std::pair{w, h}})
        EXPECT_EQ(gltest::ReadPixel(x, y), (std::array<int, 4>{0, 0, 0, 255})) << x << ", " << y;
}

}  // namespace
