// The in-game state under a real GL window (Xvfb in the test run): one whole
// frame drawn, faded and presented, the screenshot key and the overlays.
#include "gltestsupport.h"
#include "ingametest.h"

#include "fadecolor.h"
#include "texture.h"
#include "tgafile.h"

#include <unistd.h>

#include <array>
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

// The help and screenshot overlays read from the folder's own files: a red
// card over the whole screen for one second.
class InGameOverlayGl : public InGameGl {
protected:
    void SetUp() override
    {
        ASSERT_NE(getcwd(previous_, sizeof(previous_)), nullptr);
        const std::string assets = folder_.Path() + "/assets/2D";
        ASSERT_EQ(std::system(("mkdir -p " + assets + " " + folder_.File("run")).c_str()), 0);
        folder_.Write("red.tga", SolidTga(255, 0, 0));
        const std::string card = "Object: card\nImage: " + folder_.File("red.tga") +
                                 "\nKeyframe: 0\nPos: 0, 0\nSize: 1024, 768\nEnd\n"
                                 "Keyframe: 1\nPos: 0, 0\nSize: 1024, 768\nEnd\nEnd\n";
        folder_.Write("assets/2D/help.txt", card);
        folder_.Write("assets/2D/screenshot.txt", card);
        // The state reads "../assets/2D/..." and F12 writes into the working folder.
        ASSERT_EQ(chdir(folder_.File("run").c_str()), 0);
        InGameGl::SetUp();
    }
    void TearDown() override
    {
        InGameGl::TearDown();
        EXPECT_EQ(chdir(previous_), 0);
    }
    static bool CardShown()
    {
        const std::array<int, 4> pixel = gltest::CentrePixel();
        return pixel[0] > 250 && pixel[1] < 5 && pixel[2] < 5;
    }
    char previous_[4096] = {};
};

struct OverlayCase {
    const char* name;
    uint8_t key;
    bool (MorvoDemoAppstate::*shown)() const;
};

class InGameOverlay : public InGameOverlayGl, public ::testing::WithParamInterface<OverlayCase> {};

// Each press shows the overlay over the frame from its start until it ends,
// the second press as the first.
TEST_P(InGameOverlay, KeyShowsItsOverlayUntilItEnds)
{
    const OverlayCase& c = GetParam();
    Play("Plain");
    for (int press = 1; press <= 2; ++press) {
        Key(c.key, true);
        Frame(0.02f);
        Key(c.key, false);
        EXPECT_TRUE((state_.get()->*c.shown)()) << "press " << press;
        EXPECT_TRUE(CardShown()) << "press " << press;
        for (int frame = 0; frame < 25; ++frame) {
            Frame(0.05f);
        }
        EXPECT_FALSE((state_.get()->*c.shown)()) << "press " << press;
        EXPECT_FALSE(CardShown()) << "press " << press;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, InGameOverlay,
                         ::testing::Values(OverlayCase{"HHelp", DIK_H, &MorvoDemoAppstate::IsHelpShown},
                                           OverlayCase{"F12Screenshot", DIK_F12, &MorvoDemoAppstate::IsScreenshotShown}),
                         CaseName());

}  // namespace
