// PhysicsParticle: the engine's point-mass record for simple particle
// effects: positions, velocity, force accumulator, mass with its inverse,
// colour and an age counted in steps against a lifetime. Plain data; its
// user (the simple particle emitter) integrates, ages and draws it.
#pragma once

#include "color.h"
#include "vec3.h"

class PhysicsParticle {
public:
    PhysicsParticle() = default;
    // position and previousPosition from x, y, z; inverseMass = 1.0 / mass
    // in double precision (infinite for a mass of 0).
    PhysicsParticle(float x, float y, float z, float massValue, float scalarValue, float fx, float fy, float fz,
                    float vx, float vy, float vz, float r, float g, float b, float a, int ageValue, int lifetimeValue);
    PhysicsParticle(const PhysicsParticle&) = default;
    PhysicsParticle& operator=(const PhysicsParticle&) = default;

    Vec3 position;
    Vec3 previousPosition;
    Vec3 velocity;
    Vec3 force;
    double inverseMass = 0.0;
    float mass = 0.0f;
    Color colour;
    float scalar = 0.0f;  // stored, never read
    int age = 0;          // steps lived
    int lifetime = 0;     // steps to live
};
