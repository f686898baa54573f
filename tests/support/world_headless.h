// Test fixture: the program's one world built headless (no window, no
// assets), optionally set up for a level as the game flow does. Shared by
// the world and level suites.
#pragma once

#include "editingflag.h"
#include "gameflow.h"
#include "morvoworld.h"
#include "random15.h"
#include "testsupport.h"
#include "toolset.h"

#include <gtest/gtest.h>

class HeadlessWorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MorvoWorld& world = GetMorvoWorld();
        world.Release();
        world.InitHeadless();
        SeedRand15(1);
        SetEditingEnabled(false);
        CellPaintTool& painter = GetToolSet().GetCellPaintTool();
        painter.SetTargetSet(nullptr);
        painter.SetEraseMode(false);
    }
    void TearDown() override { GetMorvoWorld().Release(); }

    // The per-level setup of the game flow: 116 x 116 grid over +-8.7625,
    // 10000 records, the pair force, a 19-cell window around the boy at 0.
    void SetUpLevel() { GameFlow::GetInstance()->SetupWorldForLevel(); }

    MorvoWorld& World() { return GetMorvoWorld(); }
};
