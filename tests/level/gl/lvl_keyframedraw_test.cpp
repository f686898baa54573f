// Keyframe drawing under a real GL window (Xvfb in the test run): an
// object's top-left corner sits at its keyframe position from the window's
// top-left. Positions are given as parts of the virtual screen so the test
// holds for whatever window the process already has.
#include "gltestsupport.h"
#include "keyframeanimation.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

class KeyframeDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { windowOpen = gltest::EnsureWindow(kWindowWidth, kWindowHeight); }

    void SetUp() override
    {
        if (!windowOpen) {
            GTEST_SKIP() << "no GL window";
        }
        folder.Write("white.tga", SolidTgaWithAlpha(255, 255, 255, 255, 2, 2));
        gltest::ResetDrawing(gltest::Texturing::kOn);
    }

    void TearDown() override
    {
        if (windowOpen) {
            animation.Clear();
        }
    }

    // Red channel of the pixel at the given parts of the window's width and
    // height, counted from the window's top-left.
    static int RedAt(float u, float v)
    {
        const int x = static_cast<int>(u * static_cast<float>(gltest::WindowWidth()));
        const int y = static_cast<int>(v * static_cast<float>(gltest::WindowHeight()));
        return gltest::ReadPixel(x, gltest::WindowHeight() - 1 - y)[0];
    }

    bool LoadText(const std::string& text)
    {
        folder.Write("anim.txt", text);
        return animation.Load(folder.File("anim.txt"));
    }

    static inline bool windowOpen = false;
    TempFolder folder;
    KeyframeAnimation animation;
};

}  // namespace

TEST_F(KeyframeDrawing, ObjectTopLeftSitsAtKeyPosition)
{
    // Top-left at a quarter of the screen, half the screen wide and high.
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 256, 192\nSize: 512, 384\nEnd\nEnd\n"));
    ASSERT_NE(animation.GetObjects()[0].texture, nullptr);
    animation.Draw();
    EXPECT_GT(RedAt(0.27f, 0.27f), 200);
    EXPECT_GT(RedAt(0.73f, 0.73f), 200);
    EXPECT_GT(RedAt(0.5f, 0.3f), 200);
    EXPECT_LT(RedAt(0.2f, 0.5f), 50);
    EXPECT_LT(RedAt(0.5f, 0.2f), 50);
    EXPECT_LT(RedAt(0.8f, 0.5f), 50);
    EXPECT_LT(RedAt(0.5f, 0.8f), 50);
}

TEST_F(KeyframeDrawing, PlacementIsMeasuredFromTopNotBottom)
{
    // A thin band near the top of the screen.
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 0, 0\nSize: 1024, 192\nEnd\nEnd\n"));
    animation.Draw();
    EXPECT_GT(RedAt(0.5f, 0.1f), 200);
    EXPECT_LT(RedAt(0.5f, 0.9f), 50);
}

TEST_F(KeyframeDrawing, OrientationTurnsTheImageClockwiseAboutItsLowerLeftCorner)
{
    // Unturned it would fill the band from 1/4 to 1/2 of the height; a
    // quarter turn clockwise swings it down into the band from 1/2 to 3/4.
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 256, 192\nSize: 512, 192\nOrientation: 90\nEnd\nEnd\n"));
    animation.Draw();
    EXPECT_GT(RedAt(0.3f, 0.55f), 200);
    EXPECT_GT(RedAt(0.7f, 0.7f), 200);
    EXPECT_LT(RedAt(0.5f, 0.4f), 50);
    EXPECT_LT(RedAt(0.2f, 0.6f), 50);
    EXPECT_LT(RedAt(0.8f, 0.6f), 50);
}

TEST_F(KeyframeDrawing, HiddenOrEarlyObjectDrawsNothing)
{
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 1\nPos: 0, 0\nSize: 512, 768\nEnd\nEnd\n"
                         "Object\nImage: " +
                         folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 512, 0\nSize: 512, 768\nDisplay: false\nEnd\nEnd\n"));
    animation.SetTime(0.5f);
    animation.Draw();
    EXPECT_LT(RedAt(0.25f, 0.5f), 50);
    EXPECT_LT(RedAt(0.75f, 0.5f), 50);
}

TEST_F(KeyframeDrawing, HalfAlphaBlendsWithBackground)
{
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 256, 192\nSize: 512, 384\nAlpha: 0.5\nEnd\nEnd\n"));
    animation.Draw();
    EXPECT_NEAR(RedAt(0.5f, 0.5f), 128, 3);
}

TEST_F(KeyframeDrawing, ObjectWithoutImageIsSkipped)
{
    BreakCounter breaks;
    ASSERT_TRUE(LoadText("Object\nImage: nowhere.tga\nKeyframe: 0\nPos: 256, 192\nSize: 512, 384\nEnd\nEnd\n"));
    animation.Draw();
    EXPECT_EQ(breaks.Count(), 0);
    EXPECT_LT(RedAt(0.5f, 0.5f), 50);
}
