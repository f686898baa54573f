// The editor's particle systems (keys 9 and 0) on the demo data, whose world
// has the particle texture: fifty particles living 250 steps, sizes 10 to
// 20, white fading to transparent black, drifting along +z; key 9's sphere
// comes with a trigger, key 0's plane z = 0 spans +-100.
#include "data_files.h"

#include "boy.h"
#include "gameplan.h"
#include "gltestsupport.h"
#include "leveleditkeys.h"
#include "morvoworld.h"
#include "particlesystem.h"
#include "planeemitter.h"
#include "sphericalemitter.h"
#include "triggerset.h"

#include <gtest/gtest.h>

namespace {

TEST(DemoEditorParticles, SphereAndPlaneHaveTheirFigures)
{
    if (!gltest::EnsureWindow(kDataWindowWidth, kDataWindowHeight)) {
        GTEST_SKIP() << "no GL window";
    }
    ASSERT_TRUE(DemoPlan()->IsLoaded());
    MorvoWorld& world = GetMorvoWorld();
    world.Release();
    ASSERT_TRUE(world.Init());
    ASSERT_NE(world.GetTempTexture(), nullptr);
    world.GetBoy()->position = Vec3(1.0f, 150.0f, -2.0f);
    const Vec3 at = MorvoWorld::WorldToSim3D(world.GetBoy()->position);
    const auto triggers = world.GetTriggers().GetCount();
    EXPECT_TRUE(AddSphericalParticleSystem(world));
    EXPECT_EQ(world.GetTriggers().GetCount(), triggers + 1);
    EXPECT_TRUE(AddPlaneParticleSystem(world));
    EXPECT_EQ(world.GetTriggers().GetCount(), triggers + 1);
    ASSERT_EQ(world.GetParticleSystems().size(), 2u);
    for (const ParticleSystem* system : world.GetParticleSystems()) {
        EXPECT_EQ(system->GetGivenCount(), 50);
        EXPECT_FLOAT_EQ(system->GetDamping(), 1.0f);
        EXPECT_EQ(system->GetLifetime(), 250);
        EXPECT_FLOAT_EQ(system->GetMinSize(), 10.0f);
        EXPECT_FLOAT_EQ(system->GetMaxSize(), 20.0f);
        EXPECT_EQ(system->GetPosition(), at);
        EXPECT_EQ(system->GetGivenForce(), Vec3(0.0f, 0.0f, 1.0f));
        EXPECT_EQ(system->GetColor(), Vec3(1.0f, 1.0f, 1.0f));
        EXPECT_FLOAT_EQ(system->GetAlpha(), 1.0f);
        EXPECT_EQ(system->GetInterpToColor(), Vec3(0.0f, 0.0f, 0.0f));
        EXPECT_FLOAT_EQ(system->GetInterpToAlpha(), 0.0f);
        EXPECT_TRUE(system->IsInterpolated());
        ASSERT_EQ(system->GetTextures().size(), 1u);
        EXPECT_EQ(system->GetTextures()[0], world.GetTempTexture());
    }
    EXPECT_NE(dynamic_cast<SphericalEmitter*>(world.GetParticleSystems().front()->GetEmitter()), nullptr);
    const auto* plane = dynamic_cast<PlaneEmitter*>(world.GetParticleSystems().back()->GetEmitter());
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(Vec3(plane->GetA(), plane->GetB(), plane->GetC()), Vec3(0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(plane->GetD(), 0.0f);
    EXPECT_EQ(plane->GetTop(), 100);
    EXPECT_EQ(plane->GetBottom(), -100);
    EXPECT_EQ(plane->GetLeft(), -100);
    EXPECT_EQ(plane->GetRight(), 100);
    world.Release();
}

}  // namespace
