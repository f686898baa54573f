// CellPaintTool: the brush that adds grid cells to a grid set, or removes
// them, to shape trigger areas. Part of the ToolSet; the in-game editor picks
// its target set, the level reader resets it.
#pragma once

#include "tool.h"

#include <cstdint>

class GridSet;

class CellPaintTool : public Tool {
public:
    // Paints (or erases) the grid cell under the position in the target set;
    // nothing without a target set.
    void Apply(MorvoWorld* world, int32_t selector, Vec2 position) override;

    void SetEraseMode(bool erase) { erase_ = erase; }
    bool IsEraseMode() const { return erase_; }
    // The set edited in place (not owned); null for none.
    void SetTargetSet(GridSet* set) { targetSet_ = set; }
    GridSet* GetTargetSet() const { return targetSet_; }
    // Index of the target set in the GridSetDatabase, -1 for none.
    void SetSetIndex(int32_t index) { setIndex_ = index; }
    int32_t GetSetIndex() const { return setIndex_; }

private:
    bool erase_ = false;
    int32_t setIndex_ = -1;
    GridSet* targetSet_ = nullptr;
};
