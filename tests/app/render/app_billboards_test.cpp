// The depth-sorted billboard passes without drawing: which morvos and
// particles are kept and in which order, the glow layers of a morvo, and a
// particle sprite's colour and size over its life.
#include "billboardview.h"
#include "morvoglow.h"
#include "orbitcameraaim.h"
#include "particlesprites.h"
#include "particlesystem.h"
#include "texture.h"
#include "world_headless.h"

#include <gtest/gtest.h>

#include <cmath>
#include <list>
#include <vector>

namespace {

// Looking along simulation +y at the plane's origin: depth = 360.6 + 166.4 y
// world units, so y < -2.17 is behind the camera and y >= 3.84 far.
const Vec3 kEye(0.0f, 350.0f, 300.0f);
const Vec3 kTarget(0.0f, 150.0f, 0.0f);
constexpr float kTolerance = 1e-5f;

class BillboardTest : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
        AimOrbitCamera(camera_, kEye, kTarget);
        World().SetCamera(&camera_);
    }
    void TearDown() override
    {
        World().SetCamera(nullptr);
        HeadlessWorldTest::TearDown();
    }
    BillboardView View() const { return GetBillboardView(camera_); }
    // A system that emits needs a texture.
    void AddTexture(ParticleSystem& system) { system.AddTexture(&texture_); }

    OrbitCamera camera_;
    Texture texture_;
};

}  // namespace

TEST_F(BillboardTest, GlowListCullsBehindAndFarAndSortsFarthestFirst)
{
    struct Placed {
        float x, y;
        int32_t color;
    };
    const Placed morvos[] = {
        {0.0f, -3.0f, kMorvoPure},    // 0: behind the camera
        {0.0f, 5.0f, kMorvoDark},     // 1: far
        {0.0f, 5.0f, kMorvoPure},     // 2: far, pure
        {1.0f, 0.0f, kMorvoNeutral},  // 3
        {-1.0f, 0.0f, kMorvoDark},    // 4: as far as 3
        {0.0f, 1.0f, kMorvoPure},     // 5
    };
    for (const Placed& m : morvos) {
        ASSERT_GE(World().AddMorvo(m.x, m.y, m.color, 1.0f), 0);
    }
    MorvoState& state = *World().GetStore()->GetCurrentState();
    auto indices = [&](bool editing) {
        std::vector<MorvoRecord*> list;
        GatherMorvoBillboards(state, View(), World().GetCameraDirection2D(), editing, list);
        std::vector<int> out;
        for (const MorvoRecord* m : list) {
            out.push_back(static_cast<int>(m - state.Records()));
        }
        return out;
    };
    EXPECT_EQ(indices(false), (std::vector<int>{2, 5, 3, 4}));
    EXPECT_EQ(indices(true), (std::vector<int>{1, 2, 5, 3, 4}));
}

