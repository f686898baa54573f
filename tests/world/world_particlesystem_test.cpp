// Level particle systems: emission, motion, trigger fading and the rules
// that keep unusable systems from emitting.
#include "particlesystem.h"
#include "planeemitter.h"
#include "random15.h"
#include "sphericalemitter.h"
#include "testsupport.h"
#include "texture.h"
#include "trigger.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr float kTolerance = 1e-6f;

// A system of count particles with one texture, as the level reader builds it.
std::unique_ptr<ParticleSystem> MakeSystem(Texture* texture, int32_t count = 10, int32_t lifetime = 100,
                                           float damping = 1.0f)
{
    auto system = std::make_unique<ParticleSystem>(count, damping, lifetime, 10.0f, 20.0f, 1.0f, 2.0f, 0.5f, 0.0f, 0.0f,
                                                   200.0f, 0.8f, 0.6f, 0.4f, 1.0f);
    system->AddTexture(texture);
    return system;
}

// A trigger with the given effect, of hitPoints with remaining hits left.
Trigger HitTrigger(int32_t effect, int32_t hitPoints, int32_t remaining)
{
    Trigger trigger;
    trigger.effect = effect;
    trigger.hitPoints = hitPoints;
    trigger.remainingHits = remaining;
    return trigger;
}

void ExpectNear(const Vec3& actual, const Vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

int ActiveCount(const ParticleSystem& system)
{
    int active = 0;
    for (int32_t i = 0; i < system.GetCount(); ++i) {
        active += system.GetParticles()->Get(i).active;
    }
    return active;
}

class ParticleSystemTest : public ::testing::Test {
protected:
    void SetUp() override { SeedRand15(1); }
    Texture texture;
};

}  // namespace

TEST_F(ParticleSystemTest, InitScalesSizesAndForceToSimulationUnits)
{
    auto system = MakeSystem(&texture);
    EXPECT_FLOAT_EQ(system->GetMinHalfSize(), 10.0f * 0.5f / 200.0f);
    EXPECT_FLOAT_EQ(system->GetMaxHalfSize(), 20.0f * 0.5f / 200.0f);
    EXPECT_FLOAT_EQ(system->GetSizeRange(), 0.025f);
    EXPECT_FLOAT_EQ(system->GetForce().z, 1.0f);
    EXPECT_FLOAT_EQ(system->GetGivenForce().z, 200.0f);
    EXPECT_FLOAT_EQ(system->GetMinSize(), 10.0f);
    EXPECT_FLOAT_EQ(system->GetSpeed(), 1.0f);
    EXPECT_TRUE(system->IsEmitting());
    EXPECT_EQ(system->GetTrigger(), nullptr);
    ASSERT_NE(system->GetEmitter(), nullptr);
    EXPECT_EQ(system->GetEmitter()->GetType(), kSphericalEmitterType);
    EXPECT_EQ(system->GetCount(), 10);
}

TEST_F(ParticleSystemTest, EmitAllRespawnsEveryParticle)
{
    auto system = MakeSystem(&texture);
    system->EmitAll();
    EXPECT_EQ(ActiveCount(*system), 10);
    for (int32_t i = 0; i < system->GetCount(); ++i) {
        const Particle& particle = system->GetParticles()->Get(i);
        EXPECT_GE(particle.life, 0);
        EXPECT_LT(particle.life, 100);
        EXPECT_EQ(particle.textureId, texture.GetGLTextureId());
        EXPECT_FLOAT_EQ(particle.size, system->GetMinHalfSize());
        EXPECT_FLOAT_EQ(particle.acceleration.z, 1.0f);
    }
}

TEST_F(ParticleSystemTest, SphericalVelocityHasSpeedOverTwoHundred)
{
    auto system = MakeSystem(&texture);
    system->SetSpeed(4.0f);
    system->EmitAll();
    for (int32_t i = 0; i < system->GetCount(); ++i) {
        const Particle& particle = system->GetParticles()->Get(i);
        EXPECT_NEAR(particle.velocity.Length(), 4.0f / 200.0f, kTolerance);
        EXPECT_EQ(particle.position, Vec3(0.0f, 0.0f, 0.0f));
    }
}

