// The point-mass record; see physicsparticle.h.
#include "physicsparticle.h"

PhysicsParticle::PhysicsParticle(float x, float y, float z, float massValue, float scalarValue, float fx, float fy,
                                 float fz, float vx, float vy, float vz, float r, float g, float b, float a,
                                 int ageValue, int lifetimeValue)
    : position(x, y, z),
      previousPosition(x, y, z),
      velocity(vx, vy, vz),
      force(fx, fy, fz),
      inverseMass(1.0 / static_cast<double>(massValue)),
      mass(massValue),
      colour(r, g, b, a),
      scalar(scalarValue),
      age(ageValue),
      lifetime(lifetimeValue)
{}
