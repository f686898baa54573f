// Island drawing: which model of a layer is drawn (clean on the left half
// of the window, dirty on the right).
#include "gltestsupport.h"
#include "islandmodel.h"
#include "model.h"
#include "testsupport.h"
#include "trigger.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

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
    // A cleaning trigger with 2 of its 4 hits left.
    void WatchCleaningTrigger()
    {
        trigger.effect = EFFECT_CLEAN;
        trigger.hitPoints = 4;
        trigger.remainingHits = 2;
        island.SetTrigger(&trigger);
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
    WatchCleaningTrigger();
    island.Update(0.0f);
    ASSERT_TRUE(island.IsCleaning());
    island.RenderWaveLayer();
    // The clean model, and the dirty one white at alpha 0.5 over black, grey
    // alike in every colour channel.
    const int y = gltest::WindowHeight() / 2;
    const std::array<int, 4> clean = gltest::ReadPixel(gltest::WindowWidth() / 4, y);
    const std::array<int, 4> dirty = gltest::ReadPixel(gltest::WindowWidth() * 3 / 4, y);
    for (int c = 0; c < 3; ++c) {
        EXPECT_GT(clean[c], 0) << c;
        EXPECT_EQ(clean[c], clean[0]) << c;
        EXPECT_NEAR(dirty[c], 128, 3) << c;
    }
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
    WatchCleaningTrigger();
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

// Each of the seven layer entries draws its own pair of slots and no other,
// clean, dirty and cross-fading alike.
TEST_F(IslandDrawing, EachLayerEntryDrawsOnlyItsOwnSlotsInEveryState)
{
    using Entry = void (IslandModel::*)();
    const Entry entries[] = {&IslandModel::RenderIslandLayer,        &IslandModel::RenderTreeLayer,
                             &IslandModel::RenderWaveLayer,          &IslandModel::RenderBeachLayer,
                             &IslandModel::RenderShallowWater4Layer, &IslandModel::RenderShallowWater5Layer,
                             &IslandModel::RenderCityLayer};
    WatchCleaningTrigger();
    for (int filled = 0; filled < 7; ++filled) {
        IslandModel one;
        one.SetModel(2 * filled, folder.File("left.obj").c_str());
        one.SetModel(2 * filled + 1, folder.File("right.obj").c_str());
        one.SetTrigger(&trigger);
        for (int state = 0; state < 3; ++state) {
            one.SetDirty(state > 0);
            if (state == 2) {
                one.Update(0.0f);
            }
            for (int entry = 0; entry < 7; ++entry) {
                gltest::ResetDrawing(gltest::Texturing::kOff);
                (one.*entries[entry])();
                const bool own = entry == filled;
                // Clean: the clean model; dirty: the dirty one; cleaning: both.
                EXPECT_EQ(Left() > 0, own && state != 1)
                    << "layer " << filled << " entry " << entry << " state " << state;
                EXPECT_EQ(Right() > 0, own && state != 0)
                    << "layer " << filled << " entry " << entry << " state " << state;
            }
        }
    }
}
