// The spherical emitter: particles start at the system's position and fly
// off in a random direction.
#pragma once

#include "emitter.h"

class SphericalEmitter : public Emitter {
public:
    SphericalEmitter()
        : Emitter(kSphericalEmitterType)
    {}

    Vec3 GetPosition() override;
    Vec3 GetVelocity(float speed) override;
    void Save(TiXmlElement* parent) const override;
};
