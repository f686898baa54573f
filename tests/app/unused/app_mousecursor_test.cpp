// The relative-motion mouse cursor: clamping to its 320 x 240 field with y
// inverted, the speed factor, the unclamped wheel, and the untextured sprite.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include "gltestsupport.h"
#include "mousecursor.h"
#include "testsupport.h"

#include <array>
#include <vector>

namespace {

struct CursorCase {
    const char* name;
    float speed;
    std::vector<std::array<int, 3>> moves;
    int x, y, wheel;
};

class MouseCursorMoves : public ::testing::TestWithParam<CursorCase> {};

TEST_P(MouseCursorMoves, EndsAt)
{
    const CursorCase& c = GetParam();
    MouseCursor cursor;
    cursor.SetSpeed(c.speed);
    for (const auto& m : c.moves)
        cursor.Move(m[0], m[1], m[2]);
    EXPECT_EQ(cursor.GetX(), c.x);
    EXPECT_EQ(cursor.GetY(), c.y);
    EXPECT_EQ(cursor.GetWheel(), c.wheel);
}

INSTANTIATE_TEST_SUITE_P(
    Cursor, MouseCursorMoves,
    ::testing::Values(CursorCase{"FarRightStopsAtTheField", 1.0f, {{1000, 0, 0}}, 320, 0, 0},
                      CursorCase{"DownwardMotionCannotGoBelowZero", 1.0f, {{0, 1000, 0}}, 0, 0, 0},
                      CursorCase{"UpwardMotionRaisesY", 1.0f, {{10, -30, 0}, {5, -300, 0}, {0, 40, 0}}, 15, 200, 0},
                      CursorCase{"SpeedScalesAndTruncates", 1.5f, {{3, -3, 5}, {3, -3, -9}}, 8, 8, -6},
                      CursorCase{"ClampedStepsAreLost", 1.0f, {{-50, 0, 0}, {20, 0, 0}}, 20, 0, 0}),
    CaseName());

TEST(MouseCursor, UntexturedSpriteIsWhiteAtItsAlpha)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open());
    gltest::ResetDrawing();
    MouseCursor cursor;
    cursor.Move(20, -40, 0);
    cursor.SetAlpha(0.5f);
    cursor.Render();
    // The sprite hangs below and to the right of (20, 40).
    const auto inside = gltest::ReadPixel(25, 35);
    EXPECT_NEAR(inside[0], 128, 2);
    EXPECT_NEAR(inside[1], 128, 2);
    EXPECT_EQ(gltest::ReadPixel(25, 45)[0], 0);
    EXPECT_EQ(gltest::ReadPixel(15, 35)[0], 0);
}

}  // namespace
