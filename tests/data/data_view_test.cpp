// One rendered view of the demo world under a real GL window (Xvfb in the
// test run): the world loads every model and texture through the game plan
// (MorvoWorld::Init), then the sky box, the ocean, the big island with its
// trees, beach, waves and city, and the boy in flight are drawn in the
// scene renderer's order with its fog, and the frame is saved as
// <build>/demoview.tga so the look can be judged.
#include "data_files.h"

#include "boy.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "gltestsupport.h"
#include "islandmodel.h"
#include "keyframeanimation.h"
#include "materialmanager.h"
#include "model.h"
#include "morvoworld.h"
#include "random15.h"
#include "scenenode.h"
#include "skybox.h"
#include "testsupport.h"
#include "texture.h"
#include "texturemanager.h"
#include "tgafile.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kFovDegrees = 60.0;
constexpr double kNear = 1.0;
constexpr double kFar = 5000.0;
// Looking across the big island from the south-west, from about the
// height where the boy flies.
constexpr float kEye[3] = {300.0f, 185.0f, 640.0f};
constexpr float kTarget[3] = {600.0f, 0.0f, 250.0f};
constexpr int kBoyFlightSlot = 6;  // MorvoBoyAnim_Fast

struct V {
    double x, y, z;
};
V Sub(V a, V b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V Cross(V a, V b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V Unit(V a)
{
    double l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return {a.x / l, a.y / l, a.z / l};
}

void LookAt(V eye, V target)
{
    V f = Unit(Sub(target, eye));
    V s = Unit(Cross(f, {0, 1, 0}));
    V u = Cross(s, f);
    const float m[16] = {float(s.x), float(u.x), float(-f.x), 0, float(s.y), float(u.y), float(-f.y), 0,
                         float(s.z), float(u.z), float(-f.z), 0, 0,          0,          0,           1};
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(m);
    glTranslated(-eye.x, -eye.y, -eye.z);
}

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
        GlobalSkybox().ReleaseFaces();
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
    ASSERT_TRUE(GlobalSkybox().LoadFace(0, "../assets/3D/side.tga"));
    for (int i = 1; i < 4; ++i) {
        ASSERT_TRUE(GlobalSkybox().LoadFace(i, "../assets/3D/side.tga"));
    }
    ASSERT_TRUE(GlobalSkybox().LoadFace(4, "../assets/3D/top.tga"));
    ASSERT_TRUE(GlobalSkybox().LoadFace(5, "../assets/3D/bottom.tga"));
    world.Update(0.0f, true);

    GfxComponent* gfx = GfxComponent::GetInstance();
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.5f, 0.5f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double top = kNear * std::tan(kFovDegrees * 3.14159265358979 / 360.0);
    double aspect = static_cast<double>(kWidth) / kHeight;
    glFrustum(-top * aspect, top * aspect, -top, top, kNear, kFar);
    LookAt({kEye[0], kEye[1], kEye[2]}, {kTarget[0], kTarget[1], kTarget[2]});
    GlobalSkybox().Render(kEye[0], kEye[1], kEye[2]);

    // The scene renderer's state and order.
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_ALPHA_TEST);
    const float fog[4] = {0.667f, 0.858f, 0.839f, 1.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, fog);
    glFogf(GL_FOG_START, 500.0f);
    glFogf(GL_FOG_END, 1000.0f);
    glEnable(GL_FOG);
    std::vector<IslandModel*> islands;
    for (int i = 0; i < kWorldIslandCount; ++i) {
        islands.push_back(world.GetIsland(static_cast<WorldIsland>(i)));
    }
    auto node = [&](WorldNode n) { world.GetSceneNode(n)->Render(); };
    node(kNodeOceanBottom);
    node(kNodeIslands);
    for (IslandModel* i : islands)
        i->RenderIslandLayer();
    node(kNodeShallowWater5);
    islands[kIslandVolcano]->RenderShallowWater5Layer();
    islands[kIsland3big]->RenderShallowWater5Layer();
    node(kNodeShallowWater4);
    for (IslandModel* i : islands)
        i->RenderShallowWater4Layer();
    node(kNodeOcean);
    node(kNodeBeach);
    for (IslandModel* i : islands)
        i->RenderBeachLayer();
    node(kNodeWaves);
    for (IslandModel* i : islands)
        i->RenderWaveLayer();
    node(kNodeTrees);
    for (IslandModel* i : islands)
        i->RenderTreeLayer();
    islands[kIslandVolcano]->RenderCityLayer();

    // The boy in flight in front of the camera, heading for the island.
    Boy* boy = world.GetBoy();
    ASSERT_NE(boy, nullptr);
    boy->SetModelSlot(kBoyFlightSlot);
    ASSERT_NE(boy->model, nullptr);
    V dir = Unit(Sub({kTarget[0], kTarget[1], kTarget[2]}, {kEye[0], kEye[1], kEye[2]}));
    glPushMatrix();
    glTranslated(kEye[0] + dir.x * 16.0 + 2.5, kEye[1] + dir.y * 16.0 - 2.0, kEye[2] + dir.z * 16.0);
    glRotated(std::atan2(-dir.x, -dir.z) * 180.0 / 3.14159265358979, 0, 1, 0);
    boy->model->Render(GL_TRIANGLES, gfx->materials.get());
    glPopMatrix();
    glDisable(GL_FOG);

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