TEST_F(ParticleSystemTest, UpdateMovesLiveParticleUnderForceWithDamping)
{
    auto system = MakeSystem(&texture, 1, 1000, 0.5f);
    system->EmitAll();
    Particle& particle = system->GetParticles()->Get(0);
    particle.life = 1;  // its last move; the next update respawns it
    particle.position = Vec3(0.0f, 0.0f, 0.0f);
    particle.velocity = Vec3(1.0f, 0.0f, 0.0f);
    system->Update(123.0f, 0.1f);
    EXPECT_EQ(particle.life, 0);
    EXPECT_NEAR(particle.velocity.x, 0.5f, kTolerance);
    EXPECT_NEAR(particle.velocity.z, 0.05f, kTolerance);  // (0 + 1 * 0.1) * 0.5
    EXPECT_NEAR(particle.position.x, 0.05f, kTolerance);
    EXPECT_NEAR(particle.position.z, 0.005f, kTolerance);
    EXPECT_EQ(particle.acceleration, Vec3(0.0f, 0.0f, 0.0f));
}

TEST_F(ParticleSystemTest, LifetimeOneRespawnsAtEveryUpdate)
{
    auto system = MakeSystem(&texture, 5, 1);
    system->EmitAll();
    for (int step = 0; step < 3; ++step) {
        system->Update(0.0f, 0.1f);
        for (int32_t i = 0; i < system->GetCount(); ++i) {
            const Particle& particle = system->GetParticles()->Get(i);
            EXPECT_EQ(particle.life, 0);
            // Fresh from the spherical emitter: not moved.
            EXPECT_EQ(particle.position, Vec3(0.0f, 0.0f, 0.0f));
        }
    }
}

TEST_F(ParticleSystemTest, NegativeLifetimeStillGivesLivesBelowItsSize)
{
    auto system = MakeSystem(&texture, 50, -7);
    EXPECT_TRUE(system->IsUsable());
    system->EmitAll();
    for (int32_t i = 0; i < system->GetCount(); ++i) {
        EXPECT_GE(system->GetParticles()->Get(i).life, 0);
        EXPECT_LT(system->GetParticles()->Get(i).life, 7);
    }
}

TEST_F(ParticleSystemTest, ParticlesOffTriggerFadesColoursCompounding)
{
    auto system = MakeSystem(&texture);
    system->SetInterpToColor(0.5f, 0.25f, 1.0f, 0.5f);
    Trigger trigger = HitTrigger(EFFECT_PSYS_OFF, 4, 3);
    system->SetTrigger(&trigger);
    for (float fade : {0.75f, 0.5625f}) {
        system->Update(0.0f, 0.01f);
        ExpectNear(system->GetColor(), Vec3(0.8f, 0.6f, 0.4f) * fade);
        EXPECT_NEAR(system->GetAlpha(), fade, kTolerance);
        ExpectNear(system->GetInterpToColor(), Vec3(0.5f, 0.25f, 1.0f) * fade);
        EXPECT_NEAR(system->GetInterpToAlpha(), 0.5f * fade, kTolerance);
    }
    EXPECT_TRUE(system->IsEmitting());
}

TEST_F(ParticleSystemTest, TriggerWithAllHitsLeftDoesNotFade)
{
    auto system = MakeSystem(&texture);
    Trigger trigger = HitTrigger(EFFECT_PSYS_OFF, 4, 4);
    system->SetTrigger(&trigger);
    system->Update(0.0f, 0.01f);
    EXPECT_FLOAT_EQ(system->GetAlpha(), 1.0f);
}

