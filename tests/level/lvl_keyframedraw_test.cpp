// Keyframe drawing under a real GL window (Xvfb in the test run): an
// object's top-left corner sits at its keyframe position from the window's
// top-left, in pixels.
#include "gfxcomponent.h"
#include "keyframeanimation.h"
#include "testsupport.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

// A 2 x 2 opaque white true-colour TGA.
std::string WhiteTga()
{
    std::string data(18, '\0');
    data[2] = 2;   // uncompressed true colour
    data[12] = 2;  // width
    data[14] = 2;  // height
    data[16] = 32; // bits per pixel
    data[17] = 8;  // alpha bits
    data += std::string(2 * 2 * 4, static_cast<char>(0xFF));
    return data;
}

class KeyframeDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        windowOpen = GfxComponent::GetInstance()->CreateGLWindow(kWindowWidth, kWindowHeight, 32, 16, false);
    }

    void SetUp() override
    {
        if (!windowOpen) {
            GTEST_SKIP() << "no GL window";
        }
        folder.Write("white.tga", WhiteTga());
        glViewport(0, 0, kWindowWidth, kWindowHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
    }

    void TearDown() override
    {
        if (windowOpen) {
            animation.Clear();
        }
    }

    // Red channel of the pixel at (x, y) counted from the window's top-left.
    static int RedAtTopLeft(int x, int y)
    {
        uint8_t pixel[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glReadPixels(x, kWindowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return pixel[0];
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

} // namespace

TEST_F(KeyframeDrawing, ObjectTopLeftSitsAtKeyPosition)
{
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 100, 50\nSize: 40, 30\nEnd\nEnd\n"));
    ASSERT_NE(animation.GetObjects()[0].texture, nullptr);
    animation.Draw();
    EXPECT_GT(RedAtTopLeft(101, 51), 200);
    EXPECT_GT(RedAtTopLeft(138, 78), 200);
    EXPECT_LT(RedAtTopLeft(98, 60), 50);
    EXPECT_LT(RedAtTopLeft(120, 48), 50);
    EXPECT_LT(RedAtTopLeft(142, 60), 50);
    EXPECT_LT(RedAtTopLeft(120, 82), 50);
}

TEST_F(KeyframeDrawing, HiddenOrEarlyObjectDrawsNothing)
{
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 1\nPos: 100, 50\nSize: 40, 30\nEnd\nEnd\n"
                         "Object\nImage: " +
                         folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 300, 300\nSize: 40, 30\nDisplay: false\nEnd\nEnd\n"));
    animation.SetTime(0.5f);
    animation.Draw();
    EXPECT_LT(RedAtTopLeft(120, 60), 50);
    EXPECT_LT(RedAtTopLeft(320, 310), 50);
}

TEST_F(KeyframeDrawing, HalfAlphaBlendsWithBackground)
{
    ASSERT_TRUE(LoadText("Object\nImage: " + folder.File("white.tga") +
                         "\nKeyframe: 0\nPos: 10, 10\nSize: 20, 20\nAlpha: 0.5\nEnd\nEnd\n"));
    animation.Draw();
    EXPECT_NEAR(RedAtTopLeft(20, 20), 128, 3);
}

TEST_F(KeyframeDrawing, ObjectWithoutImageIsSkipped)
{
    BreakCounter breaks;
    ASSERT_TRUE(LoadText("Object\nImage: nowhere.tga\nKeyframe: 0\nPos: 10, 10\nSize: 20, 20\nEnd\nEnd\n"));
    animation.Draw();
    EXPECT_EQ(breaks.Count(), 0);
    EXPECT_LT(RedAtTopLeft(20, 20), 50);
}
