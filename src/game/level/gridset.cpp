// Cell look-up of a grid set.
#include "gridset.h"

#include "debugbreak.h"

const Vec2& GridSet::GetCell(int index) const
{
    static const Vec2 kNoCell(0.0f, 0.0f);
    if (index < 0 || index >= GetCellCount()) {
        DEBUG_BREAK("GridSet::GetCell index out of range");
        return kNoCell;
    }
    return cells_[static_cast<size_t>(index)];
}

bool GridSet::Contains(float x, float y) const
{
    for (const Vec2& cell : cells_) {
        if (cell.x == x && cell.y == y) {
            return true;
        }
    }
    return false;
}
