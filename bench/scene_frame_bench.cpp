// One in-game frame at 1024 x 768 in glow mode: the world step, the scene
// renderer and the swap, on a generated level with about 3,800 morvos in
// the boy's window, rain and two particle systems, drawn from the orbit
// camera's starting view behind the boy. The parts are timed on their own
// too: the step, the scene, the simulation plane and the glow billboards.
// Needs a display (Xvfb with Mesa's software renderer) and the demo data.
#include <benchmark/benchmark.h>

#include <GL/glew.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "attractor.h"
#include "boy.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "morvoglow.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "particlesystem.h"
#include "rainsystem.h"
#include "random15.h"
#include "rendermode.h"
#include "texturemanager.h"
#include "renderscene.h"
#include "renderworld.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr float kDt = 1.0f / 60.0f;
constexpr int kMorvoCount = 3800;
constexpr float kWindowHalf = 1.5f;  // the active window is 3.0 simulation units wide
constexpr float kDarkEdge = 0.5f;    // the dark cloud's corner of the window
constexpr int kFramesPerLayout = 300;
constexpr float kBoyHeight = 155.0f;  // hovering 5 above the morvo layer

float Uniform(float lo, float hi)
{
    return lo + (hi - lo) * static_cast<float>(Rand15()) / 32767.0f;
}

class SceneFixture {
public:
    static SceneFixture& Get()
    {
        static SceneFixture fixture;
        return fixture;
    }

    bool Ready() const { return ready_; }

    // Morvos spread over the window afresh: a dark cloud on the far side,
    // pure and neutral ones mixed over the rest; rain falls where they meet.
    void Layout()
    {
        MorvoWorld& world = GetMorvoWorld();
        world.ClearMorvos();
        SeedRand15(7);
        for (int i = 0; i < kMorvoCount; ++i) {
            const float x = Uniform(-kWindowHalf, kWindowHalf);
            const float y = Uniform(-kWindowHalf, kWindowHalf);
            const bool dark = x > kDarkEdge && y > kDarkEdge;
            const int32_t color = dark ? kMorvoDark : (i % 3 == 0 ? kMorvoNeutral : kMorvoPure);
            world.AddMorvo(x, y, color, Uniform(0.5f, 8.0f));
        }
        // A few steps so the rain and the particles are under way.
        for (int i = 0; i < 30; ++i) {
            Step();
        }
        frames_ = 0;
    }

    void Step()
    {
        GetMorvoWorld().Update(kDt, false);
        camera_.Update(kDt);
    }

    // Counts a frame; true when the layout is due again.
    bool NextFrame() { return ++frames_ >= kFramesPerLayout; }

    OrbitCamera& Camera() { return camera_; }

private:
    SceneFixture()
    {
        if (chdir(MORVO_BENCH_RUN_DIR) != 0) {
            std::fprintf(stderr, "no run folder %s\n", MORVO_BENCH_RUN_DIR);
            return;
        }
        GfxComponent* gfx = GfxComponent::GetInstance();
        if (!gfx->CreateGLWindow(kWidth, kHeight, 32, 16, false)) {
            return;
        }
        if (!GamePlan::GetInstance()->Load("../game", "GamePlan.xml")) {
            return;
        }
        MorvoWorld& world = GetMorvoWorld();
        world.Init();
        LoadSkyboxFaces();
        GameFlow::GetInstance()->SetupWorldForLevel();
        auto* attractor = new Attractor(1000.0f, 0.0f, 0.05f, 0.5f);
        attractor->SetEnabled(true);
        world.SetMorvoAttractorFunc(attractor);
        world.GetBoy()->position = Vec3(0.0f, kBoyHeight, 0.0f);
        AddParticleSystem(kSparks);
        AddParticleSystem(kSmoke);
        camera_ = OrbitCamera();
        camera_.SetTarget(world.GetBoy()->position);
        camera_.Reset();
        world.SetCamera(&camera_);
        SetRenderMode(kRenderModeGlow);
        Layout();
        ready_ = true;
    }

