// The fixture of the level-file tests: a headless world set up for a level,
// with the animation and grid-set tables empty before and after each test.
#pragma once

#include "world_headless.h"

#include "animationdatabase.h"
#include "gridsetdatabase.h"
#include "trigger.h"

#include <cstdint>

class LevelFileFixture : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
        ClearTables();
    }
    void TearDown() override
    {
        ClearTables();
        HeadlessWorldTest::TearDown();
    }

    // A trigger with every field a level file keeps, its hits still to come.
    static Trigger MakeTrigger(const char* id, int32_t condition, int32_t gridSet, int32_t effect, int32_t animation,
                               bool visible, int32_t hitPoints)
    {
        Trigger t;
        t.id = id;
        t.condition = condition;
        t.gridSet = gridSet;
        t.effect = effect;
        t.animation = animation;
        t.visible = visible;
        t.hitPoints = hitPoints;
        t.remainingHits = hitPoints;
        return t;
    }

private:
    static void ClearTables()
    {
        AnimationDatabase::GetInstance()->Clear();
        GridSetDatabase::GetInstance()->Clear();
    }
};
