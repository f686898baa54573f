// A sized, textured point mass; see billboardparticle.h.
#include "billboardparticle.h"

BillboardParticle::BillboardParticle(const PhysicsParticle& base, float widthValue, float heightValue,
                                     AnimatedMaterial* materialValue)
    : PhysicsParticle(base),
      width(widthValue),
      height(heightValue),
      halfWidth(widthValue / 2.0f),
      halfHeight(heightValue / 2.0f),
      material(materialValue)
{}
