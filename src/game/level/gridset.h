// A named group of grid cells (column and row held as floats, in insertion
// order, duplicates allowed). Triggers watch them; the cell painter edits
// the cells of a stored set in place; the grid-set database holds them.
#pragma once

#include "vec2.h"

#include <string>
#include <vector>

class GridSet {
public:
    void AddCell(const Vec2& cell) { cells_.push_back(cell); }
    int GetCellCount() const { return static_cast<int>(cells_.size()); }
    // The cell at the index; an index outside the cells breaks and gives (0, 0).
    const Vec2& GetCell(int index) const;
    std::vector<Vec2>& GetCells() { return cells_; }
    const std::vector<Vec2>& GetCells() const { return cells_; }
    // True when a cell equals (x, y) exactly.
    bool Contains(float x, float y) const;

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

private:
    std::vector<Vec2> cells_;
    std::string name_;
};