TEST_F(ParticleSystemTest, OtherEffectNeverFadesButFiringStopsEmission)
{
    auto system = MakeSystem(&texture, 3, 1000);
    system->EmitAll();
    Trigger trigger = HitTrigger(EFFECT_WIN, 4, 1);
    system->SetTrigger(&trigger);
    system->Update(0.0f, 0.01f);
    EXPECT_FLOAT_EQ(system->GetAlpha(), 1.0f);
    trigger.fired = true;
    const Vec3 before = system->GetParticles()->Get(0).position;
    const int32_t lifeBefore = system->GetParticles()->Get(0).life;
    system->Update(0.0f, 0.5f);
    EXPECT_FALSE(system->IsEmitting());
    // Particles stay where they are.
    EXPECT_EQ(system->GetParticles()->Get(0).position, before);
    EXPECT_EQ(system->GetParticles()->Get(0).life, lifeBefore);
    // A stopped system does not emit again when its trigger is gone.
    system->SetTrigger(nullptr);
    system->Update(0.0f, 0.5f);
    EXPECT_FALSE(system->IsEmitting());
}

struct SkipCase {
    const char* name;
    int32_t count;
    int32_t lifetime;
    bool texture;
    bool degeneratePlane;
    const char* warning;
};

class ParticleSystemSkip : public ::testing::TestWithParam<SkipCase> {};

