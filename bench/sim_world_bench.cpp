// Time per world step of the morvo simulation (store, grid, pair force,
// attractor and rain, stepped as the world steps them), and the time to
// load a level's 10,000 morvos. Run single-threaded.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "attractor.h"
#include "circlequery.h"
#include "morvoljfunc.h"
#include "morvosimulator.h"
#include "morvostore.h"
#include "rainhitcells.h"
#include "rainsystem.h"
#include "random15.h"
#include "uniformgrid.h"

namespace {

constexpr float kBound = 8.7625f;
constexpr int32_t kCells = 116;
// The world keeps seven morvo textures; AddMorvo draws one of them.
constexpr int kMorvoTextureCount = 7;
constexpr int32_t kCapacity = 10000;
constexpr float kWindowSize = 3.0f;
constexpr int32_t kWindowCells = 19;
constexpr float kDt = 1.0f / 60.0f;
// Steps between restarts of a packed scenario (it thins out as morvos die and spread).
constexpr int kStepsPerRun = 30;

// The simulation objects as the level setup leaves them, with the boy's attractor.
struct BenchWorld {
    BenchWorld()
        : store(0, 1, 0),
          simulator(&store, kIntegratorMidpoint, 1.0f),
          grid(1, 1, -1.0f, 1.0f, -1.0f, 1.0f),
          pairForce(0.05f, 0.07f, 15.0f, 30.0f),
          attractor(1000.0f, 0.0f, 0.05f, 0.5f)
    {
        simulator.SetGrid(&grid);
        grid.SetBounds(Rect(-kBound, kBound, -kBound, kBound));
        store.SetCapacity(kCapacity);
        store.ResetHistory();
        pairForce.SetRainTargets(&grid, &rainHits, &rain);
        simulator.SetGridForce("LJ", &pairForce);
        simulator.SetGridForce("Attractor", &attractor);
        simulator.SetDamping(0.9f);
        grid.Resize(kCells, kCells);
        grid.Rebuild(&store, 0.05f);
        attractor.SetCenter(Vec2(0.0f, 0.0f));
        attractor.SetEnabled(true);
    }

    // As MorvoWorld::AddMorvo.
    int32_t AddMorvo(float x, float y, int32_t color, float power)
    {
        return grid.PlaceMorvo(*store.GetCurrentState(), x, y, color, power, kMorvoTextureCount);
    }

    // As MorvoWorld::ClearMorvos.
    void ClearMorvos()
    {
        MorvoState& state = *store.GetCurrentState();
        for (int32_t i = 0; i < state.GetSize(); ++i) {
            state.Get(i).active = 0;
        }
        grid.ClearCells();
    }

    // As MorvoWorld::Update with integrator 2: attractor sizing, one step, rain.
    void Update(float dt, bool wholeGrid)
    {
        const MorvoState& state = *store.GetCurrentState();
        float size = attractor.GetSize();
        int32_t n = CountColorInCircle(grid, state, boy, size, kMorvoPure);
        attractor.SetAveragePower(AveragePowerInCircle(grid, state, boy, size, kMorvoPure));
        float target = std::sqrt(static_cast<float>(n) * 0.0010825f / 3.1415926535f) * 1.3f + 0.05f;
        attractor.SetSize(size + (target - size) * 0.01f);
        int32_t x0 = 0;
        int32_t x1 = grid.GetWidth();
        int32_t y0 = 0;
        int32_t y1 = grid.GetHeight();
        if (!wholeGrid) {
            x0 = grid.ToCellX(boy.x - kWindowSize / 2) + 1;
            x1 = x0 + kWindowCells;
            y0 = grid.ToCellY(boy.y - kWindowSize / 2) + 1;
            y1 = y0 + kWindowCells;
        }
        simulator.Step(dt, x0, x1, y0, y1);
        rain.Update(dt, dt);
    }

