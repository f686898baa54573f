// TriggerSet::Check: conditions, hit points, one message per firing, and
// triggers without a usable grid set.
#include "world_headless.h"

#include "gridset.h"
#include "gridsetdatabase.h"
#include "messageclient.h"
#include "messagemanager.h"
#include "morvostore.h"
#include "trigger.h"
#include "triggerset.h"
#include "uniformgrid.h"

#include <vector>

namespace {

// Stands in for the in-game state (client 1).
class Inbox : public MessageClient {
public:
    bool HandleMessage(MessageHandle message) override
    {
        types.push_back(message->GetType());
        parameters.push_back(message->GetParameter(0, -1));
        return true;
    }
    std::vector<int32_t> types;
    std::vector<int32_t> parameters;
};

class TriggerCheckTest : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
        GridSetDatabase::GetInstance()->Clear();
        MessageManager::GetInstance()->RegisterWithId(1, &inbox_);
        const UniformGrid& grid = *World().GetGrid();
        boyCell_ = Vec2(static_cast<float>(grid.ToCellX(0.0f)), static_cast<float>(grid.ToCellY(0.0f)));
    }
    void TearDown() override
    {
        MessageManager::GetInstance()->Unregister(1);
        GridSetDatabase::GetInstance()->Clear();
        HeadlessWorldTest::TearDown();
    }

    int32_t AddSet(const std::vector<Vec2>& cells)
    {
        GridSet set;
        for (const Vec2& cell : cells) {
            set.AddCell(cell);
        }
        set.SetName("set" + std::to_string(GridSetDatabase::GetInstance()->GetCount()));
        return static_cast<int32_t>(GridSetDatabase::GetInstance()->Add(set));
    }

    Trigger& AddTrigger(int32_t condition, int32_t gridSet, int32_t hitPoints, int32_t effect = EFFECT_WIN)
    {
        Trigger trigger;
        trigger.id = "t";
        trigger.condition = condition;
        trigger.gridSet = gridSet;
        trigger.hitPoints = hitPoints;
        trigger.remainingHits = hitPoints;
        trigger.effect = effect;
        World().GetTriggers().Add(trigger);
        return *World().GetTriggers().FindByName("t");
    }

    // Checks once and returns the number of messages it sent.
    size_t CheckOnce()
    {
        World().GetTriggers().Check();
        const size_t before = inbox_.types.size();
        inbox_.ProcessMessages();
        return inbox_.types.size() - before;
    }

    Inbox inbox_;
    Vec2 boyCell_{0.0f, 0.0f};
};

struct HitCase {
    const char* name;
    int32_t hitPoints;
    int firingCheck;  // 1-based check in which the trigger fires
};

class BoyEntersTest : public TriggerCheckTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(BoyEntersTest, FiresAfterItsHitPointsAreUsedUp)
{
    Trigger& trigger = AddTrigger(BOY_ENTERS, AddSet({boyCell_}), GetParam().hitPoints);
    for (int check = 1; check < GetParam().firingCheck; ++check) {
        EXPECT_EQ(CheckOnce(), 0u) << "check " << check;
    }
    EXPECT_EQ(CheckOnce(), 1u);
    EXPECT_TRUE(trigger.fired);
    EXPECT_EQ(CheckOnce(), 0u) << "a fired trigger sends one message only";
    EXPECT_EQ(inbox_.types, std::vector<int32_t>{EFFECT_WIN});
}

INSTANTIATE_TEST_SUITE_P(HitPoints, BoyEntersTest,
                         ::testing::Values(HitCase{"NoHitPoints", 0, 1}, HitCase{"ThreeHitPoints", 3, 4}), CaseName());

TEST_F(TriggerCheckTest, BoyOutsideTheSetIsNoHit)
{
    Trigger& trigger = AddTrigger(BOY_ENTERS, AddSet({Vec2(boyCell_.x + 1.0f, boyCell_.y)}), 0);
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_FALSE(trigger.fired);
    EXPECT_EQ(trigger.remainingHits, 0);
}

TEST_F(TriggerCheckTest, PlayAnimationCarriesTheAnimationIndex)
{
    Trigger& trigger = AddTrigger(BOY_ENTERS, AddSet({boyCell_}), 0, EFFECT_PLAY_ANIM);
    trigger.animation = 5;
    EXPECT_EQ(CheckOnce(), 1u);
    EXPECT_EQ(inbox_.types[0], EFFECT_PLAY_ANIM);
    EXPECT_EQ(inbox_.parameters[0], 5);
}

TEST_F(TriggerCheckTest, FiresEvenWhenNobodyListens)
{
    MessageManager::GetInstance()->Unregister(1);
    Trigger& trigger = AddTrigger(BOY_ENTERS, AddSet({boyCell_}), 0);
    World().GetTriggers().Check();
    EXPECT_TRUE(trigger.fired);
}

TEST_F(TriggerCheckTest, FilledWhiteNeedsTwoPureMorvosInEveryCell)
{
    const UniformGrid& grid = *World().GetGrid();
    const Vec2 corner = grid.GetCellCorner(static_cast<int32_t>(boyCell_.x), static_cast<int32_t>(boyCell_.y));
    const float inset = grid.GetCellWidth() * 0.5f;
    Trigger& trigger = AddTrigger(FILLED_WHITE, AddSet({boyCell_}), 0);
    World().AddMorvo(corner.x + inset, corner.y + inset, kMorvoPure, 1.0f);
    World().AddMorvo(corner.x + inset, corner.y + inset * 0.5f, kMorvoDark, 1.0f);
    World().AddMorvo(corner.x + inset * 0.5f, corner.y + inset, kMorvoNeutral, 1.0f);
    EXPECT_EQ(CheckOnce(), 0u) << "one pure morvo does not fill a cell";
    World().AddMorvo(corner.x + inset * 0.5f, corner.y + inset * 0.5f, kMorvoPure, 1.0f);
    EXPECT_EQ(CheckOnce(), 1u);
    EXPECT_TRUE(trigger.fired);
}

