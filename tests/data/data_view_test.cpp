// One rendered view of the demo world under a real GL window (Xvfb in the
// test run): the world loads every model and texture through the game plan
// (MorvoWorld::Init), a level's worth of morvos glow over the water, and the
// scene renderer draws the frame from a camera looking across the big
// island with the boy in flight in front of it. The frame is saved as
// <build>/demoview.tga so the look can be judged.
#include "data_files.h"

#include "boy.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "gltestsupport.h"
#include "keyframeanimation.h"
#include "model.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "orbitcameraaim.h"
#include "random15.h"
#include "rendermode.h"
#include "renderscene.h"
#include "scenenode.h"
#include "skybox.h"
#include "testsupport.h"
#include "texture.h"
#include "texturemanager.h"
#include "tgafile.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = kDataWindowWidth;
constexpr int kHeight = kDataWindowHeight;
// Looking across the big island from the south-west, from about the
// height where the boy flies.
const Vec3 kEye(300.0f, 185.0f, 640.0f);
const Vec3 kTarget(600.0f, 0.0f, 250.0f);
constexpr float kBoyAhead = 16.0f;
constexpr int kMorvoRows = 12;

class DemoView : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!gltest::EnsureWindow(kWidth, kHeight)) {
            GTEST_SKIP() << "no GL window";
        }
        ASSERT_TRUE(DemoPlan()->IsLoaded());
        SeedRand15(1);
        GetMorvoWorld().Release();
    }
    void TearDown() override
    {
        ReleaseSkyboxFaces();
        GetMorvoWorld().Release();
    }
};

TEST_F(DemoView, WorldLoadsAndDrawsTheIslandUnderTheSky)
{
    BreakCounter breaks;
    MorvoWorld& world = GetMorvoWorld();
    ASSERT_TRUE(world.Init());
    EXPECT_EQ(breaks.Count(), 0) << breaks.LastWhat();
    for (int n = 0; n < kWorldNodeCount; ++n) {
        ASSERT_NE(world.GetSceneNode(static_cast<WorldNode>(n)), nullptr) << n;
        EXPECT_NE(world.GetSceneNode(static_cast<WorldNode>(n))->model, nullptr) << n;
    }
    for (Model* m : world.GetLightningModels()) {
        EXPECT_NE(m, nullptr);
    }
    for (Texture* t : world.GetMorvoTextures()) {
        EXPECT_NE(t, nullptr);
    }
    EXPECT_NE(world.GetLightningBolt(), nullptr);
    EXPECT_NE(world.GetTempTexture(), nullptr);
    ASSERT_TRUE(LoadSkyboxFaces());
    for (int i = 0; i < kSkyboxFaceCount; ++i) {
        EXPECT_NE(GlobalSkybox().GetFace(i), nullptr) << i;
    }

    // A level's simulation with a field of morvos off the island's shore.
    GameFlow::GetInstance()->SetupWorldForLevel();
    const int32_t colors[] = {kMorvoPure, kMorvoNeutral, kMorvoDark};
    for (int row = 0; row < kMorvoRows; ++row) {
        for (int column = 0; column < kMorvoRows; ++column) {
            const Vec2 sim = MorvoWorld::WorldToSim(Vec3(420.0f + column * 9.0f, 0.0f, 430.0f - row * 9.0f));
            world.AddMorvo(sim.x, sim.y, colors[(row + column) % 3], 1.0f + (row * 7 + column) % 20);
        }
    }
    world.Update(0.0f, true);

    OrbitCamera camera;
    AimOrbitCamera(camera, kEye, kTarget);
    ASSERT_LT((camera.GetEye() - kEye).Length(), 0.5f);
    world.SetCamera(&camera);
    // The boy in flight in front of the camera, heading for the island.
    Boy* boy = world.GetBoy();
    ASSERT_NE(boy, nullptr);
    boy->SetModelSlot(Boy::kSlotFast);
    ASSERT_NE(boy->model, nullptr);
    const Vec3 ahead = (kTarget - kEye).Normalized();
    boy->position = kEye + ahead * kBoyAhead + Vec3(2.5f, -2.0f, 0.0f);
    SetRenderMode(kRenderModeGlow);

    RenderScene(false);

    std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, 0x80E1 /* GL_BGRA */, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<unsigned char> copy = pixels;
    std::string out = BuildDir() + "/demoview.tga";
    EXPECT_TRUE(TgaFile().Write(copy.data(), kWidth, kHeight, out.c_str(), false)) << out;

    // The top of the frame is sky (blue over red), and the land below shows
    // green among the water's blue: the textures were drawn, not grey.
    auto at = [&](int x, int y) { return &pixels[(static_cast<size_t>(y) * kWidth + x) * 4]; };
    const unsigned char* sky = at(kWidth / 2, kHeight - 5);
    EXPECT_GT(sky[0], sky[2]) << "sky pixel is not blue";
    int green = 0;
    int blue = 0;
    for (int y = 0; y < kHeight / 2; y += 4) {
        for (int x = 0; x < kWidth; x += 4) {
            const unsigned char* p = at(x, y);
            if (p[1] > p[2] + 20 && p[1] > p[0] + 10)
                ++green;
            if (p[0] > p[2] + 20)
                ++blue;
        }
    }
    EXPECT_GT(green, 200) << "no island green in the lower half";
    EXPECT_GT(blue, 200) << "no water in the lower half";
}

