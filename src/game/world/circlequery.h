// Circle queries over the grid: the morvos whose position lies strictly
// inside a circle, collected, counted by colour or averaged in power. The
// tools, the power tank and the world's attractor sizing call them with the
// world's grid and the store's current state.
#pragma once

#include <cstdint>
#include <list>

#include "morvostore.h"
#include "uniformgrid.h"
#include "vec2.h"

// Appends the indices found (cells column by column, each in list order);
// returns the list's size. Inactive records still listed are skipped.
int32_t CollectMorvosInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius,
                              std::list<int32_t>& out);
int32_t CountColorInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius, int32_t color);
// Mean power of those found with the colour; 0 when none is.
float AveragePowerInCircle(const UniformGrid& grid, const MorvoState& state, Vec2 centre, float radius, int32_t color);
