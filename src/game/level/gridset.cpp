// Cell look-up of a grid set.
#include "gridset.h"

bool GridSet::Contains(float x, float y) const
{
    for (const Vec2& cell : cells_) {
        if (cell.x == x && cell.y == y) {
            return true;
        }
    }
    return false;
}
