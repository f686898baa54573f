// RainHitCells: distinct rain cells with a bitmap over the grid and a side
// table for cells beyond it.
#include "rainhitcells.h"

#include <cmath>
#include <cstring>

namespace {
constexpr int kWordBits = 64;
}  // namespace

void RainHitCells::SetGridSize(int32_t columns, int32_t rows)
{
    if (columns < 0 || rows < 0) {
        columns = 0;
        rows = 0;
    }
    if (columns == columns_ && rows == rows_) {
        return;
    }
    columns_ = columns;
    rows_ = rows;
    const size_t bitCount = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    bits_.assign((bitCount + kWordBits - 1) / kWordBits, 0);
    others_.clear();
    for (const Vec2& cell : cells_) {
        const int64_t bit = BitOf(cell);
        if (bit >= 0) {
            bits_[static_cast<size_t>(bit) / kWordBits] |= uint64_t{1} << (bit % kWordBits);
        } else {
            others_.insert(KeyOf(cell));
        }
    }
}

bool RainHitCells::Add(Vec2 cell)
{
    if (std::isnan(cell.x) || std::isnan(cell.y)) {
        return false;
    }
    const int64_t bit = BitOf(cell);
    if (bit >= 0) {
        uint64_t& word = bits_[static_cast<size_t>(bit) / kWordBits];
        const uint64_t mask = uint64_t{1} << (bit % kWordBits);
        if ((word & mask) != 0) {
            return false;
        }
        word |= mask;
    } else if (!others_.insert(KeyOf(cell)).second) {
        return false;
    }
    cells_.push_back(cell);
    return true;
}

bool RainHitCells::Contains(Vec2 cell) const
{
    if (std::isnan(cell.x) || std::isnan(cell.y)) {
        return false;
    }
    const int64_t bit = BitOf(cell);
    if (bit >= 0) {
        return (bits_[static_cast<size_t>(bit) / kWordBits] >> (bit % kWordBits) & 1) != 0;
    }
    return others_.count(KeyOf(cell)) != 0;
}

void RainHitCells::Clear()
{
    // Few cells are usually held: unset their bits rather than the whole map.
    for (const Vec2& cell : cells_) {
        const int64_t bit = BitOf(cell);
        if (bit >= 0) {
            bits_[static_cast<size_t>(bit) / kWordBits] &= ~(uint64_t{1} << (bit % kWordBits));
        }
    }
    cells_.clear();
    others_.clear();
}

int64_t RainHitCells::BitOf(Vec2 cell) const
{
    // Comparisons first: NaN and far values never reach the conversion.
    if (!(cell.x >= 0.0f && cell.x < static_cast<float>(columns_) && cell.y >= 0.0f &&
          cell.y < static_cast<float>(rows_))) {
        return -1;
    }
    const int32_t column = static_cast<int32_t>(cell.x);
    const int32_t row = static_cast<int32_t>(cell.y);
    if (static_cast<float>(column) != cell.x || static_cast<float>(row) != cell.y) {
        return -1;
    }
    return static_cast<int64_t>(row) * columns_ + column;
}

uint64_t RainHitCells::KeyOf(Vec2 cell)
{
    const float x = cell.x == 0.0f ? 0.0f : cell.x;
    const float y = cell.y == 0.0f ? 0.0f : cell.y;
    uint32_t xBits = 0;
    uint32_t yBits = 0;
    std::memcpy(&xBits, &x, sizeof(xBits));
    std::memcpy(&yBits, &y, sizeof(yBits));
    return static_cast<uint64_t>(xBits) << 32 | yBits;
}
