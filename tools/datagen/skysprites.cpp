// The sky box faces, the 3D cursor frames, the morvo glow textures, the
// lightning-bolt frames, TempTexture and the particle sprites.
#include <cmath>
#include <string>

#include "datacontext.h"
#include "datarandom.h"
#include "image.h"

namespace {

constexpr int kSkySize = 512;
constexpr int kCursorFrames = 8;   // CursorBillboard_1_0 .. _1_7: one turn a second
constexpr int kBoltFrames = 25;    // a lightning runs frames 0..24 (24 frames a second)
constexpr int kMorvoTextures = 7;  // MorvoTex1..MorvoTex7

// Matches the in-game fog colour so the far ocean melts into the horizon.
const Rgba kHorizon = MakeRgba(0.667, 0.858, 0.839);
const Rgba kZenith = MakeRgba(0.22, 0.45, 0.80);
const Rgba kSeaHaze = MakeRgba(0.52, 0.72, 0.76);

Rgba SkyAt(double elevation)
{
    if (elevation >= 0.0) {
        double t = std::pow(Clamp01(elevation / (kPi * 0.5)), 0.55);
        return MixRgba(kHorizon, kZenith, t);
    }
    double t = Clamp01(-elevation / (kPi * 0.25));
    return MixRgba(kHorizon, kSeaHaze, std::sqrt(t));
}

void WriteSky(DataContext& ctx)
{
    const std::string& dir = ctx.Dirs().assets3d;
    Noise2D clouds(101, 8, 0);
    Noise2D detail(102, 32, 0);
    Image side(kSkySize, kSkySize);
    for (int y = 0; y < kSkySize; ++y) {
        double t = 2.0 * (y + 0.5) / kSkySize - 1.0;
        for (int x = 0; x < kSkySize; ++x) {
            double s = 2.0 * (x + 0.5) / kSkySize - 1.0;
            double elevation = std::atan(t / std::sqrt(1.0 + s * s));
            Rgba c = SkyAt(elevation);
            if (t > 0.02) {
                // Cloud band: strongest a little above the horizon, gone near the top edge.
                double u = (x + 0.5) / kSkySize * 8.0;
                double band = SmoothStep(0.02, 0.15, t) * (1.0 - SmoothStep(0.45, 0.85, t));
                double n = clouds.Fbm(u, t * 5.0, 4) + 0.35 * detail.At(u * 4.0, t * 20.0);
                double cover = SmoothStep(0.05, 0.6, n) * band;
                Rgba cloud = MixRgba(MakeRgba(0.98, 0.98, 1.0), MakeRgba(0.80, 0.84, 0.90), Clamp01(0.5 - n));
                c = MixRgba(c, cloud, cover * 0.85);
            }
            side.At(x, y) = c;
        }
    }
    ctx.Check(side.WriteTga(dir + "/side.tga", false), "side.tga");

    Image top(kSkySize, kSkySize);
    Image bottom(kSkySize, kSkySize);
    for (int y = 0; y < kSkySize; ++y) {
        for (int x = 0; x < kSkySize; ++x) {
            double s = 2.0 * (x + 0.5) / kSkySize - 1.0;
            double t = 2.0 * (y + 0.5) / kSkySize - 1.0;
            double r = std::sqrt(s * s + t * t);
            top.At(x, y) = SkyAt(std::atan2(1.0, r));
            bottom.At(x, y) = SkyAt(-std::atan2(1.0, r));
        }
    }
    ctx.Check(top.WriteTga(dir + "/top.tga", false), "top.tga");
    ctx.Check(bottom.WriteTga(dir + "/bottom.tga", false), "bottom.tga");
}

// Calls paint(x, y, dx, dy, r) for every pixel of a size x size sprite: dx,
// dy run -1..1 across it from its centre and r is their distance.
template <typename Paint> void ForEachSpritePixel(int size, Paint paint)
{
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = (x + 0.5 - size / 2.0) / (size / 2.0);
            double dy = (y + 0.5 - size / 2.0) / (size / 2.0);
            double r = std::sqrt(dx * dx + dy * dy);
            paint(x, y, dx, dy, r);
        }
    }
}

// The steering cursor and the boy's glow: a soft light with a turning ring.
void WriteCursor(DataContext& ctx)
{
    constexpr int kSize = 64;
    for (int f = 0; f < kCursorFrames; ++f) {
        Image img(kSize, kSize, MakeRgba(1, 1, 1, 0));
        double turn = 2.0 * kPi * f / kCursorFrames / 4.0;  // four arcs: a quarter turn repeats
        ForEachSpritePixel(kSize, [&](int x, int y, double dx, double dy, double r) {
            double glow = std::pow(Clamp01(1.0 - r), 2.0) * 0.55;
            double angle = std::atan2(dy, dx) + turn;
            double arcs = 0.5 + 0.5 * std::cos(angle * 4.0);
            double ring = std::exp(-std::pow((r - 0.72) / 0.07, 2.0)) * (0.35 + 0.65 * SmoothStep(0.3, 0.7, arcs));
            double a = Clamp01(glow + ring);
            img.At(x, y) = MakeRgba(0.85 + 0.15 * ring, 0.95, 1.0, a);
        });
        std::string name = "CursorBillboard_1_" + std::to_string(f) + ".tga";
        ctx.Check(img.WriteTga(ctx.Dirs().assets3d + "/" + name, true), name);
    }
}

