// ConstantForce: one fixed vector added to the force of every record of a
// buffer, active or not. The simulator owns one (switched off in the game).
#pragma once

#include "unaryforce.h"
#include "vec2.h"

class ConstantForce : public UnaryForce {
public:
    explicit ConstantForce(Vec2 vector)
        : vector_(vector)
    {}

    void Apply(MorvoState& state, float dt) override;

    Vec2 GetVector() const { return vector_; }
    void SetVector(Vec2 vector) { vector_ = vector; }

private:
    Vec2 vector_;
};
