// Circle queries: walk the cells under the circle's bounding square.
#include "circlequery.h"

namespace {
// Calls f (record, index) for every active morvo strictly inside the circle,
// cells column by column, each in list order.
template <typename F>
void ForEachInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius, F f)
{
    int32_t x0 = grid.ToCellX(centre.x - radius);
    int32_t x1 = grid.ToCellX(centre.x + radius) + 1;
    int32_t y0 = grid.ToCellY(centre.y - radius);
    int32_t y1 = grid.ToCellY(centre.y + radius) + 1;
    grid.ClampCellRect(x0, x1, y0, y1);
    for (int32_t x = x0; x < x1; ++x) {
        for (int32_t y = y0; y < y1; ++y) {
            for (int32_t i : grid.GetCell(x, y)) {
                if (i < 0 || i >= state.GetSize()) {
                    continue;
                }
                const MorvoRecord& record = state.Get(i);
                if (record.active == 0) {
                    continue;
                }
                Vec2 v = centre;
                v -= record.position;
                if (v.Length() < radius) {
                    f(record, i);
                }
            }
        }
    }
}
}  // namespace

int32_t CollectMorvosInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius,
                              std::list<int32_t>& out)
{
    ForEachInCircle(grid, state, centre, radius, [&](const MorvoRecord&, int32_t i) { out.push_back(i); });
    return static_cast<int32_t>(out.size());
}

int32_t CountColorInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius, int32_t color)
{
    int32_t count = 0;
    ForEachInCircle(grid, state, centre, radius, [&](const MorvoRecord& record, int32_t) {
        if (record.color == color) {
            ++count;
        }
    });
    return count;
}

float AveragePowerInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius, int32_t color)
{
    float sum = 0.0f;
    int32_t count = 0;
    ForEachInCircle(grid, state, centre, radius, [&](const MorvoRecord& record, int32_t) {
        if (record.color == color) {
            sum += record.power;
            ++count;
        }
    });
    return count > 0 ? sum / static_cast<float>(count) : 0.0f;
}
