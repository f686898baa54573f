// One in-game frame at 1024 x 768 in glow mode: the world step, the scene
// renderer and the swap, on a generated level with about 3,800 morvos in
// the boy's window, rain and two particle systems, drawn from the orbit
// camera's starting view behind the boy. The parts are timed on their own
// too: the step, the scene, the simulation plane and the glow billboards.
// The frame reports its GL calls, draws and fragments; a sweep over the morvo count (at
// the same density) shows how many morvos in view a frame can hold.
// Needs a display (Xvfb with Mesa's software renderer) and the demo data;
// GALLIUM_NOOP=1 leaves the CPU cost alone.
#include <benchmark/benchmark.h>

#include <GL/glew.h>
#include <time.h>

#include "benchscene.h"
#include "gfxcomponent.h"
#include "glcallcount.h"
#include "morvoglow.h"
#include "morvoworld.h"
#include "rainsystem.h"
#include "renderscene.h"
#include "renderworld.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class SceneFixture {
public:
    static SceneFixture& Get()
    {
        static SceneFixture fixture;
        return fixture;
    }

    bool Ready() const { return ready_; }
    void Layout(int count = BenchScene::kMorvoCount) { scene_.Layout(count); }
    void Step() { scene_.Step(); }
    OrbitCamera& Camera() { return scene_.Camera(); }
    // Counts a frame; true when the layout is due again.
    bool NextFrame() { return scene_.NextFrame(); }

private:
    SceneFixture()
    {
        GfxComponent* gfx = GfxComponent::GetInstance();
        if (!gfx->CreateGLWindow(kWidth, kHeight, 32, 16, false)) {
            return;
        }
        glcount::Install();
        ready_ = scene_.Load(MORVO_BENCH_RUN_DIR);
    }

    BenchScene scene_;
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

double ProcessCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

// Fragments that a run of body sends through blending and the depth
// test (those it passes, all of them where it is off); -1 without queries.
template <typename Body> double Fragments(Body body)
{
    if (glGenQueries == nullptr) {
        return -1.0;
    }
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    body();
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint samples = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
    glDeleteQueries(1, &query);
    return static_cast<double>(samples);
}

// Runs body once per iteration with the layout of `count` morvos renewed
// (untimed) when due; counts the GL calls and draws of the timed part.
template <typename Body> void Run(benchmark::State& state, Body body, int count = BenchScene::kMorvoCount)
{
    SceneFixture& f = SceneFixture::Get();
    if (!f.Ready()) {
        state.SkipWithError("no GL window or demo data");
        return;
    }
    f.Layout(count);
    // Counted on the first frame after a layout, the same in every build.
    const double fragments = Fragments([&f, &body] { body(f); });
    f.Layout(count);
    uint64_t calls = 0;
    uint64_t draws = 0;
    double processMs = 0.0;
    for (auto _ : state) {
        const uint64_t calls0 = glcount::calls;
        const uint64_t draws0 = glcount::draws;
        const double process0 = ProcessCpuMs();
        body(f);
        processMs += ProcessCpuMs() - process0;
        calls += glcount::calls - calls0;
        draws += glcount::draws - draws0;
        if (f.NextFrame()) {
            state.PauseTiming();
            f.Layout(count);
            state.ResumeTiming();
        }
    }
    Counters(state);
    state.counters["fragments"] = fragments;
    state.counters["gl_calls"] = benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
    state.counters["draws"] = benchmark::Counter(static_cast<double>(draws), benchmark::Counter::kAvgIterations);
    // All threads of the process, the driver's own included: the work a
    // frame costs whatever else shares the cores.
    state.counters["process_cpu_ms"] = benchmark::Counter(processMs, benchmark::Counter::kAvgIterations);
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

// The whole frame with more morvos, for the count a frame of 16.7 ms holds.
void BM_InGameFrameMorvos(benchmark::State& state)
{
    Run(
        state,
        [](SceneFixture& f) {
            f.Step();
            RenderScene(false);
            GfxComponent::GetInstance()->SwapBuffers();
        },
        static_cast<int>(state.range(0)));
}
BENCHMARK(BM_InGameFrameMorvos)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Arg(3800)
    ->Arg(7600)
    ->Arg(15200)
    ->Arg(19000)
    ->Arg(22800)
    ->Arg(30400)
    ->Arg(60800)
    ->Arg(91200)
    ->Arg(106400)
    ->Arg(121600)
    ->Arg(136800)
    ->Arg(152000);

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
