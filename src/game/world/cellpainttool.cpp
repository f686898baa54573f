// CellPaintTool: adds the grid cell under the brush to its target set
// (once), or removes every copy of it.
#include "cellpainttool.h"

#include "debugbreak.h"
#include "gridset.h"
#include "morvoworld.h"
#include "uniformgrid.h"

#include <algorithm>
#include <vector>

void CellPaintTool::Apply(MorvoWorld* world, int32_t /*selector*/, Vec2 position)
{
    if (world == nullptr) {
        DEBUG_BREAK("CellPaintTool::Apply: null world");
        return;
    }
    if (targetSet_ == nullptr || world->GetGrid() == nullptr) {
        return;
    }
    const UniformGrid& grid = *world->GetGrid();
    const Vec2 cell(static_cast<float>(grid.ToCellX(position.x)), static_cast<float>(grid.ToCellY(position.y)));
    std::vector<Vec2>& cells = targetSet_->GetCells();
    if (erase_) {
        cells.erase(std::remove(cells.begin(), cells.end(), cell), cells.end());
    } else if (std::find(cells.begin(), cells.end(), cell) == cells.end()) {
        cells.push_back(cell);
    }
}
