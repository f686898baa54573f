// The edit dialog's work on the main thread, without a display: the queue
// between the toolkit's thread and the main thread, and "Clear All Morvos".
#include "world_headless.h"

#include "animationdatabase.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "leveleditdialog.h"
#include "mainthreadqueue.h"
#include "triggerset.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(MainThreadQueue, OtherThreadsWaitUntilTheMainThreadRunsTheirWork)
{
    MainThreadQueue queue;
    EXPECT_FALSE(queue.Run([] {}));  // closed: refused
    queue.Open();
    int ranHere = 0;
    EXPECT_TRUE(queue.Run([&ranHere] { ++ranHere; }));  // the main thread runs it at once
    EXPECT_EQ(ranHere, 1);

    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    std::thread handler([&] {
        EXPECT_TRUE(queue.Run([&ranOn] { ranOn = std::this_thread::get_id(); }));
        returned = true;
    });
    while (queue.Drain() == 0) {
        std::this_thread::yield();
    }
    handler.join();
    EXPECT_TRUE(returned);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    queue.Close();
    std::thread late([&queue] { EXPECT_FALSE(queue.Run([] { FAIL() << "ran after closing"; })); });
    late.join();
    EXPECT_EQ(queue.Drain(), 0);
}

class ClearAll : public HeadlessWorldTest {};

TEST_F(ClearAll, EmptiesTheLevelAndLeavesNothingPointingIntoIt)
{
    MorvoWorld& world = World();
    SetUpLevel();
    Trigger trigger;
    trigger.id = "clean";
    world.GetTriggers().Add(trigger);
    GridSet set;
    set.AddCell(Vec2(1.0f, 2.0f));
    GridSetDatabase* sets = GridSetDatabase::GetInstance();
    const unsigned index = sets->Add(set);
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetTargetSet(sets->Get(index));
    painter.SetSetIndex(static_cast<int32_t>(index));
    IslandModel* island = world.GetIsland(kIsland3big);
    ASSERT_NE(island, nullptr);
    island->SetTrigger(world.GetTriggers().FindByName("clean"));
    island->SetDirty(true);
    world.SetWinWhenAllPure(true);
    world.SetLoseWhenNoPureMorvos(true);
    world.SetWinWhenPurePowerThreshold(true);

    ClearAllMorvos();

    EXPECT_EQ(world.GetTriggers().GetCount(), 0);
    EXPECT_EQ(sets->GetCount(), 0u);
    EXPECT_EQ(island->GetTrigger(), nullptr);
    EXPECT_EQ(painter.GetTargetSet(), nullptr);
    EXPECT_EQ(painter.GetSetIndex(), -1);
    EXPECT_FALSE(island->IsDirty());
    EXPECT_FALSE(world.GetWinWhenAllPure());
    EXPECT_FALSE(world.GetLoseWhenNoPureMorvos());
    EXPECT_TRUE(world.GetWinWhenPurePowerThreshold());  // not one of the dialog's rules
    EXPECT_TRUE(world.GetParticleSystems().empty());
}

}  // namespace
