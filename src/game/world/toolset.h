// ToolSet: the one global set of editing brushes under a common radius.
// It is itself the spawn brush and holds the erase and cell-paint brushes.
// The in-game input applies them under the mouse while editing and changes
// the radius; the level reader resets the cell painter.
#pragma once

#include "cellpainttool.h"
#include "erasetool.h"
#include "spawntool.h"

class ToolSet : public SpawnTool {
public:
    ToolSet();

    // Clamps to the body radius of morvos of power 0.1 and 20 (0.025 to
    // 0.1045887) and gives it to the spawn part and the erase tool; the cell
    // painter keeps its own radius. Calls the base setter directly, so the
    // spawn part's own slot never recurses into this one.
    void SetRadius(float radius) override;
    float GetRadius() const { return radius_; }

    EraseTool& GetEraseTool() { return erase_; }
    CellPaintTool& GetCellPaintTool() { return cellPaint_; }

private:
    EraseTool erase_;
    CellPaintTool cellPaint_;
    float radius_ = 0.025f;  // the common radius
};

// The program's one ToolSet.
ToolSet& GetToolSet();