// The morvo glows: a small bright body, about the morvo's own size (a third
// of the quad the renderer draws), with a faint halo, so that morvos a
// body apart still read as single lights. Their colour is a middle grey:
// the renderer adds pure morvos onto the scene, so they glow, and lays
// neutral and dark ones over it, so they show grey and darker grey.
void WriteMorvoTextures(DataContext& ctx)
{
    constexpr int kSize = 64;
    constexpr double kBody = 0.30;  // the body's edge, as a share of the quad's half size
    constexpr double kHalo = 0.40;  // where the faint halo ends
    constexpr double kGrey = 0.62;
    for (int k = 0; k < kMorvoTextures; ++k) {
        Noise2D wisps(200 + k, 6, 6);
        double body = kBody * (1.0 + 0.03 * k);
        Image img(kSize, kSize, MakeRgba(kGrey, kGrey, kGrey, 0));
        ForEachSpritePixel(kSize, [&](int x, int y, double dx, double dy, double r) {
            double angle = std::atan2(dy, dx);
            double n = wisps.Fbm(3.0 + std::cos(angle) * 2.0 * r + k, 3.0 + std::sin(angle) * 2.0 * r, 3);
            double core = 1.0 - SmoothStep(body * 0.35, body, r * (1.0 + 0.15 * n));
            double halo = 0.10 * std::pow(Clamp01(1.0 - r / kHalo), 2.0);
            img.At(x, y) = MakeRgba(kGrey, kGrey, kGrey, Clamp01(core + halo));
        });
        std::string file = "morvoglow" + std::to_string(k + 1) + ".tga";
        ctx.Check(img.WriteTga(ctx.Dirs().textures + "/" + file, true), file);
        ctx.AddAsset("MorvoTex" + std::to_string(k + 1), "textures/" + file);
    }
    // TempTexture: a plain soft disc.
    Image temp(64, 64, MakeRgba(1, 1, 1, 0));
    temp.FillCircle(32, 32, 26, MakeRgba(1, 1, 1, 0.8), 6.0);
    ctx.Check(temp.WriteTga(ctx.Dirs().textures + "/tempdisc.tga", true), "tempdisc.tga");
    ctx.AddAsset("TempTexture", "textures/tempdisc.tga");
}

// Lightning frames: a jagged bolt that strikes, flickers and fades.
void WriteBoltFrames(DataContext& ctx)
{
    constexpr int kW = 32;
    constexpr int kH = 128;
    DataRandom rng(300);
    std::vector<double> path(kH + 1);
    for (int f = 0; f < kBoltFrames; ++f) {
        if (f % 3 == 0) {
            double x = kW / 2.0;
            for (int y = kH; y >= 0; --y) {
                if (y % 8 == 0) {
                    x += rng.Range(-5.0, 5.0);
                    x = std::fmax(8.0, std::fmin(kW - 8.0, x));
                }
                path[y] = x;
            }
        }
        double strength = f < 3 ? (f + 1) / 3.0 : (f > 18 ? (kBoltFrames - f) / 7.0 : 0.75 + 0.25 * rng.Unit());
        Image img(kW, kH, MakeRgba(0.8, 0.9, 1.0, 0));
        for (int y = 0; y < kH; ++y) {
            // Smooth the staircase of the path.
            double cx = (path[y] * (8 - y % 8) + path[std::min(kH, y + 8 - y % 8)] * (y % 8)) / 8.0;
            for (int x = 0; x < kW; ++x) {
                double d = std::fabs(x + 0.5 - cx);
                double core = std::exp(-d * d / 1.5);
                double halo = std::exp(-d * d / 30.0) * 0.45;
                double a = Clamp01((core + halo) * strength);
                img.At(x, y) = MakeRgba(0.75 + 0.25 * core, 0.85 + 0.15 * core, 1.0, a);
            }
        }
        std::string file = "bolt_1_" + std::to_string(f) + ".tga";
        ctx.Check(img.WriteTga(ctx.Dirs().textures + "/" + file, true), file);
    }
    ctx.AddAsset("LightningBolt", "textures/bolt_1_0.tga");
}

// Particle sprites used by the levels' particle systems.
void WriteParticles(DataContext& ctx)
{
    constexpr int kSize = 64;
    Noise2D puff(400, 4, 4);
    Image smoke(kSize, kSize, MakeRgba(1, 1, 1, 0));
    Image spark(kSize, kSize, MakeRgba(1, 1, 1, 0));
    Image mist(kSize, kSize, MakeRgba(1, 1, 1, 0));
    ForEachSpritePixel(kSize, [&](int x, int y, double dx, double dy, double r) {
        double n = puff.Fbm(x / 16.0, y / 16.0, 3);
        double a = Clamp01(std::pow(Clamp01(1.0 - r), 1.3) * (0.8 + 0.5 * n));
        smoke.At(x, y) = MakeRgba(0.92 + 0.08 * n, 0.92 + 0.08 * n, 0.92 + 0.08 * n, a);
        double star = std::exp(-r * r * 30.0) + 0.6 * std::exp(-(dx * dx * 400.0 + dy * dy * 4.0)) +
                      0.6 * std::exp(-(dy * dy * 400.0 + dx * dx * 4.0));
        spark.At(x, y) = MakeRgba(1.0, 0.97, 0.85, Clamp01(star));
        mist.At(x, y) = MakeRgba(0.85, 0.95, 1.0, Clamp01(std::pow(Clamp01(1.0 - r), 2.0) * 0.8));
    });
    ctx.Check(smoke.WriteTga(ctx.Dirs().textures + "/smoke.tga", true), "smoke.tga");
    ctx.Check(spark.WriteTga(ctx.Dirs().textures + "/spark.tga", true), "spark.tga");
    ctx.Check(mist.WriteTga(ctx.Dirs().textures + "/mist.tga", true), "mist.tga");
}

}  // namespace

void GenerateSkyAndSprites(DataContext& ctx)
{
    WriteSky(ctx);
    WriteCursor(ctx);
    WriteMorvoTextures(ctx);
    WriteBoltFrames(ctx);
    WriteParticles(ctx);
}