    MorvoStore store;
    MorvoSimulator simulator;
    UniformGrid grid;
    RainSystem rain;
    RainHitCells rainHits;  // kept for the whole level, as the world keeps them
    MorvoLJFunc pairForce;
    Attractor attractor;
    Vec2 boy{0.0f, 0.0f};
};

float RandomIn(float lo, float hi)
{
    return lo + (hi - lo) * static_cast<float>(Rand15()) / 32767.0f;
}

int32_t RandomColor3()
{
    constexpr int32_t kColours[] = {kMorvoPure, kMorvoDark, kMorvoNeutral};
    return kColours[Rand15() % 3];
}

// count morvos of mixed powers, uniformly over [-half, half]^2; colours in
// equal shares, or without dark ones (no rain).
void Populate(BenchWorld& world, int count, float half, float minPower, float maxPower, bool dark = true)
{
    SeedRand15(1234);
    for (int i = 0; i < count; ++i) {
        int32_t colour = RandomColor3();
        if (!dark && colour == kMorvoDark) {
            colour = kMorvoNeutral;
        }
        world.AddMorvo(RandomIn(-half, half), RandomIn(-half, half), colour, RandomIn(minPower, maxPower));
    }
    world.grid.Rebuild(&world.store, 0.05f);
    world.Update(0.0f, true);  // the level setup's whole-grid step
}

// Restores the populated start without timing it.
struct Snapshot {
    explicit Snapshot(BenchWorld& world)
        : state(*world.store.GetCurrentState())
    {}
    void Restore(BenchWorld& world) const
    {
        *world.store.GetCurrentState() = state;
        world.store.ResetHistory();
        world.grid.Rebuild(&world.store, 0.05f);
        world.rainHits.Clear();
    }
    MorvoState state;
};

void RunWindowSteps(benchmark::State& bench, int count, float half, bool dark = true)
{
    BenchWorld world;
    Populate(world, count, half, 0.5f, 10.0f, dark);
    Snapshot start(world);
    int steps = 0;
    int64_t rain = 0;
    for (auto _ : bench) {
        if (steps == kStepsPerRun) {
            bench.PauseTiming();
            start.Restore(world);
            steps = 0;
            bench.ResumeTiming();
        }
        int32_t before = world.pairForce.rainCount;
        world.Update(kDt, false);
        rain += world.pairForce.rainCount - before;
        ++steps;
    }
    bench.counters["rain/step"] = benchmark::Counter(static_cast<double>(rain), benchmark::Counter::kAvgIterations);
    bench.counters["drops"] = world.rain.GetDrops().GetSize();
}

// 1: 10,000 morvos spread over the whole grid, the 19 x 19 window around the boy.
void BM_SpreadWholeGridWindowStep(benchmark::State& bench)
{
    RunWindowSteps(bench, 10000, kBound);
}
BENCHMARK(BM_SpreadWholeGridWindowStep)->Unit(benchmark::kMillisecond);

// Half the edge of the boy's 19-cell window (it spans about 2.87 units).
constexpr float kWindowHalf = 1.43f;

// 2: about 3,800 morvos packed into the window, heavy dark contact.
void BM_PackedWindowStep(benchmark::State& bench)
{
    RunWindowSteps(bench, 3800, kWindowHalf);
}
BENCHMARK(BM_PackedWindowStep)->Unit(benchmark::kMillisecond);

// 3: about 9,400 morvos over-packed into the window.
void BM_OverPackedWindowStep(benchmark::State& bench)
{
    RunWindowSteps(bench, 9400, kWindowHalf);
}
BENCHMARK(BM_OverPackedWindowStep)->Unit(benchmark::kMillisecond);

// 3 without dark morvos: the pair force and integration alone, no rain.
void BM_OverPackedNoDarkWindowStep(benchmark::State& bench)
{
    RunWindowSteps(bench, 9400, kWindowHalf, false);
}
BENCHMARK(BM_OverPackedNoDarkWindowStep)->Unit(benchmark::kMillisecond);

// 4: the level setup's whole-grid step (dt 0) with 10,000 morvos; the
// attractor is registered only later, when play starts.
void BM_LevelSetupWholeGridStep(benchmark::State& bench)
{
    BenchWorld world;
    world.simulator.RemoveGridForce("Attractor");
    Populate(world, 10000, kBound, 0.5f, 10.0f);
    for (auto _ : bench) {
        world.Update(0.0f, true);
    }
}
BENCHMARK(BM_LevelSetupWholeGridStep)->Unit(benchmark::kMillisecond);

// 5: adding 10,000 morvos to an empty store (a level load).
void BM_LevelLoadAdd10000(benchmark::State& bench)
{
    BenchWorld world;
    for (auto _ : bench) {
        bench.PauseTiming();
        world.ClearMorvos();
        SeedRand15(99);
        bench.ResumeTiming();
        for (int i = 0; i < 10000; ++i) {
            world.AddMorvo(RandomIn(-kBound, kBound), RandomIn(-kBound, kBound), RandomColor3(), RandomIn(0.5f, 10.0f));
        }
    }
}
BENCHMARK(BM_LevelLoadAdd10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
