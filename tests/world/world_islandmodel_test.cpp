// Island models: the state a cleaning trigger drives and the slots it
// fills; the drawing is tested under a window in gl/.
#include "islandmodel.h"
#include "testsupport.h"
#include "trigger.h"

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
