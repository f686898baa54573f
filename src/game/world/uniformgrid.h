// UniformGrid: the simulation plane cut into equal cells, each listing the
// indices of the morvos inside it. The simulator and the grid forces walk it
// cell by cell; the world keeps it in step when morvos come and go; the
// circle queries and the tools find morvos through it.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "morvostore.h"
#include "rect.h"
#include "vec2.h"

// Cell columns [x0, x1) and rows [y0, y1).
struct CellRect {
    int32_t x0;
    int32_t x1;
    int32_t y0;
    int32_t y1;
};

class UniformGrid {
public:
    using CellList = std::list<int32_t>;

    UniformGrid(int32_t rows, int32_t columns, float x0, float x1, float y0, float y1);

    // Ignored unless both counts are at least 1; existing lists are kept.
    void Resize(int32_t rows, int32_t columns);
    void SetBounds(const Rect& bounds);
    const Rect& GetBounds() const { return bounds_; }

    int32_t GetWidth() const { return columns_; }
    int32_t GetHeight() const { return rows_; }
    float GetCellWidth() const { return cellWidth_; }
    float GetCellHeight() const { return cellHeight_; }

    // The caller keeps 0 <= c < columns and 0 <= r < rows.
    CellList& GetCell(int32_t c, int32_t r) { return cells_[CellIndex(c, r)]; }
    const CellList& GetCell(int32_t c, int32_t r) const { return cells_[CellIndex(c, r)]; }
    CellList& GetCellClamped(int32_t c, int32_t r);
    const CellList& GetCellClamped(int32_t c, int32_t r) const;

    // Column / row of a coordinate, truncated toward zero and not clamped
    // (NaN gives 0; values beyond +-2^30 saturate there).
    int32_t ToCellX(float x) const { return ToCell(x - bounds_.x0, cellWidth_); }
    int32_t ToCellY(float y) const { return ToCell(y - bounds_.y0, cellHeight_); }
    // Lower corner of a cell.
    Vec2 GetCellCorner(int32_t c, int32_t r) const;

    // Columns into [0, columns], rows into [0, rows].
    void ClampCellRect(int32_t& x0, int32_t& x1, int32_t& y0, int32_t& y1) const;
    void ClampCellRect(CellRect& rect) const;
    // The whole grid as a clamped rectangle.
    CellRect GetWholeRect() const;

    // Remembers the store and radius, then bins the store's current state afresh.
    void Rebuild(MorvoStore* store, float radius);
    void ClearCells();
    // Appends every active record to the cell of its position (cells are not emptied first).
    void Bin(MorvoState& state);
    // After a simulator step: moves the morvos of the rectangle's cells to
    // the cells they now lie in and drops inactive ones.
    void Rebin(int32_t x0, int32_t x1, int32_t y0, int32_t y1);
    static void RemoveFromCell(CellList& list, int32_t index);
    // Erases index from the clamped cell of a position.
    void RemoveFromCellAt(Vec2 position, int32_t index);

    // The first step of adding a morvo: claims a free record of state for a
    // morvo at (x, y) with the given power. Non-finite values are refused
    // with a log line. A reused index that a morvo killed outside the last
    // re-binning still lists is erased from its old cell first. Returns the
    // index (a default record, active) or -1 when refused or full.
    int32_t ClaimRecord(MorvoState& state, float x, float y, float power);

    // Adds a morvo as the world does: claims a record, fills it in (texture
    // rand() % textureCount, 0 without textures) and lists it in its
    // clamped cell. Returns its index, or -1 when refused or full.
    int32_t PlaceMorvo(MorvoState& state, float x, float y, int32_t color, float power, int textureCount);

    MorvoStore* GetStore() const { return store_; }
    float GetRadius() const { return radius_; }

private:
    // Cell coordinates saturate here, far beyond any grid, so callers may add to them.
    static constexpr float kCellLimit = 1073741824.0f;  // 2^30

    static int32_t ToCell(float offset, float cellSize)
    {
        float cell = offset / cellSize;
        if (cell >= kCellLimit) {
            return static_cast<int32_t>(kCellLimit);
        }
        if (cell <= -kCellLimit) {
            return -static_cast<int32_t>(kCellLimit);
        }
        if (cell != cell) {  // NaN
            return 0;
        }
        return static_cast<int32_t>(cell);
    }
    static int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }
    size_t CellIndex(int32_t c, int32_t r) const
    {
        return static_cast<size_t>(columns_) * static_cast<size_t>(r) + static_cast<size_t>(c);
    }
    void UpdateCellSize();

    int32_t columns_ = 0;
    float cellWidth_ = 0.0f;
    int32_t rows_ = 0;
    float cellHeight_ = 0.0f;
    Rect bounds_;
    std::vector<CellList> cells_;
    float radius_ = 0.0f;
    MorvoStore* store_ = nullptr;
};
