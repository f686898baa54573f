// Reading one generated OBJ file of 180,000 textured, lit triangles: our
// reader (with its draw arrays) against tinyobjloader in the same run, and
// the ratio of their times at the end.
#include "model.h"
#include "objfile.h"

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

constexpr int kCells = 300;  // 300 x 300 quads, two triangles each

// A height field with positions, texture coordinates and normals on every
// corner, written the way modelling tools write them ("%f").
std::string WriteGridFile()
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("morvo-bench-grid-" + std::to_string(getpid()) + ".obj")).string();
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return std::string();
    std::fprintf(file, "# grid\ng grid\n");
    const int side = kCells + 1;
    auto coordinate = [](int i) { return static_cast<double>(i) / kCells * 20.0 - 10.0; };
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
            std::fprintf(file, "v %f %f %f\n", coordinate(i), std::sin(coordinate(i)) * std::cos(coordinate(j)),
                         coordinate(j));
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
            std::fprintf(file, "vt %f %f\n", static_cast<double>(i) / kCells, static_cast<double>(j) / kCells);
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            const double x = -std::cos(coordinate(i)) * std::cos(coordinate(j));
            const double z = std::sin(coordinate(i)) * std::sin(coordinate(j));
            const double length = std::sqrt(x * x + 1.0 + z * z);
            std::fprintf(file, "vn %f %f %f\n", x / length, 1.0 / length, z / length);
        }
    }
    for (int j = 0; j < kCells; ++j) {
        for (int i = 0; i < kCells; ++i) {
            const int a = j * side + i + 1;
            const int b = a + 1;
            const int c = a + side;
            const int d = c + 1;
            std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, c, c, c, b, b, b);
            std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", b, b, b, c, c, c, d, d, d);
        }
    }
    std::fclose(file);
    return path;
}

const std::string& GridFile()
{
    static const std::string path = WriteGridFile();
    return path;
}

void BM_ObjLoaderRead(benchmark::State& state)
{
    for (auto _ : state) {
        Model model;
        ObjLoader reader;
        if (!reader.Read(&model, GridFile().c_str()) || model.GetTriangleCount() != 2 * kCells * kCells)
            state.SkipWithError("our reader did not read the grid");
        benchmark::DoNotOptimize(model.GetMesh(0)->GetVertexArray().data());
    }
}
BENCHMARK(BM_ObjLoaderRead)->Unit(benchmark::kMillisecond);

void BM_TinyObjLoader(benchmark::State& state)
{
    for (auto _ : state) {
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warnings;
        std::string errors;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warnings, &errors, GridFile().c_str()) || shapes.empty() ||
            shapes[0].mesh.indices.size() != 6u * kCells * kCells)
            state.SkipWithError("tinyobjloader did not read the grid");
        benchmark::DoNotOptimize(attrib.vertices.data());
    }
}
BENCHMARK(BM_TinyObjLoader)->Unit(benchmark::kMillisecond);

// The console report, keeping each benchmark's mean time per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions, the mean comes after the single runs and is kept.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (GridFile().empty())
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.times.find("BM_ObjLoaderRead");
    const auto theirs = reporter.times.find("BM_TinyObjLoader");
    if (ours != reporter.times.end() && theirs != reporter.times.end() && theirs->second > 0.0)
        std::printf("ObjLoader::Read / tinyobjloader: %.2fx\n", ours->second / theirs->second);
    std::remove(GridFile().c_str());
    benchmark::Shutdown();
    return 0;
}
