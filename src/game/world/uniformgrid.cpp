// UniformGrid: cell bookkeeping, binning and re-binning of the morvos.
#include "uniformgrid.h"

#include <cmath>

#include "debuglog.h"
#include "mathutil.h"
#include "random15.h"

UniformGrid::UniformGrid(int32_t rows, int32_t columns, float x0, float x1, float y0, float y1)
    : bounds_(x0, x1, y0, y1)
{
    Resize(rows, columns);
}

void UniformGrid::Resize(int32_t rows, int32_t columns)
{
    if (rows < 1 || columns < 1) {
        return;
    }
    if (rows == rows_ && columns == columns_) {
        return;
    }
    cells_.resize(static_cast<size_t>(rows) * static_cast<size_t>(columns));
    rows_ = rows;
    columns_ = columns;
    UpdateCellSize();
}

void UniformGrid::SetBounds(const Rect& bounds)
{
    bounds_ = bounds;
    UpdateCellSize();
}

void UniformGrid::UpdateCellSize()
{
    if (columns_ < 1 || rows_ < 1) {
        return;
    }
    cellWidth_ = (bounds_.x1 - bounds_.x0) / static_cast<float>(columns_);
    cellHeight_ = (bounds_.y1 - bounds_.y0) / static_cast<float>(rows_);
}

UniformGrid::CellList& UniformGrid::GetCellClamped(int32_t c, int32_t r)
{
    return cells_[CellIndex(Clamp(c, 0, columns_ - 1), Clamp(r, 0, rows_ - 1))];
}

const UniformGrid::CellList& UniformGrid::GetCellClamped(int32_t c, int32_t r) const
{
    return cells_[CellIndex(Clamp(c, 0, columns_ - 1), Clamp(r, 0, rows_ - 1))];
}

Vec2 UniformGrid::GetCellCorner(int32_t c, int32_t r) const
{
    return Vec2(static_cast<float>(c) * cellWidth_ + bounds_.x0, static_cast<float>(r) * cellHeight_ + bounds_.y0);
}

void UniformGrid::ClampCellRect(int32_t& x0, int32_t& x1, int32_t& y0, int32_t& y1) const
{
    x0 = ClampInt(x0, 0, columns_);
    x1 = ClampInt(x1, 0, columns_);
    y0 = ClampInt(y0, 0, rows_);
    y1 = ClampInt(y1, 0, rows_);
}

void UniformGrid::ClampCellRect(CellRect& rect) const
{
    ClampCellRect(rect.x0, rect.x1, rect.y0, rect.y1);
}

CellRect UniformGrid::GetWholeRect() const
{
    CellRect rect{0, columns_, 0, rows_};
    ClampCellRect(rect);
    return rect;
}

void UniformGrid::Rebuild(MorvoStore* store, float radius)
{
    store_ = store;
    radius_ = radius;
    ClearCells();
    if (store_ != nullptr && store_->GetCurrentState() != nullptr) {
        Bin(*store_->GetCurrentState());
    }
}

void UniformGrid::ClearCells()
{
    for (CellList& cell : cells_) {
        cell.clear();
    }
}

void UniformGrid::Bin(MorvoState& state)
{
    int32_t n = state.GetSize();
    for (int32_t i = 0; i < n; ++i) {
        if (state.Get(i).active == 0) {
            continue;
        }
        MorvoRecord& record = state.Get(i);
        int32_t c = ClampInt(ToCellX(record.position.x), 0, columns_ - 1);
        int32_t r = ClampInt(ToCellY(record.position.y), 0, rows_ - 1);
        GetCell(c, r).push_back(i);
        record.cellX = c;
        record.cellY = r;
    }
}

void UniformGrid::Rebin(int32_t x0, int32_t x1, int32_t y0, int32_t y1)
{
    if (store_ == nullptr || store_->GetCurrentState() == nullptr) {
        return;
    }
    MorvoState& state = *store_->GetCurrentState();
    ClampCellRect(x0, x1, y0, y1);
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            CellList& cell = GetCell(x, y);
            auto it = cell.begin();
            while (it != cell.end()) {
                auto next = std::next(it);
                int32_t index = *it;
                if (index < 0 || index >= state.GetSize()) {
                    cell.erase(it);
                    it = next;
                    continue;
                }
                MorvoRecord& record = state.Get(index);
                if (record.active == 0) {
                    cell.erase(it);
                } else {
                    int32_t c = Clamp(ToCellX(record.position.x), 0, columns_ - 1);
                    int32_t r = Clamp(ToCellY(record.position.y), 0, rows_ - 1);
                    if (c != record.cellX || r != record.cellY) {
                        // Moving the node keeps the order that erase-and-append gives.
                        record.cellX = c;
                        record.cellY = r;
                        CellList& target = GetCell(c, r);
                        target.splice(target.end(), cell, it);
                    }
                }
                it = next;
            }
        }
    }
}

void UniformGrid::RemoveFromCell(CellList& list, int32_t index)
{
    list.remove(index);
}

void UniformGrid::RemoveFromCellAt(Vec2 position, int32_t index)
{
    RemoveFromCell(GetCellClamped(ToCellX(position.x), ToCellY(position.y)), index);
}

int32_t UniformGrid::ClaimRecord(MorvoState& state, float x, float y, float power)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(power)) {
        DebugLog("UniformGrid::ClaimRecord -- refusing a morvo at (%f, %f) with power %f\n", x, y, power);
        return -1;
    }
    int32_t i = state.PeekFree();
    if (i < 0) {
        return -1;
    }
    // The dead record has not moved since it was last binned.
    RemoveFromCellAt(static_cast<const MorvoState&>(state).Get(i).position, i);
    return state.FindFree();
}

int32_t UniformGrid::PlaceMorvo(MorvoState& state, float x, float y, int32_t color, float power, int textureCount)
{
    const int32_t index = ClaimRecord(state, x, y, power);
    if (index < 0) {
        return -1;
    }
    MorvoRecord& morvo = state.Get(index);
    morvo.position = Vec2(x, y);
    morvo.color = color;
    morvo.SetPower(power);
    morvo.ResetConversion();
    morvo.SetTextureIndex(textureCount > 0 ? Rand15() % textureCount : 0);
    GetCellClamped(ToCellX(x), ToCellY(y)).push_back(index);
    return index;
}
