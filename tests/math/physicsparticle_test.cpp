// The point-mass record: the full constructor's inverse mass and previous
// position.
#include <gtest/gtest.h>

#include <cmath>

#include "physicsparticle.h"

TEST(PhysicsParticle, FullConstructorDerivesInverseMassAndPreviousPosition)
{
    const PhysicsParticle p(1, 2, 3, 2.0f, 7, 0, 0, 0, 4, 5, 6, 0.1f, 0.2f, 0.3f, 0.4f, 5, 9);
    EXPECT_EQ(p.inverseMass, 0.5);
    EXPECT_EQ(p.previousPosition, Vec3(1, 2, 3));
    EXPECT_EQ(p.velocity, Vec3(4, 5, 6));
    EXPECT_EQ(p.lifetime, 9);
    PhysicsParticle copy;
    copy = p;
    EXPECT_EQ(copy.inverseMass, 0.5);
    EXPECT_EQ(copy.age, 5);

    const PhysicsParticle weightless(0, 0, 0, 0.0f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1);
    EXPECT_TRUE(std::isinf(weightless.inverseMass));
}