// Luminance (0..255) of the back-buffer pixel where a world point lands.
float LuminanceAt(const OrbitCamera& camera, const Vec3& world)
{
    const Vec3 ndc = camera.GetProjectionMatrix().TransformPoint(camera.GetViewMatrix().TransformPoint(world));
    const int x = static_cast<int>((ndc.x * 0.5f + 0.5f) * static_cast<float>(gltest::WindowWidth()));
    const int y = static_cast<int>((ndc.y * 0.5f + 0.5f) * static_cast<float>(gltest::WindowHeight()));
    const std::array<int, 4> p = gltest::ReadPixel(x, y);
    return 0.30f * static_cast<float>(p[0]) + 0.59f * static_cast<float>(p[1]) + 0.11f * static_cast<float>(p[2]);
}

TEST_F(DemoView, GreyMorvosShowGreyAgainstTheSkyAndPureOnesGlow)
{
    MorvoWorld& world = GetMorvoWorld();
    ASSERT_TRUE(world.Init());
    ASSERT_TRUE(LoadSkyboxFaces());
    GameFlow::GetInstance()->SetupWorldForLevel();
    // Three morvos of the story's powers in a row over the open sea, seen
    // from a little below against the sky: pure, grey (neutral), dark.
    constexpr float kRowZ = 1000.0f;
    const float xs[3] = {-1030.0f, -1000.0f, -970.0f};
    const int32_t colors[3] = {kMorvoPure, kMorvoNeutral, kMorvoDark};
    const float powers[3] = {3.2f, 1.7f, 1.8f};
    for (int i = 0; i < 3; ++i) {
        const Vec2 sim = MorvoWorld::WorldToSim(Vec3(xs[i], 0.0f, kRowZ));
        world.AddMorvo(sim.x, sim.y, colors[i], powers[i]);
    }
    world.Update(0.0f, true);
    OrbitCamera camera;
    AimOrbitCamera(camera, Vec3(-1000.0f, 140.0f, kRowZ + 80.0f), Vec3(-1000.0f, 150.0f, kRowZ));
    world.SetCamera(&camera);
    SetRenderMode(kRenderModeGlow);
    RenderScene(false);

    const float height = MorvoWorld::GetLayerHeight(0);
    const float sky = LuminanceAt(camera, Vec3(-1015.0f, height, kRowZ));  // between two morvos
    const float pure = LuminanceAt(camera, Vec3(xs[0], height, kRowZ));
    const float grey = LuminanceAt(camera, Vec3(xs[1], height, kRowZ));
    const float dark = LuminanceAt(camera, Vec3(xs[2], height, kRowZ));
    // A pure morvo adds light; a grey one is no brighter than the sky behind
    // it, and a dark one is darker still (steps of luminance, 0..255).
    constexpr float kGlowStep = 40.0f;
    constexpr float kDarkStep = 10.0f;
    EXPECT_GT(pure, sky + kGlowStep) << "pure " << pure << ", sky " << sky;
    EXPECT_LE(grey, sky) << "grey " << grey << ", sky " << sky;
    EXPECT_GT(grey, dark + kDarkStep) << "grey " << grey << ", dark " << dark;
    std::printf("luminance: sky %.0f, pure %.0f, grey %.0f, dark %.0f\n", sky, pure, grey, dark);
    world.SetCamera(nullptr);
}

TEST_F(DemoView, EveryPictureAndAnimationLoadsWithTheGameReaders)
{
    // Every picture the game plan lists (the menus load theirs clamped).
    TiXmlDocument doc(DataGameFolder() + "/GamePlan.xml");
    ASSERT_TRUE(doc.LoadFile());
    const TiXmlElement* assets = doc.RootElement()->FirstChildElement("Assets");
    ASSERT_NE(assets, nullptr);
    TextureManager* textures = GfxComponent::GetInstance()->textures.get();
    int pictures = 0;
    for (const TiXmlElement* a = assets->FirstChildElement("Asset"); a != nullptr; a = a->NextSiblingElement("Asset")) {
        std::string path;
        ASSERT_TRUE(GamePlan::GetInstance()->GetAssetPath(a->Attribute("name"), &path));
        if (path.size() < 4 || path.compare(path.size() - 4, 4, ".tga") != 0) {
            continue;
        }
        ++pictures;
        Texture* t = textures->LoadClamped(path.c_str());
        ASSERT_NE(t, nullptr) << path;
        textures->Release(t);
    }
    EXPECT_GE(pictures, 37);  // menus 28, morvo textures 7, TempTexture, LightningBolt
    // Every chapter's animations and the overlays: each object has its picture.
    std::set<std::string> files = {"../assets/2D/help.txt", "../assets/2D/screenshot.txt"};
    const Story& story = GamePlan::GetInstance()->GetStory();
    const Chapter* c = nullptr;
    for (bool more = story.GetFirstChapter(&c); more; more = story.GetNextChapter(c->GetTitle().c_str(), &c)) {
        files.insert(c->GetIntro());
        files.insert(c->GetWinAnim());
        files.insert(c->GetLoseAnim());
    }
    for (const std::string& file : files) {
        KeyframeAnimation animation;
        ASSERT_TRUE(animation.Load(file)) << file;
        EXPECT_GT(animation.GetDuration(), 0.0f) << file;
        for (const AnimObject& object : animation.GetObjects()) {
            EXPECT_NE(object.texture, nullptr) << file;
            EXPECT_FALSE(object.keyframes.empty()) << file;
        }
        animation.Clear();
    }
}

}  // namespace
