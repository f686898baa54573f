// RainHitCells: the grid cells (column, row as floats) in which dark contacts
// started rain, each held once, in the order of their first hit. The pair
// exchange adds to it during play; the trigger check asks whether a cell of a
// grid set is among them; the level reader empties it for a new level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "vec2.h"

class RainHitCells {
public:
    using const_iterator = std::vector<Vec2>::const_iterator;

    // Whole cells of a columns x rows grid are looked up in a bitmap, every
    // other value in a side table; the held cells stay.
    void SetGridSize(int32_t columns, int32_t rows);

    // Adds the cell unless an equal one (both coordinates, as floats) is
    // held; true when it was new. NaN equals nothing and is not held.
    bool Add(Vec2 cell);
    // The same for a whole cell, without a detour through floats when it lies on the grid.
    bool AddCell(int32_t column, int32_t row)
    {
        if (static_cast<uint32_t>(column) < static_cast<uint32_t>(columns_) &&
            static_cast<uint32_t>(row) < static_cast<uint32_t>(rows_)) {
            const size_t bit = static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column);
            uint64_t& word = bits_[bit >> 6];
            const uint64_t mask = uint64_t{1} << (bit & 63);
            if ((word & mask) != 0) {
                return false;
            }
            word |= mask;
            cells_.push_back(Vec2(static_cast<float>(column), static_cast<float>(row)));
            return true;
        }
        return Add(Vec2(static_cast<float>(column), static_cast<float>(row)));
    }
    // True when a held cell equals this one in both coordinates.
    bool Contains(Vec2 cell) const;
    void Clear();

    size_t GetCount() const { return cells_.size(); }
    bool IsEmpty() const { return cells_.empty(); }
    // The held cells in the order of their first hit.
    const_iterator begin() const { return cells_.begin(); }
    const_iterator end() const { return cells_.end(); }

private:
    // Bit of a whole cell on the grid, or -1.
    int64_t BitOf(Vec2 cell) const;
    // Equal floats give equal keys (0 and -0 alike).
    static uint64_t KeyOf(Vec2 cell);

    std::vector<Vec2> cells_;
    std::vector<uint64_t> bits_;
    std::unordered_set<uint64_t> others_;
    int32_t columns_ = 0;
    int32_t rows_ = 0;
};
