// Level files of 10,000 morvos: reading one into the world (the game flow's
// level start) and writing it back (the editor's save).
#include "gameflow.h"
#include "morvofiles.h"
#include "morvoworld.h"
#include "random15.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kMorvos = 10000;

std::string LevelPath()
{
    return (std::filesystem::temp_directory_path() / "morvo_bench_level.xml").string();
}

// A headless world set up for a level and holding kMorvos morvos around the boy.
void FillWorld()
{
    MorvoWorld& world = GetMorvoWorld();
    world.Release();
    world.InitHeadless();
    GameFlow::GetInstance()->SetupWorldForLevel();
    SeedRand15(7);
    for (int i = 0; i < kMorvos; ++i) {
        const float x = (Rand15() / 32767.0f - 0.5f) * 3.0f;
        const float y = (Rand15() / 32767.0f - 0.5f) * 3.0f;
        world.AddMorvo(x, y, (i % 3) - 1, 0.1f + (Rand15() % 200) / 10.0f);
    }
}

void BM_LoadLevel(benchmark::State& state)
{
    FillWorld();
    MorvoFiles::SaveLevel(LevelPath());
    for (auto _ : state) {
        benchmark::DoNotOptimize(MorvoFiles::LoadLevel(LevelPath()));
    }
    GetMorvoWorld().CountMorvos();
    state.counters["morvos"] = GetMorvoWorld().GetCensus().total;
    std::remove(LevelPath().c_str());
}
BENCHMARK(BM_LoadLevel)->Unit(benchmark::kMillisecond);

void BM_SaveLevel(benchmark::State& state)
{
    FillWorld();
    for (auto _ : state) {
        benchmark::DoNotOptimize(MorvoFiles::SaveLevel(LevelPath()));
    }
    std::remove(LevelPath().c_str());
}
BENCHMARK(BM_SaveLevel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
