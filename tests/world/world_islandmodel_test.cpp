// Island models: the state a cleaning trigger drives, and which model of a
// layer is drawn (clean on the left half of the window, dirty on the right).
#include "gltestsupport.h"
#include "islandmodel.h"
#include "model.h"
#include "testsupport.h"
#include "trigger.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

Trigger CleaningTrigger(int32_t hitPoints, int32_t remaining, int32_t effect = EFFECT_CLEAN)
{
    Trigger trigger;
    trigger.effect = effect;
    trigger.hitPoints = hitPoints;
    trigger.remainingHits = remaining;
    return trigger;
}

}  // namespace

TEST(IslandCleaning, NewIslandIsCleanVisibleWithEmptySlots)
{
    IslandModel island;
    EXPECT_FALSE(island.IsDirty());
    EXPECT_FALSE(island.IsCleaning());
    EXPECT_TRUE(island.IsVisible());
    for (int slot = 0; slot < kIslandModelSlots; ++slot) {
        EXPECT_EQ(island.GetModel(slot), nullptr);
    }
}

TEST(IslandCleaning, FirstHitStartsCrossFadeInProportion)
{
    IslandModel island;
    island.SetDirty(true);
    Trigger trigger = CleaningTrigger(5, 5);
    island.SetTrigger(&trigger);
    island.Update(0.0f);
    EXPECT_FALSE(island.IsCleaning());
    trigger.remainingHits = 4;
    island.Update(0.0f);
    EXPECT_TRUE(island.IsCleaning());
    EXPECT_TRUE(island.IsDirty());
    EXPECT_FLOAT_EQ(island.GetCrossFadeAlpha(), 0.8f);
}

TEST(IslandCleaning, FiringMakesIslandClean)
{
    IslandModel island;
    island.SetDirty(true);
    Trigger trigger = CleaningTrigger(2, 1);
    island.SetTrigger(&trigger);
    island.Update(0.0f);
    ASSERT_TRUE(island.IsCleaning());
    trigger.fired = true;
    island.Update(0.0f);
    EXPECT_FALSE(island.IsDirty());
    EXPECT_FALSE(island.IsCleaning());
    EXPECT_FLOAT_EQ(island.GetCrossFadeAlpha(), 0.0f);
}

TEST(IslandCleaning, OtherEffectNeverCleansGraduallyButFiringCleans)
{
    IslandModel island;
    island.SetDirty(true);
    Trigger trigger = CleaningTrigger(5, 1, EFFECT_WIN);
    island.SetTrigger(&trigger);
    island.Update(0.0f);
    EXPECT_FALSE(island.IsCleaning());
    trigger.fired = true;
    island.Update(0.0f);
    EXPECT_FALSE(island.IsDirty());
}

TEST(IslandCleaning, WithoutTriggerDirtStays)
{
    IslandModel island;
    island.SetDirty(true);
    island.Update(1.0f);
    EXPECT_TRUE(island.IsDirty());
    EXPECT_FALSE(island.IsCleaning());
}

TEST(IslandSlots, OutOfRangeSlotsAreRefusedWithLogLine)
{
    IslandModel island;
    LogCapture log;
    island.SetModel(14, "nothing.obj");
    EXPECT_TRUE(log.Contains("Error! You are trying to place a model type out of range.\n"));
    log.Clear();
    island.RenderModel(14);
    EXPECT_TRUE(log.Contains("ERROR: You are trying to render an invalid model!\n"));
    log.Clear();
    island.RenderCrossFade(7);
    EXPECT_TRUE(log.Contains("ERROR: You are trying to render an invalid model!\n"));
}

TEST(IslandSlots, UnsupportedCommandBreaks)
{
    IslandModel island;
    BreakCounter breaks;
    island.HandleCommand(3);
    EXPECT_EQ(breaks.Count(), 1);
}

namespace {

// One triangle filling the left or the right half of the clip square.
const char* const kLeftTriangle = "v -1 -1 0\nv -0.05 -1 0\nv -0.05 1 0\nv -1 1 0\nf 1 2 3\nf 1 3 4\n";
const char* const kRightTriangle = "v 0.05 -1 0\nv 1 -1 0\nv 1 1 0\nv 0.05 1 0\nf 1 2 3\nf 1 3 4\n";
constexpr int kWindowSide = 256;

class IslandDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gltest::EnsureWindow(kWindowSide, kWindowSide)) {
            GTEST_SKIP() << "no GL window";
        }
        folder.Write("left.obj", kLeftTriangle);
        folder.Write("right.obj", kRightTriangle);
        gltest::ResetDrawing(gltest::Texturing::kOff);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    void TearDown() override { glDisable(GL_BLEND); }

    // Layer k: clean model on the left, dirty on the right.
    void FillLayer(int layer)
    {
        island.SetModel(2 * layer, folder.File("left.obj").c_str());
        island.SetModel(2 * layer + 1, folder.File("right.obj").c_str());
    }

    static int RedAt(float u)
    {
        return gltest::ReadPixel(static_cast<int>(u * static_cast<float>(gltest::WindowWidth())),
                                 gltest::WindowHeight() / 2)[0];
    }
    static int Left() { return RedAt(0.25f); }
    static int Right() { return RedAt(0.75f); }

    TempFolder folder;
    Trigger trigger;  // outlives the island that watches it
    IslandModel island;
};

}  // namespace

TEST_F(IslandDrawing, CleanIslandDrawsCleanModelOfLayer)
{
    FillLayer(3);
    ASSERT_NE(island.GetModel(6), nullptr);
    island.RenderBeachLayer();
    EXPECT_GT(Left(), 0);
    EXPECT_EQ(Right(), 0);
}

TEST_F(IslandDrawing, DirtyIslandDrawsDirtyModelOfLayer)
{
    FillLayer(1);
    island.SetDirty(true);
    island.RenderTreeLayer();
    EXPECT_EQ(Left(), 0);
    EXPECT_GT(Right(), 0);
}

TEST_F(IslandDrawing, CleaningDrawsBothWithDirtyFaded)
{
    FillLayer(2);
    island.SetDirty(true);
    trigger = CleaningTrigger(4, 2);
    island.SetTrigger(&trigger);
    island.Update(0.0f);
    ASSERT_TRUE(island.IsCleaning());
    island.RenderWaveLayer();
    EXPECT_GT(Left(), 0);
    // White at alpha 0.5 over black.
    EXPECT_NEAR(Right(), 128, 3);
}

TEST_F(IslandDrawing, RenderDrawsOnlyTheIslandLayer)
{
    FillLayer(6);
    island.Render();
    EXPECT_EQ(Left(), 0);
    EXPECT_EQ(Right(), 0);
    FillLayer(0);
    island.Render();
    EXPECT_GT(Left(), 0);
}

TEST_F(IslandDrawing, EmptyLayerDrawsNothingInEveryState)
{
    trigger = CleaningTrigger(4, 2);
    island.SetTrigger(&trigger);
    for (int state = 0; state < 3; ++state) {
        island.SetDirty(state > 0);
        if (state == 2) {
            island.Update(0.0f);
        }
        island.RenderCityLayer();
        EXPECT_EQ(Left(), 0);
        EXPECT_EQ(Right(), 0);
    }
}

TEST_F(IslandDrawing, InvisibleIslandDrawsNothing)
{
    FillLayer(0);
    island.SetVisible(false);
    island.RenderIslandLayer();
    EXPECT_EQ(Left(), 0);
}
