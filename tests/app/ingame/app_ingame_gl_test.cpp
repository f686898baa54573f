// The in-game state under a real GL window (Xvfb in the test run): one whole
// frame drawn, faded and presented, and the screenshot key.
#include "gltestsupport.h"
#include "ingametest.h"

#include "fadecolor.h"
#include "texture.h"
#include "tgafile.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

class InGameGl : public InGameInputTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open()) << "no GL window";
        InGameInputTest::SetUp();
        gltest::ResetDrawing();
    }

    gltest::WindowHold window_;
};

// The software renderer keeps the back buffer after the swap, so the frame
// just presented can be read back from it.
TEST_F(InGameGl, FrameIsDrawnFadedAndPresented)
{
    Play("Plain");
    Frame(0.02f);
    const std::array<int, 4> scene = gltest::CentrePixel();
    EXPECT_NE(scene, (std::array<int, 4>{0, 0, 0, 255})) << "nothing drawn";
    state_->Leave(StateIndex::kPause);
    Frame(0.25f);  // half-way: the fade colour at alpha 0.5 over the same scene
    const std::array<int, 4> faded = gltest::CentrePixel();
    const float fade[3] = {kFadeRed, kFadeGreen, kFadeBlue};
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(faded[c], (scene[c] + fade[c] * 255.0f) / 2.0f, 3.0f) << "channel " << c;
    }
}

TEST_F(InGameGl, F12WritesTheFirstScreenshotIntoTheWorkingFolder)
{
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(chdir(folder_.Path().c_str()), 0);
    Play("Plain");
    Key(DIK_F12, true);
    Frame(0.02f);
    EXPECT_TRUE(state_->IsScreenshotShown());
    Key(DIK_F12, false);
    Frame(0.02f);
    ASSERT_EQ(chdir(previous), 0);

    Texture texture;
    PixelBuffer pixels;
    ASSERT_TRUE(TgaFile().Load(&texture, pixels, folder_.File("screenshot_00000.tga").c_str()));
    EXPECT_EQ(static_cast<int>(texture.GetWidth()), gltest::WindowWidth());
    EXPECT_EQ(static_cast<int>(texture.GetHeight()), gltest::WindowHeight());
}

}  // namespace
