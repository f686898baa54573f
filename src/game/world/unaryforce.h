// UnaryForce: a force that adds to the records of one state buffer on its
// own, without the grid. Registered with the simulator by name.
#pragma once

#include "morvostore.h"

class UnaryForce {
public:
    virtual ~UnaryForce() = default;
    // Adds forces to the records of state for a step of dt seconds.
    virtual void Apply(MorvoState& state, float dt) = 0;
};