TEST_P(ParticleSystemSkip, UnusableSystemWarnsAndNeverEmits)
{
    const SkipCase& c = GetParam();
    Texture texture;
    LogCapture log;
    ParticleSystem system(c.count, 1.0f, c.lifetime, 10.0f, 20.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f,
                          1.0f);
    if (c.texture) {
        system.AddTexture(&texture);
    } else {
        system.AddTexture(nullptr);
        EXPECT_TRUE(system.GetTextures().empty());
    }
    if (c.degeneratePlane) {
        system.SetPlaneEmitter(0.0f, 0.0f, 1.0f, 0.0f, 50.0f, 50.0f, -100.0f, 100.0f);
    }
    EXPECT_FALSE(system.IsUsable());
    EXPECT_FALSE(system.CheckUsable());
    EXPECT_FALSE(system.IsEmitting()) << "an unusable system is inert";
    EXPECT_TRUE(log.Contains(c.warning)) << log.All();
    system.EmitAll();
    for (int step = 0; step < 3; ++step) {
        system.Update(0.0f, 0.1f);
    }
    EXPECT_EQ(ActiveCount(system), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParticleSystemSkip,
    ::testing::Values(SkipCase{"LifetimeZero", 10, 0, true, false, "lifetime is 0"},
                      SkipCase{"NoTexture", 10, 100, false, false, "no texture"},
                      SkipCase{"FlatRectangle", 10, 100, true, true, "the emitter rectangle is empty"},
                      SkipCase{"TooManyParticles", kMaxParticleCount + 1, 100, true, false, "cannot be allocated"}),
    CaseName());

TEST(ParticleSystemRules, NullTextureIsRefusedWithWarning)
{
    ParticleSystem system;
    LogCapture log;
    system.AddTexture(nullptr);
    EXPECT_TRUE(system.GetTextures().empty());
    EXPECT_TRUE(log.Contains("Warning:"));
}

TEST(ParticleSystemRules, NegativeCountBecomesZeroWithWarning)
{
    LogCapture log;
    ParticleSystem system(-5, 1.0f, 10, 1.0f, 2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(system.GetCount(), 0);
    EXPECT_TRUE(log.Contains("negative"));
}

TEST(ParticleSystemRules, DefaultSystemIsInitialisedAndWhite)
{
    ParticleSystem system;
    EXPECT_TRUE(system.IsInitialised());
    EXPECT_EQ(system.GetCount(), 0);
    EXPECT_EQ(system.GetColor(), Vec3(1.0f, 1.0f, 1.0f));
    EXPECT_FLOAT_EQ(system.GetAlpha(), 1.0f);
    EXPECT_EQ(system.GetEmitter()->GetType(), kSphericalEmitterType);
}

TEST(PlaneEmitter, PlaneIsNormalisedAndBoundsTruncated)
{
    ParticleSystem system;
    system.SetPlaneEmitter(0.0f, 0.0f, 2.0f, 4.0f, 10.9f, -10.9f, -5.5f, 5.5f);
    const auto* emitter = static_cast<const PlaneEmitter*>(system.GetEmitter());
    ASSERT_EQ(emitter->GetType(), kPlaneEmitterType);
    EXPECT_FLOAT_EQ(emitter->GetC(), 1.0f);
    EXPECT_FLOAT_EQ(emitter->GetD(), 2.0f);
    EXPECT_EQ(emitter->GetTop(), 10);
    EXPECT_EQ(emitter->GetBottom(), -10);
    EXPECT_EQ(emitter->GetLeft(), -5);
    EXPECT_EQ(emitter->GetRight(), 5);
}

TEST(PlaneEmitter, BoundOutOfTheWholeNumberRangeLeavesNoEmitter)
{
    const float bad[] = {2147483647.0f, -1e10f, std::nanf(""), HUGE_VALF};
    const char* const names[] = {"top", "bottom", "left", "right"};
    for (int which = 0; which < 4; ++which) {
        float bounds[4] = {10.0f, -10.0f, -5.0f, 5.0f};
        bounds[which] = bad[which];
        ParticleSystem system;
        LogCapture log;
        system.SetPlaneEmitter(0.0f, 0.0f, 1.0f, 0.0f, bounds[0], bounds[1], bounds[2], bounds[3]);
        EXPECT_EQ(system.GetEmitter(), nullptr) << names[which];
        EXPECT_TRUE(log.Contains(std::string("emitter Bounds ") + names[which])) << log.All();
    }
}

TEST(PlaneEmitter, WidestBoundsDrawInsideThem)
{
    // Plane z = 0: simulation x is minus the drawn x, y the drawn y.
    PlaneEmitter emitter(0.0f, 0.0f, 1.0f, 0.0f, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX);
    for (int i = 0; i < 50; ++i) {
        const Vec3 p = emitter.GetPosition() * 200.0f;
        EXPECT_GE(-p.x, static_cast<float>(INT32_MIN));
        EXPECT_GE(p.y, static_cast<float>(INT32_MIN));
        EXPECT_LE(p.y, static_cast<float>(INT32_MAX));
    }
}

TEST(PlaneEmitter, SaveWritesNormalisedPlaneAndBounds)
{
    PlaneEmitter emitter(0.0f, 0.0f, 2.0f, 4.0f, 100, -100, -50, 50);
    TiXmlElement parent("ParticleSystem");
    emitter.Save(&parent);
    const TiXmlElement* saved = parent.FirstChildElement("Emitter");
    ASSERT_NE(saved, nullptr);
    EXPECT_STREQ(saved->Attribute("type"), "PLANE_EMITTER");
    const TiXmlElement* plane = saved->FirstChildElement();
    ASSERT_NE(plane, nullptr);
    EXPECT_STREQ(plane->Value(), "Plane");
    double a = -1, b = -1, c = -1, d = -1;
    plane->QueryDoubleAttribute("a", &a);
    plane->QueryDoubleAttribute("b", &b);
    plane->QueryDoubleAttribute("c", &c);
    plane->QueryDoubleAttribute("d", &d);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 0.0);
    EXPECT_EQ(c, 1.0);
    EXPECT_EQ(d, 2.0);
    const TiXmlElement* bounds = plane->NextSiblingElement();
    ASSERT_NE(bounds, nullptr);
    EXPECT_STREQ(bounds->Value(), "Bounds");
    EXPECT_STREQ(bounds->Attribute("top"), "100");
    EXPECT_STREQ(bounds->Attribute("bottom"), "-100");
    EXPECT_STREQ(bounds->Attribute("left"), "-50");
    EXPECT_STREQ(bounds->Attribute("right"), "50");
}

TEST(PlaneEmitter, SphericalSaveWritesTypeOnly)
{
    SphericalEmitter emitter;
    TiXmlElement parent("ParticleSystem");
    emitter.Save(&parent);
    const TiXmlElement* saved = parent.FirstChildElement("Emitter");
    ASSERT_NE(saved, nullptr);
    EXPECT_STREQ(saved->Attribute("type"), "SPHERICAL_EMITTER");
    EXPECT_EQ(saved->FirstChildElement(), nullptr);
}

TEST(PlaneEmitter, HorizontalRectangleSpreadsOverBoundsOnThePlane)
{
    SeedRand15(3);
    PlaneEmitter emitter(0.0f, 0.0f, 1.0f, 0.0f, 100, -100, -100, 100);
    float minX = 1.0f, maxX = -1.0f;
    for (int i = 0; i < 500; ++i) {
        const Vec3 p = emitter.GetPosition();
        // Right is (-1, 0, 0), RealUp (0, 1, 0): world units over 200.
        EXPECT_GE(p.x, -0.5f);
        EXPECT_LE(p.x, 0.5f);
        EXPECT_GE(p.y, -0.5f);
        EXPECT_LE(p.y, 0.5f);
        EXPECT_EQ(p.z, 0.0f);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
    }
    EXPECT_LT(minX, -0.4f);
    EXPECT_GT(maxX, 0.4f);
    EXPECT_EQ(emitter.GetVelocity(3.0f), Vec3(0.0f, 0.0f, 3.0f));
}

TEST(PlaneEmitter, NormalAlongYPutsEveryStartOnTheNormalLine)
{
    PlaneEmitter emitter(0.0f, 1.0f, 0.0f, 40.0f, 100, -100, -100, 100);
    for (int i = 0; i < 20; ++i) {
        const Vec3 p = emitter.GetPosition();
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.z, 0.0f);
        EXPECT_FLOAT_EQ(p.y, 0.2f);
    }
}