// The cells in the grid's four corners count like any other.
TEST_F(TriggerCheckTest, FilledWhiteCellsInTheGridsCornersCount)
{
    const UniformGrid& grid = *World().GetGrid();
    const int32_t w = grid.GetWidth() - 1;
    const int32_t h = grid.GetHeight() - 1;
    const std::vector<Vec2> corners = {Vec2(0, 0), Vec2(static_cast<float>(w), 0), Vec2(0, static_cast<float>(h)),
                                       Vec2(static_cast<float>(w), static_cast<float>(h))};
    Trigger& trigger = AddTrigger(FILLED_WHITE, AddSet(corners), 0);
    const float inset = grid.GetCellWidth() * 0.25f;
    for (const Vec2& cell : corners) {
        const Vec2 corner = grid.GetCellCorner(static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y));
        World().AddMorvo(corner.x + inset, corner.y + inset, kMorvoPure, 1.0f);
        World().AddMorvo(corner.x + 2.0f * inset, corner.y + 2.0f * inset, kMorvoPure, 1.0f);
    }
    EXPECT_EQ(CheckOnce(), 1u);
    EXPECT_TRUE(trigger.fired);
}

TEST_F(TriggerCheckTest, FilledWhiteOfAnEmptySetIsMetEveryCheck)
{
    Trigger& trigger = AddTrigger(FILLED_WHITE, AddSet({}), 2);
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(trigger.remainingHits, 1);
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(CheckOnce(), 1u);
}

TEST_F(TriggerCheckTest, FilledWhiteCellOutsideTheGridIsNotFilled)
{
    // Cells as far out as a file can put them: no whole number in range.
    Trigger& trigger = AddTrigger(FILLED_WHITE,
                                  AddSet({Vec2(-1.0f, 3.0f), Vec2(500.0f, 2.0f), Vec2(2147483647.0f, 2.0f),
                                          Vec2(2.0f, -1e10f), Vec2(std::nanf(""), 2.0f)}),
                                  0);
    BreakCounter breaks;
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_FALSE(trigger.fired);
    EXPECT_EQ(breaks.Count(), 0);
}

TEST_F(TriggerCheckTest, RainWithinFiresWhenRainStartedInTheSet)
{
    Trigger& trigger = AddTrigger(RAIN_WITHIN, AddSet({Vec2(3.0f, 4.0f), Vec2(5.0f, 6.0f)}), 1);
    World().GetRainHits().Add(Vec2(9.0f, 9.0f));
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(trigger.remainingHits, 1);
    World().GetRainHits().Add(Vec2(5.0f, 6.0f));
    World().GetRainHits().Add(Vec2(3.0f, 4.0f));
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(trigger.remainingHits, 0) << "several matching cells are one hit";
    EXPECT_EQ(CheckOnce(), 1u);
}

// Rain of an earlier frame of the level still counts after the contact ended.
TEST_F(TriggerCheckTest, RainWithinRemembersRainOfEarlierFrames)
{
    const UniformGrid& grid = *World().GetGrid();
    const Vec2 cell(static_cast<float>(grid.ToCellX(0.12f)), static_cast<float>(grid.ToCellY(0.2f)));
    Trigger& trigger = AddTrigger(RAIN_WITHIN, AddSet({Vec2(cell.x + 0.5f, cell.y), cell}), 2);
    const int32_t dark = World().AddMorvo(0.1f, 0.2f, kMorvoDark, 3.0f);
    const int32_t pure = World().AddMorvo(0.14f, 0.2f, kMorvoPure, 3.0f);
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(trigger.remainingHits, 2) << "no rain yet";
    World().Update(1.0f / 60.0f, false);
    World().RemoveMorvo(dark);
    World().RemoveMorvo(pure);
    World().Update(1.0f / 60.0f, false);
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(CheckOnce(), 0u);
    EXPECT_EQ(CheckOnce(), 1u);
    EXPECT_TRUE(trigger.fired);
}

TEST_F(TriggerCheckTest, ConditionsWithoutATestNeverFire)
{
    const int32_t set = AddSet({boyCell_});
    for (int32_t condition : std::vector<int32_t>{NO_CONDITION, FILLED_BLACK, START_UP, 42}) {
        World().GetTriggers().Clear();
        Trigger& trigger = AddTrigger(condition, set, 0);
        EXPECT_EQ(CheckOnce(), 0u);
        EXPECT_FALSE(trigger.fired);
    }
}

TEST_F(TriggerCheckTest, MissingGridSetIsNeverMet)
{
    AddSet({boyCell_});
    for (int32_t gridSet : std::vector<int32_t>{-1, 9999, 7}) {
        World().GetTriggers().Clear();
        Trigger& trigger = AddTrigger(FILLED_WHITE, gridSet, 0);
        BreakCounter breaks;
        EXPECT_EQ(CheckOnce(), 0u) << "grid set " << gridSet;
        EXPECT_FALSE(trigger.fired);
        EXPECT_EQ(breaks.Count(), 0);
    }
}

}  // namespace