TEST_F(BillboardTest, ZeroViewDirectionBreaksAndKeepsStoreOrder)
{
    World().AddMorvo(0.0f, 1.0f, kMorvoPure, 1.0f);
    World().AddMorvo(0.0f, 2.0f, kMorvoPure, 1.0f);
    BreakCounter breaks;
    std::vector<MorvoRecord*> list;
    GatherMorvoBillboards(*World().GetStore()->GetCurrentState(), View(), Vec2(0.0f, 0.0f), false, list);
    EXPECT_EQ(breaks.Count(), 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_LT(list[0], list[1]);
}

struct LayerCase {
    const char* name;
    float power;
    int32_t color;
    std::vector<float> alphas;
};

class GlowLayers : public ::testing::TestWithParam<LayerCase> {};

TEST_P(GlowLayers, OneBaseLayerThenOnePerSixOfPower)
{
    const LayerCase& c = GetParam();
    std::vector<GlowLayer> layers;
    ForEachGlowLayer(c.power, c.color, [&](const GlowLayer& layer) { layers.push_back(layer); });
    ASSERT_EQ(layers.size(), c.alphas.size());
    for (size_t k = 0; k < layers.size(); ++k) {
        EXPECT_EQ(layers[k].index, static_cast<int>(k));
        EXPECT_NEAR(layers[k].alpha, c.alphas[k], kTolerance) << k;
        EXPECT_NEAR(layers[k].lift, 0.045f * k, kTolerance) << k;
        EXPECT_EQ(layers[k].additive, c.color == kMorvoPure) << k;
    }
    EXPECT_EQ(layers[0].scale, 1.0f);
    // Layer k >= 1 grows by 1.05 per layer from (0.3 alpha + 0.7).
    EXPECT_NEAR(layers[1].scale, (0.3f * c.alphas[1] + 0.7f) * 1.05f, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Powers, GlowLayers,
    ::testing::Values(LayerCase{"pure_0_1", 0.1f, kMorvoPure, {0.403f, 0.1f / 6.0f}},
                      LayerCase{"dark_12", 12.0f, kMorvoDark, {0.76f, 1.0f, 1.0f}},
                      LayerCase{"neutral_20", 20.0f, kMorvoNeutral, {1.0f, 1.0f, 1.0f, 1.0f, 2.0f / 6.0f}}),
    CaseName());

TEST(GlowLayerColour, FollowsTheClassAndTheRemainingPower)
{
    std::vector<GlowLayer> dark;
    ForEachGlowLayer(20.0f, kMorvoDark, [&](const GlowLayer& layer) { dark.push_back(layer); });
    std::vector<GlowLayer> neutral;
    ForEachGlowLayer(20.0f, kMorvoNeutral, [&](const GlowLayer& layer) { neutral.push_back(layer); });
    std::vector<GlowLayer> pure;
    ForEachGlowLayer(20.0f, kMorvoPure, [&](const GlowLayer& layer) { pure.push_back(layer); });
    // Full power: dark at its own colour, neutral at the mid grey; both
    // move towards mid as the power left for the layer falls.
    EXPECT_NEAR(dark[0].color.x, 0.4f, kTolerance);
    EXPECT_NEAR(neutral[0].color.x, 0.7f, kTolerance);
    EXPECT_GT(dark[4].color.x, dark[0].color.x);
    EXPECT_GT(neutral[4].color.x, neutral[0].color.x);
    for (const GlowLayer& layer : pure) {
        EXPECT_EQ(layer.color, Vec3(0.98f, 0.98f, 0.9f));
    }
}

struct SpriteCase {
    const char* name;
    int32_t lifetime;
    int32_t life;
    bool interpolated;
    Vec3 color;
    float alpha;
    float halfSize;
};

class SpriteOverLife : public BillboardTest, public ::testing::WithParamInterface<SpriteCase> {};

// Red at alpha 0.8 at birth fading to blue at alpha 0.2; edges 20 to 60 world units.
TEST_P(SpriteOverLife, ColourAndSizeFollowTheRemainingLife)
{
    const SpriteCase& c = GetParam();
    std::list<ParticleSystem*> systems;
    ParticleSystem system(1, 1.0f, c.lifetime, 20.0f, 60.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                          0.8f);
    system.SetInterpToColor(0.0f, 0.0f, 1.0f, 0.2f);
    system.SetInterpolated(c.interpolated);
    AddTexture(system);
    Particle& particle = system.GetParticles()->Get(0);
    particle.active = 1;
    particle.life = c.life;
    particle.textureId = 7;
    systems.push_back(&system);
    std::vector<SpriteRecord> sprites;
    GatherParticleSprites(systems, View(), sprites);
    if (c.lifetime == 0) {
        EXPECT_TRUE(sprites.empty());  // a system that cannot emit is not drawn
        return;
    }
    ASSERT_EQ(sprites.size(), 1u);
    const SpriteRecord& s = sprites[0];
    EXPECT_EQ(s.texture, 7u);
    EXPECT_EQ(s.simPosition, Vec3(0.0f, 1.0f, 0.0f));
    EXPECT_NEAR(s.r, c.color.x, kTolerance);
    EXPECT_NEAR(s.g, c.color.y, kTolerance);
    EXPECT_NEAR(s.b, c.color.z, kTolerance);
    EXPECT_NEAR(s.a, c.alpha, kTolerance);
    EXPECT_NEAR(s.halfSize, c.halfSize, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Lives, SpriteOverLife,
    ::testing::Values(SpriteCase{"newborn", 10, 10, true, Vec3(1.0f, 0.0f, 0.0f), 0.8f, 0.05f},
                      SpriteCase{"half_way", 10, 5, true, Vec3(0.5f, 0.0f, 0.5f), 0.5f, 0.1f},
                      SpriteCase{"last_update", 10, 0, true, Vec3(0.0f, 0.0f, 1.0f), 0.2f, 0.15f},
                      SpriteCase{"not_interpolated", 10, 0, false, Vec3(1.0f, 0.0f, 0.0f), 0.8f, 0.15f},
                      // t = -0.5: beyond the target colour and the maximum size.
                      SpriteCase{"negative_lifetime", -10, 5, true, Vec3(-0.5f, 0.0f, 1.5f), -0.1f, 0.2f},
                      SpriteCase{"lifetime_0", 0, 3, true, Vec3(), 0.0f, 0.0f}),
    CaseName());

TEST_F(BillboardTest, SpritesCullBehindAndFarAndSortFarthestFirst)
{
    std::list<ParticleSystem*> systems;
    ParticleSystem system(4, 1.0f, 10, 20.0f, 60.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    AddTexture(system);
    const float ys[] = {-3.0f, 1.0f, 5.0f, 2.0f};  // behind, kept, far, kept
    for (int i = 0; i < 4; ++i) {
        Particle& p = system.GetParticles()->Get(i);
        p.active = 1;
        p.position = Vec3(0.0f, ys[i], 0.0f);
    }
    systems.push_back(&system);
    std::vector<SpriteRecord> sprites;
    GatherParticleSprites(systems, View(), sprites);
    ASSERT_EQ(sprites.size(), 2u);
    EXPECT_EQ(sprites[0].simPosition.y, 2.0f);
    EXPECT_EQ(sprites[1].simPosition.y, 1.0f);
}
