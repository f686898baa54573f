// GridForce: a force that visits the morvos binned in a rectangle of grid
// cells. Registered with the simulator by name ("Attractor", "LJ").
#pragma once

#include <cstdint>

#include "morvostore.h"

class UniformGrid;

class GridForce {
public:
    virtual ~GridForce() = default;
    // Adds forces to the morvos binned in cells [x0, x1) x [y0, y1) of grid.
    virtual void Apply(MorvoState& state, UniformGrid& grid, float dt, int32_t x0, int32_t x1, int32_t y0,
                       int32_t y1) = 0;
};
