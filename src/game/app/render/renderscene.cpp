// The scene renderer; see renderscene.h.
#include "renderscene.h"

#include "boy.h"
#include "debugbreak.h"
#include "draw2d.h"
#include "editingflag.h"
#include "gfxcomponent.h"
#include "islandmodel.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "renderworld.h"
#include "scenenode.h"
#include "skybox.h"

#include <GL/glew.h>

namespace {

constexpr float kFogColor[4] = {0.667f, 0.858f, 0.839f, 0.0f};
constexpr float kFogDensity = 100.0f;
constexpr float kFogStart = 500.0f;
constexpr float kFogEnd = 1000.0f;
constexpr float kDimAlpha = 0.5f;
constexpr float kEditFrameAlpha = 0.6f;
constexpr float kEditFrameWidth = 10.0f;

constexpr const char* kSkyboxSide = "../assets/3D/side.tga";
constexpr const char* kSkyboxTop = "../assets/3D/top.tga";
constexpr const char* kSkyboxBottom = "../assets/3D/bottom.tga";

using IslandLayer = void (IslandModel::*)();

// One step of the ocean and island order: a scene node, or one layer of
// the first `islands` islands (Volcano, 3big, 3medium, 3small).
struct SceneStep {
    WorldNode node;  // kWorldNodeCount for an island layer
    IslandLayer layer;
    int islands;
};

constexpr SceneStep kSceneOrder[] = {
    {kNodeOceanBottom, nullptr, 0},
    {kNodeIslands, nullptr, 0},
    {kWorldNodeCount, &IslandModel::RenderIslandLayer, 4},
    {kNodeShallowWater5, nullptr, 0},
    {kWorldNodeCount, &IslandModel::RenderShallowWater5Layer, 2},  // Volcano and 3big
    {kNodeShallowWater4, nullptr, 0},
    {kWorldNodeCount, &IslandModel::RenderShallowWater4Layer, 4},
    {kNodeOcean, nullptr, 0},
    {kNodeBeach, nullptr, 0},
    {kWorldNodeCount, &IslandModel::RenderBeachLayer, 4},
    {kNodeWaves, nullptr, 0},
    {kWorldNodeCount, &IslandModel::RenderWaveLayer, 4},
    {kNodeTrees, nullptr, 0},
    {kWorldNodeCount, &IslandModel::RenderTreeLayer, 4},
    {kWorldNodeCount, &IslandModel::RenderCityLayer, 1},  // Volcano only
};

void SetFog()
{
    if (IsEditingEnabled()) {
        glDisable(GL_FOG);
        return;
    }
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, kFogColor);
    glFogf(GL_FOG_DENSITY, kFogDensity);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, kFogStart);
    glFogf(GL_FOG_END, kFogEnd);
    glEnable(GL_FOG);
}

// Nodes or islands that failed to load are left out.
void DrawOceanAndIslands(const MorvoWorld& world)
{
    for (const SceneStep& step : kSceneOrder) {
        if (step.node != kWorldNodeCount) {
            if (SceneNode* node = world.GetSceneNode(step.node)) {
                node->Render();
            }
            continue;
        }
        for (int i = 0; i < step.islands; ++i) {
            if (IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i))) {
                (island->*step.layer)();
            }
        }
    }
}

}  // namespace

void ApplyCamera(const CameraBase& camera)
{
    const GfxComponent* gfx = GfxComponent::GetInstance();
    glViewport(0, 0, gfx->GetWindowWidth(), gfx->GetWindowHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMultMatrixf(camera.GetProjectionMatrix().m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixf(camera.GetViewMatrix().m);
}

void RenderScene(bool dim)
{
    MorvoWorld& world = GetMorvoWorld();
    const OrbitCamera* camera = world.GetCamera();
    if (camera == nullptr) {
        DEBUG_BREAK("RenderScene without a camera");
        return;
    }
    glClearColor(0.5f, 0.5f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    ApplyCamera(*camera);
    const Vec3& eye = camera->GetEye();
    GlobalSkybox().Render(eye.x, eye.y, eye.z);

    glEnable(GL_BLEND);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_ALPHA_TEST);
    SetFog();
    DrawOceanAndIslands(world);
    RenderWorld(&world);

    glEnable(GL_DEPTH_TEST);
    if (Boy* boy = world.GetBoy()) {
        boy->Render();
    }
    if (dim) {
        FillScreen2D(0.0f, 0.0f, 0.0f, kDimAlpha);
    }
    if (IsEditingEnabled()) {
        DrawScreenBorder2D(0.0f, 1.0f, 0.0f, kEditFrameAlpha, kEditFrameWidth);
    }
}

bool LoadSkyboxFaces()
{
    Skybox& sky = GlobalSkybox();
    sky.LoadFace(0, kSkyboxSide);
    sky.LoadFace(1, kSkyboxSide);
    sky.LoadFace(2, kSkyboxSide);
    sky.LoadFace(3, kSkyboxSide);
    sky.LoadFace(4, kSkyboxTop);
    return sky.LoadFace(5, kSkyboxBottom);
}

void ReleaseSkyboxFaces()
{
    GlobalSkybox().ReleaseFaces();
}