    // As the demo levels' sparks and smoke.
    struct SystemSetup {
        int32_t count;
        Vec3 position;
        Vec3 force;
        float color[4];
        float interpTo[4];
        float minSize;
        float maxSize;
        float damping;
        int32_t lifetime;
        float speed;
        const char* texture;
    };
    static inline const SystemSetup kSparks = {60,
                                               Vec3(0.6f, 0.8f, -0.55f),
                                               Vec3(0.0f, 0.0f, 8.0f),
                                               {0.8f, 0.95f, 1.0f, 0.9f},
                                               {1.0f, 1.0f, 1.0f, 0.0f},
                                               8.0f,
                                               20.0f,
                                               0.99f,
                                               200,
                                               20.0f,
                                               "../game/data/textures/spark.tga"};
    static inline const SystemSetup kSmoke = {120,
                                              Vec3(-0.8f, 1.0f, -0.275f),
                                              Vec3(3.0f, 0.0f, 40.0f),
                                              {0.32f, 0.3f, 0.29f, 0.85f},
                                              {0.62f, 0.6f, 0.58f, 0.0f},
                                              14.0f,
                                              80.0f,
                                              0.97f,
                                              240,
                                              12.0f,
                                              "../game/data/textures/smoke.tga"};

    static void AddParticleSystem(const SystemSetup& s)
    {
        auto* system = new ParticleSystem(s.count, s.damping, s.lifetime, s.minSize, s.maxSize, s.position.x,
                                          s.position.y, s.position.z, s.force.x, s.force.y, s.force.z, s.color[0],
                                          s.color[1], s.color[2], s.color[3]);
        system->AddTexture(GfxComponent::GetInstance()->textures->Load(s.texture), s.texture);
        system->SetInterpToColor(s.interpTo[0], s.interpTo[1], s.interpTo[2], s.interpTo[3]);
        system->SetInterpolated(true);
        system->SetSpeed(s.speed);
        system->EmitAll();
        GetMorvoWorld().GetParticleSystems().push_back(system);
    }

    OrbitCamera camera_;
    int frames_ = 0;
    bool ready_ = false;
};

void Counters(benchmark::State& state)
{
    const MorvoWorld& world = GetMorvoWorld();
    int drops = 0;
    const ParticlePool<RainDrop>& pool = world.GetRain()->GetDrops();
    for (int32_t i = 0; i < pool.GetSize(); ++i) {
        drops += pool.Get(i).active != 0;
    }
    state.counters["billboards"] = static_cast<double>(GetMorvoBillboards().size());
    state.counters["rain"] = drops;
}

// Runs body once per iteration with the layout renewed (untimed) when due.
template <typename Body> void Run(benchmark::State& state, Body body)
{
    SceneFixture& f = SceneFixture::Get();
    if (!f.Ready()) {
        state.SkipWithError("no GL window or demo data");
        return;
    }
    f.Layout();
    for (auto _ : state) {
        body(f);
        if (f.NextFrame()) {
            state.PauseTiming();
            f.Layout();
            state.ResumeTiming();
        }
    }
    Counters(state);
}

void BM_InGameFrame(benchmark::State& state)
{
    Run(state, [](SceneFixture& f) {
        f.Step();
        RenderScene(false);
        GfxComponent::GetInstance()->SwapBuffers();
    });
}
BENCHMARK(BM_InGameFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WorldStep(benchmark::State& state)
{
    Run(state, [](SceneFixture& f) { f.Step(); });
}
BENCHMARK(BM_WorldStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderScene(benchmark::State& state)
{
    Run(state, [](SceneFixture&) {
        RenderScene(false);
        glFinish();
    });
}
BENCHMARK(BM_RenderScene)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderWorld(benchmark::State& state)
{
    Run(state, [](SceneFixture& f) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ApplyCamera(f.Camera());
        RenderWorld(&GetMorvoWorld());
        glFinish();
    });
}
BENCHMARK(BM_RenderWorld)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GlowBillboards(benchmark::State& state)
{
    Run(state, [](SceneFixture& f) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ApplyCamera(f.Camera());
        glPushMatrix();
        ApplySimulationPlane();
        CollectMorvoBillboards(GetMorvoWorld());
        glPopMatrix();
        glFinish();
    });
}
BENCHMARK(BM_GlowBillboards)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