struct TiltedPlaneCase {
    float a, b, c, d;  // as given
    int32_t top, bottom, left, right;
    Vec3 unitNormal;
    float unitD;
    Vec3 start;  // the one start point the one-unit rectangle allows
};

class TiltedPlane : public ::testing::TestWithParam<TiltedPlaneCase> {};

// A tilted plane is normalised in all four coefficients: particles leave along
// the unit normal, start on the plane and the level file keeps the unit values.
TEST_P(TiltedPlane, IsNormalisedInEveryCoefficient)
{
    const TiltedPlaneCase& c = GetParam();
    PlaneEmitter emitter(c.a, c.b, c.c, c.d, c.top, c.bottom, c.left, c.right);
    ExpectNear(emitter.GetVelocity(2.0f), c.unitNormal * 2.0f);
    ExpectNear(emitter.GetPosition(), c.start);
    TiXmlElement parent("ParticleSystem");
    emitter.Save(&parent);
    const TiXmlElement* plane = parent.FirstChildElement("Emitter")->FirstChildElement("Plane");
    ASSERT_NE(plane, nullptr);
    const double expected[4] = {c.unitNormal.x, c.unitNormal.y, c.unitNormal.z, c.unitD};
    const char* const names[4] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        double saved = -9.0;
        plane->QueryDoubleAttribute(names[i], &saved);
        EXPECT_NEAR(saved, expected[i], 1e-6) << names[i];
    }
}

// Start: (left Right + bottom RealUp + unit d unit normal) / 200, with
// Right = normal x (0, 1, 0) and RealUp = Right x normal of the plane as given.
INSTANTIATE_TEST_SUITE_P(Planes, TiltedPlane,
                         ::testing::Values(
                             // Right (-4, 0, 3), RealUp (0, 25, 0).
                             TiltedPlaneCase{3.0f, 0.0f, 4.0f, 10.0f, 8, 7, 5, 6, Vec3(0.6f, 0.0f, 0.8f), 2.0f,
                                             Vec3(-0.094f, 0.875f, 0.083f)},
                             // Right (-8, 0, 0), RealUp (0, 64, 48).
                             TiltedPlaneCase{0.0f, -6.0f, 8.0f, -20.0f, -2, -3, 1, 2, Vec3(0.0f, -0.6f, 0.8f), -2.0f,
                                             Vec3(-0.04f, -0.954f, -0.728f)}));
