// Tool: a circular brush that acts on the morvo world at a point of the
// simulation plane. The editing brushes of the ToolSet and the boy's power
// tank derive from it; the in-game input and the boy apply them.
#pragma once

#include "vec2.h"

#include <cstdint>

class MorvoWorld;

class Tool {
public:
    virtual ~Tool() = default;

    // radius = value; a negative or NaN value gives 0.
    virtual void SetRadius(float radius);
    // Acts on the world at the position; the selector (always 0) is handed on
    // to the area queries. A null world is a violated precondition.
    virtual void Apply(MorvoWorld* world, int32_t selector, Vec2 position) = 0;

    float GetRadius() const { return radius_; }

private:
    float radius_ = 0.0f;  // simulation units
};
