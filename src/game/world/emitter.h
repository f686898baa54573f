// Particle emitters: where a level particle system's particles start and how
// fast they leave. A system owns one; the level writer asks it to save
// itself as the system's "Emitter" element.
#pragma once

#include "vec3.h"

#include <cstdint>

class TiXmlElement;

constexpr int32_t kSphericalEmitterType = 0;
constexpr int32_t kPlaneEmitterType = 2;

class Emitter {
public:
    explicit Emitter(int32_t type)
        : type_(type)
    {}
    virtual ~Emitter() = default;
    Emitter(const Emitter&) = delete;
    Emitter& operator=(const Emitter&) = delete;

    // Start offset from the system's position, simulation units.
    virtual Vec3 GetPosition() = 0;
    // Start velocity for the given speed factor (not yet scaled to the plane).
    virtual Vec3 GetVelocity(float speed) = 0;
    // Appends one "Emitter" element to the parent.
    virtual void Save(TiXmlElement* parent) const = 0;
    // True when GetPosition cannot draw a start point (an empty rectangle).
    virtual bool IsDegenerate() const { return false; }

    int32_t GetType() const { return type_; }

private:
    int32_t type_;
};
