// Render-mode cycling and the debug-draw flags it switches.
#include "rendermode.h"

#include <gtest/gtest.h>

TEST(RenderMode, CyclesThroughTheThreeModesAndSwitchesTheDebugDrawings)
{
    SetRenderMode(kRenderModeGlow);
    EXPECT_FALSE(IsDebugDrawOn());
    CycleRenderMode();
    EXPECT_EQ(GetRenderMode(), kRenderModePoints);
    EXPECT_TRUE(IsGridDrawOn() && IsCellSetDrawOn() && IsBoundsDrawOn() && IsDebugDrawOn());
    CycleRenderMode();
    EXPECT_EQ(GetRenderMode(), kRenderModeDisks);
    CycleRenderMode();
    EXPECT_EQ(GetRenderMode(), kRenderModeGlow);
    EXPECT_FALSE(IsGridDrawOn() || IsCellSetDrawOn() || IsBoundsDrawOn() || IsDebugDrawOn());
}

TEST(RenderMode, ClampsAndModeThreeKeepsTheFlags)
{
    SetRenderMode(kRenderModePoints);
    SetRenderMode(7);
    EXPECT_EQ(GetRenderMode(), kRenderModeNone);
    EXPECT_TRUE(IsDebugDrawOn());
    SetRenderMode(-4);
    EXPECT_EQ(GetRenderMode(), kRenderModePoints);
    ToggleDebugDraw();
    EXPECT_FALSE(IsDebugDrawOn() || IsGridDrawOn());
    ToggleDebugDraw();
    EXPECT_TRUE(IsDebugDrawOn() && IsBoundsDrawOn());
    SetRenderMode(kRenderModeGlow);
}
