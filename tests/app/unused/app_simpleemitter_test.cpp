// The simple particle emitter: particles made without a picture, one step
// per gathered step length, replacement at the end of life, the one-time
// dump, and untextured drawing of particles and sprites.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include "billboardsprite.h"
#include "camera.h"
#include "gltestsupport.h"
#include "random15.h"
#include "simpleparticleemitter.h"
#include "testsupport.h"

namespace {

const Vec3 kOrigin(1.0f, 2.0f, 3.0f);

// The first seed whose one-particle emitter satisfies the condition.
unsigned int SeedWhere(const std::function<bool(const BillboardParticle&)>& wanted)
{
    Camera camera;
    for (unsigned int seed = 1; seed < 1000; ++seed) {
        SeedRand15(seed);
        SimpleParticleEmitter probe(0, &camera, kOrigin, 1, 1.0f, 1.0f);
        if (wanted(probe.GetParticle(0)))
            return seed;
    }
    ADD_FAILURE() << "no seed found";
    return 1;
}

TEST(SimpleParticleEmitter, SpawnsAtItsPositionWithoutAPicture)
{
    Camera camera;
    SimpleParticleEmitter emitter(7, &camera, kOrigin, 20, 2.0f, 4.0f);
    for (int i = 0; i < emitter.GetParticleCount(); ++i) {
        const BillboardParticle& p = emitter.GetParticle(i);
        EXPECT_EQ(p.position, kOrigin);
        EXPECT_EQ(p.material, nullptr);
        EXPECT_NEAR(p.velocity.Length(), 1.0f, 1e-5f);
        EXPECT_EQ(p.inverseMass, 1.0 / 10.0f);
        EXPECT_GE(p.age, 1);
        EXPECT_LE(p.age, 50);
        EXPECT_GE(p.lifetime, 2);
        EXPECT_LE(p.lifetime, 51);
        EXPECT_EQ(p.halfHeight, 2.0f);
    }
}

TEST(SimpleParticleEmitter, StepsOncePerGatheredStepLength)
{
    SeedRand15(SeedWhere([](const BillboardParticle& p) { return p.lifetime - p.age >= 4; }));
    Camera camera;
    SimpleParticleEmitter emitter(0, &camera, kOrigin, 1, 1.0f, 1.0f);
    const BillboardParticle& p = emitter.GetParticle(0);
    const int age = p.age;
    const Vec3 v = p.velocity;

    emitter.Update(0.01f);  // below 1/60: nothing yet
    EXPECT_EQ(p.age, age);
    EXPECT_EQ(p.position, kOrigin);
    emitter.Update(0.01f);  // one step: two moves by the velocity
    EXPECT_EQ(p.age, age + 1);
    EXPECT_EQ(p.position, kOrigin + v + v);
    EXPECT_FLOAT_EQ(p.colour.a, 1.0f - static_cast<float>(age + 1) / static_cast<float>(p.lifetime));
    EXPECT_FLOAT_EQ(p.width, 1.01f);
    emitter.Update(1.0f);  // a long frame is still one step
    EXPECT_EQ(p.age, age + 2);
    EXPECT_EQ(p.position, kOrigin + v + v + v + v);
}

TEST(SimpleParticleEmitter, ParticleAtTheEndOfItsLifeIsReplaced)
{
    SeedRand15(SeedWhere([](const BillboardParticle& p) { return p.age >= p.lifetime; }));
    Camera camera;
    SimpleParticleEmitter emitter(0, &camera, kOrigin, 1, 1.0f, 1.0f);
    const Vec3 oldVelocity = emitter.GetParticle(0).velocity;
    emitter.Update(1.0f);
    const BillboardParticle& p = emitter.GetParticle(0);
    EXPECT_FALSE(p.velocity == oldVelocity);
    EXPECT_EQ(p.position, kOrigin + p.velocity + p.velocity);
}

TEST(SimpleParticleEmitter, DumpWritesItsFileOnce)
{
    TempFolder folder;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    Camera camera;
    SimpleParticleEmitter emitter(0, &camera, kOrigin, 3, 1.0f, 1.0f);
    emitter.Dump();
    std::ifstream first("particleout.txt");
    std::string line;
    int lines = 0;
    while (std::getline(first, line))
        ++lines;
    EXPECT_EQ(lines, 3);
    std::remove("particleout.txt");
    emitter.Dump();
    EXPECT_FALSE(std::ifstream("particleout.txt").good());
    ASSERT_EQ(chdir(previous), 0);
}

TEST(SimpleParticleEmitter, DrawsParticlesAndSpritesUntexturedWithoutAMaterial)
{
    gltest::WindowHold window;
    ASSERT_TRUE(window.Open());
    gltest::ResetDrawing();
    Camera camera;
    SimpleParticleEmitter emitter(0, &camera, Vec3(), 4, 1.0f, 1.0f);
    emitter.Render();
    const auto drawn = gltest::CentrePixel();
    EXPECT_GT(drawn[0] + drawn[1] + drawn[2], 0);

    gltest::ResetDrawing();
    BillboardSprite sprite;
    sprite.Set(nullptr, 0.0f, 0.0f, 0.0f, 2, 2);
    sprite.Render(camera, GL_QUADS);
    EXPECT_EQ(gltest::CentrePixel()[0], 255);
}

}  // namespace
