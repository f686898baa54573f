// Attractor: the boy's pull on the morvos of the ring around him.
#include "attractor.h"

#include <algorithm>

#include "debugbreak.h"
#include "editingflag.h"
#include "uniformgrid.h"

AttractorBase::AttractorBase(float radius, float ratio)
    : ratio_(ratio),
      radius_(radius)
{}

Attractor::Attractor(float strength, float secondCoefficient, float radius, float ratio)
    : AttractorBase(radius, ratio),
      strength_(strength),
      secondCoefficient_(secondCoefficient)
{}

void Attractor::ApplyOne(MorvoRecord& record, float dt)
{
    if (radius_ <= 0.0f) {
        DEBUG_BREAK("Attractor::ApplyOne with radius <= 0");
        return;
    }
    Vec2 v = centre_;
    v -= record.position;
    float d = v.Length();
    if (d <= radius_ && GetSize() <= d) {
        v.Normalize();
        v *= dt * strength_;
        record.force += v;
    }
}

void Attractor::ApplyToIds(MorvoState& state, const std::list<int32_t>& ids, float dt)
{
    bool editing = IsEditingEnabled();
    for (int32_t i : ids) {
        MorvoRecord& record = state.Get(i);
        if (editing || record.color > 0) {
            ApplyOne(record, dt);
        }
    }
}

void Attractor::Apply(MorvoState& state, UniformGrid& grid, float dt, int32_t x0, int32_t x1, int32_t y0, int32_t y1)
{
    if (!enabled_ || !(radius_ > 0.0f)) {
        return;
    }
    grid.ClampCellRect(x0, x1, y0, y1);
    float reach = grid.GetCellWidth() + radius_;
    // Only cells whose corner can lie within reach (with a cell of slack)
    // are tested; the test itself decides, so the cells visited are the same.
    x0 = std::max(x0, grid.ToCellX(centre_.x - reach) - 1);
    x1 = std::min(x1, grid.ToCellX(centre_.x + reach) + 2);
    y0 = std::max(y0, grid.ToCellY(centre_.y - reach) - 1);
    y1 = std::min(y1, grid.ToCellY(centre_.y + reach) + 2);
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            Vec2 p = grid.GetCellCorner(x, y);
            p -= centre_;
            if (p.Length() <= reach) {
                ApplyToIds(state, grid.GetCellClamped(x, y), dt);
            }
        }
    }
}

void Attractor::Apply(MorvoState& state, float dt)
{
    if (!enabled_ || !(radius_ > 0.0f)) {
        return;
    }
    int32_t n = state.GetSize();
    for (int32_t i = 0; i < n; ++i) {
        if (state.Get(i).active != 0) {
            ApplyOne(state.Get(i), dt);
        }
    }
}
