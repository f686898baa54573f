// The fixture of the level-file tests: a headless world set up for a level,
// with the animation and grid-set tables empty before and after each test.
#pragma once

#include "world_headless.h"

#include "animationdatabase.h"
#include "gridsetdatabase.h"

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

private:
    static void ClearTables()
    {
        AnimationDatabase::GetInstance()->Clear();
        GridSetDatabase::GetInstance()->Clear();
    }
};
