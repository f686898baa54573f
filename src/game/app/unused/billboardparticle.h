// BillboardParticle: a PhysicsParticle drawn as a camera-facing textured
// quad of its own size, with an animated material for its picture (null
// when that could not be made). The simple particle emitter owns them.
#pragma once

#include "physicsparticle.h"

class AnimatedMaterial;

class BillboardParticle : public PhysicsParticle {
public:
    BillboardParticle() = default;
    BillboardParticle(const PhysicsParticle& base, float widthValue, float heightValue,
                      AnimatedMaterial* materialValue);

    float width = 0.0f;
    float height = 0.0f;
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    AnimatedMaterial* material = nullptr;  // held by the material manager
};
