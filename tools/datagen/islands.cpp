// The ocean scene: the four islands (each layer clean and polluted: ground,
// trees, waves, beach, shallow-water shelves, city), the small islets of
// the world's own scene nodes, the ocean and the sea floor.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "datacontext.h"
#include "datarandom.h"
#include "image.h"
#include "islandshape.h"
#include "objwriter.h"
#include "palette.h"

namespace {

constexpr int kRingSteps = 120;          // samples around an island for its rings
constexpr double kOceanExtent = 2600.0;  // beyond the world's 1752 and the fog
constexpr double kOceanTile = 160.0;     // world units per repeat of the water texture
constexpr double kSeaFloorY = -40.0;
constexpr int kFoamFrames = 8;  // foam_2_0 .. foam_2_7: two seconds a cycle

const Vec3d kUp = V3(0, 1, 0);
const Vec3d kSun = Normalized(V3(0.45, 0.80, 0.38));

// The four islands of the world, then the islets of the world's scene nodes.
std::vector<IslandSpec> WorldIslands()
{
    std::vector<IslandSpec> v(4);
    v[0].file = "volcano";
    v[0].cx = -450;
    v[0].cz = -420;
    v[0].radius = 240;
    v[0].height = 125;
    v[0].volcano = true;
    v[0].hasCity = true;
    v[0].cityX = -450 + 170;
    v[0].cityZ = -420 + 130;
    v[0].cityRadius = 50;
    v[0].cityHeight = 10;
    v[0].seed = 11;
    v[0].textureSize = 512;
    v[0].cells = 64;
    v[1].file = "big";
    v[1].cx = 560;
    v[1].cz = 260;
    v[1].radius = 300;
    v[1].height = 58;
    v[1].hasCity = true;
    v[1].cityX = 560 + 150;
    v[1].cityZ = 260 + 120;
    v[1].cityRadius = 85;
    v[1].cityHeight = 10;
    v[1].seed = 12;
    v[1].textureSize = 512;
    v[1].cells = 64;
    v[2].file = "medium";
    v[2].cx = -620;
    v[2].cz = 620;
    v[2].radius = 190;
    v[2].height = 38;
    v[2].hasCity = true;
    v[2].cityX = -620 + 90;
    v[2].cityZ = 620 - 60;
    v[2].cityRadius = 55;
    v[2].cityHeight = 8;
    v[2].seed = 13;
    v[2].textureSize = 256;
    v[2].cells = 48;
    v[3].file = "small";
    v[3].cx = 760;
    v[3].cz = -640;
    v[3].radius = 120;
    v[3].height = 24;
    v[3].hasCity = true;
    v[3].cityX = 760 + 50;
    v[3].cityZ = -640 + 30;
    v[3].cityRadius = 36;
    v[3].cityHeight = 6;
    v[3].seed = 14;
    v[3].textureSize = 256;
    v[3].cells = 40;
    return v;
}

std::vector<IslandSpec> Islets()
{
    struct Place {
        double x, z, r, h;
    };
    static constexpr Place kPlaces[] = {
        {110, 60, 42, 13}, {-1250, -60, 70, 22}, {1250, 1000, 60, 18}, {-200, 1250, 55, 16}, {150, -1220, 50, 15},
    };
    std::vector<IslandSpec> v;
    int i = 0;
    for (const Place& p : kPlaces) {
        IslandSpec s;
        s.file = "islet" + std::to_string(++i);
        s.cx = p.x;
        s.cz = p.z;
        s.radius = p.r;
        s.height = p.h;
        s.seed = 40 + i;
        s.textureSize = 128;
        s.cells = 24;
        v.push_back(s);
    }
    return v;
}

// Adds a triangle, turned so that its face points along `facing`.
void AddFacing(ObjModel& m, const ObjCorner& a, const ObjCorner& b, const ObjCorner& c, const Vec3d& facing)
{
    Vec3d n = Cross(Sub(b.position, a.position), Sub(c.position, a.position));
    if (Dot(n, facing) >= 0.0) {
        m.AddTriangle(a, b, c);
    } else {
        m.AddTriangle(a, c, b);
    }
}

// ---- ground ----

Rgba GroundColour(const IslandShape& s, double x, double z, double h, const Vec3d& n, bool polluted,
                  const Noise2D& grain)
{
    const IslandSpec& sp = s.Spec();
    double g = grain.Fbm(x / 9.0, z / 9.0, 3);
    double patch = grain.Fbm(x / 60.0 + 17.0, z / 60.0, 3);
    Rgba sand = polluted ? MakeRgba(0.56, 0.52, 0.44) : MakeRgba(0.88, 0.82, 0.62);
    Rgba wet = polluted ? MakeRgba(0.36, 0.34, 0.28) : MakeRgba(0.72, 0.66, 0.48);
    Rgba deep = polluted ? MakeRgba(0.20, 0.22, 0.16) : MakeRgba(0.14, 0.36, 0.40);
    Rgba grass = polluted ? MixRgba(MakeRgba(0.40, 0.36, 0.27), MakeRgba(0.27, 0.25, 0.21), Clamp01(0.5 + patch))
                          : MixRgba(MakeRgba(0.36, 0.62, 0.24), MakeRgba(0.18, 0.45, 0.17), Clamp01(0.5 + patch));
    Rgba rock = polluted ? MakeRgba(0.33, 0.31, 0.30) : MakeRgba(0.52, 0.49, 0.44);
    Rgba c;
    if (h < -0.5) {
        c = MixRgba(wet, deep, SmoothStep(0.0, 26.0, -h));
    } else if (h < 2.5) {
        c = MixRgba(wet, sand, SmoothStep(-0.5, 1.0, h));
    } else {
        c = MixRgba(sand, grass, SmoothStep(1.8, 4.2, h));
        double steep = SmoothStep(0.82, 0.62, n.y);
        double high = sp.volcano ? SmoothStep(sp.height * 0.45, sp.height * 0.7, h) : 0.0;
        c = MixRgba(c, rock, Clamp01(steep + high));
    }
    if (sp.volcano) {
        double r = std::hypot(x - sp.cx, z - sp.cz) / sp.radius;
        double crater = 1.0 - SmoothStep(0.09, 0.13, r);
        Rgba inner = polluted ? MakeRgba(0.95, 0.38, 0.10) : MakeRgba(0.20, 0.52, 0.62);
        c = MixRgba(c, inner, crater);
        if (polluted) {
            // Lava runs down the flanks of the polluted volcano.
            double ang = std::atan2(z - sp.cz, x - sp.cx);
            double run = std::pow(std::fabs(std::sin(ang * 3.0 + 0.6)), 40.0) * (1.0 - SmoothStep(0.2, 0.55, r));
            c = MixRgba(c, MakeRgba(0.85, 0.30, 0.08), Clamp01(run * 1.5));
        }
    }
    double city = s.CityWeight(x, z);
    if (city > 0.0) {
        Rgba paving = polluted ? MakeRgba(0.40, 0.39, 0.37) : MakeRgba(0.72, 0.70, 0.64);
        double gx = std::fmod(std::fabs(x - sp.cityX) + 11.0, 22.0);
        double gz = std::fmod(std::fabs(z - sp.cityZ) + 11.0, 22.0);
        if (gx < 3.0 || gz < 3.0) {
            paving = ScaleRgb(paving, 0.7);
        }
        c = MixRgba(c, paving, SmoothStep(0.3, 0.8, city));
    }
    if (polluted && h > -6.0 && h < 1.5) {
        // Oil stains along the polluted shore.
        double oil = SmoothStep(0.25, 0.45, grain.Fbm(x / 25.0 + 40.0, z / 25.0, 3));
        c = MixRgba(c, MakeRgba(0.10, 0.09, 0.08), oil * 0.75);
    }
    double light = std::fmax(0.0, Dot(n, kSun));
    double shade = 0.55 + 0.6 * light;
    c = ScaleRgb(c, shade * (0.94 + 0.08 * g));
    c.a = 1.0f;
    return c;
}

Image BakeGround(const IslandShape& s, bool polluted)
{
    const IslandSpec& sp = s.Spec();
    int n = sp.textureSize;
    double e = s.Extent();
    Noise2D grain(sp.seed * 7 + 5);
    std::vector<double> heights(static_cast<size_t>(n + 2) * (n + 2));
    double step = 2.0 * e / n;
    auto wx = [&](int i) { return sp.cx - e + (i - 0.5) * step; };
    auto wz = [&](int j) { return sp.cz - e + (j - 0.5) * step; };
    for (int j = 0; j < n + 2; ++j) {
        for (int i = 0; i < n + 2; ++i) {
            heights[static_cast<size_t>(j) * (n + 2) + i] = s.Height(wx(i), wz(j));
        }
    }
    auto H = [&](int i, int j) { return heights[static_cast<size_t>(j) * (n + 2) + i]; };
    Image img(n, n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            double h = H(i + 1, j + 1);
            Vec3d normal =
                Normalized(V3(-(H(i + 2, j + 1) - H(i, j + 1)), 2.0 * step, -(H(i + 1, j + 2) - H(i + 1, j))));
            img.At(i, j) = GroundColour(s, wx(i + 1), wz(j + 1), h, normal, polluted, grain);
        }
    }
    return img;
}

// The ground mesh, uv mapped from above onto the baked picture; deep cells
// are left out (the sea floor is there).
void AddGround(ObjModel& m, const IslandShape& s)
{
    const IslandSpec& sp = s.Spec();
    int n = sp.cells;
    double e = s.Extent();
    double step = 2.0 * e / n;
    auto corner = [&](int i, int j) {
        double x = sp.cx - e + i * step;
        double z = sp.cz - e + j * step;
        double h = s.Height(x, z);
        return ObjCorner{V3(x, h, z), static_cast<double>(i) / n, static_cast<double>(j) / n, s.Normal(x, z)};
    };
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            ObjCorner a = corner(i, j), b = corner(i + 1, j), c = corner(i + 1, j + 1), d = corner(i, j + 1);
            double top = std::fmax(std::fmax(a.position.y, b.position.y), std::fmax(c.position.y, d.position.y));
            if (top < -30.0) {
                continue;
            }
            AddFacing(m, a, b, c, kUp);
            AddFacing(m, a, c, d, kUp);
        }
    }
}

// ---- city ----

void AddCity(ObjModel& m, const IslandShape& s)
{
    const IslandSpec& sp = s.Spec();
    DataRandom rng(sp.seed * 13 + 7);
    constexpr double kBlock = 22.0;
    int span = static_cast<int>(sp.cityRadius / kBlock) + 1;
    static constexpr Paint kWalls[] = {Paint::WallWhite, Paint::WallSand, Paint::WallClay, Paint::WallWhite};
    for (int bz = -span; bz <= span; ++bz) {
        for (int bx = -span; bx <= span; ++bx) {
            for (int k = 0; k < 4; ++k) {
                double ox = sp.cityX + bx * kBlock + (k % 2 == 0 ? -5.0 : 5.0);
                double oz = sp.cityZ + bz * kBlock + (k / 2 == 0 ? -5.0 : 5.0);
                double d = std::hypot(ox - sp.cityX, oz - sp.cityZ);
                if (d > sp.cityRadius * 0.85 || rng.Unit() < 0.15) {
                    continue;
                }
                double centre = 1.0 - d / sp.cityRadius;
                double w = rng.Range(3.0, 4.2);
                double dd = rng.Range(3.0, 4.2);
                double tall = rng.Range(5.0, 9.0) + centre * centre * rng.Range(4.0, 34.0);
                double base = sp.cityHeight - 1.0;
                bool tower = tall > 24.0;
                Paint wall = tower ? Paint::Glass : kWalls[rng.Int(0, 3)];
                Paint roof = tower ? Paint::RoofGrey : (rng.Unit() < 0.6 ? Paint::Roof : Paint::RoofGrey);
                Vec3d lo = V3(ox - w, base, oz - dd);
                Vec3d hi = V3(ox + w, base + tall + 1.0, oz + dd);
                if (!tower && rng.Unit() < 0.5) {
                    // Pitched roof over a low house.
                    PaintBox(m, wall, wall, lo, hi);
                    double ridge = hi.y + rng.Range(2.0, 3.5);
                    Vec3d r0 = V3(lo.x, ridge, oz), r1 = V3(hi.x, ridge, oz);
                    PaintQuad(m, roof, V3(lo.x, hi.y, hi.z), V3(hi.x, hi.y, hi.z), r1, r0);
                    PaintQuad(m, roof, V3(hi.x, hi.y, lo.z), V3(lo.x, hi.y, lo.z), r0, r1);
                    PaintTriangle(m, wall, V3(hi.x, hi.y, hi.z), V3(hi.x, hi.y, lo.z), r1);
                    PaintTriangle(m, wall, V3(lo.x, hi.y, lo.z), V3(lo.x, hi.y, hi.z), r0);
                } else {
                    PaintBox(m, wall, roof, lo, hi);
                    if (tower) {
                        PaintBox(m, Paint::RoofGrey, Paint::RoofGrey, V3(ox - 1.0, hi.y, oz - 1.0),
                                 V3(ox + 1.0, hi.y + 4.0, oz + 1.0));
                    }
                }
            }
        }
    }
}

// ---- trees ----

void AddTree(ObjModel& m, DataRandom& rng, const Vec3d& foot, double h, int kind)
{
    double trunkW = 0.45 + h * 0.03;
    double trunkH = kind == 2 ? h : h * (kind == 1 ? 0.3 : 0.45);
    double lean = kind == 2 ? rng.Range(-0.25, 0.25) : 0.0;
    Vec3d top = V3(foot.x + lean * trunkH * 0.4, foot.y + trunkH, foot.z + lean * trunkH * 0.2);
    // Four-sided trunk.
    Vec3d b[4], t[4];
    for (int i = 0; i < 4; ++i) {
        double a = i * kPi * 0.5 + 0.3;
        b[i] = V3(foot.x + std::cos(a) * trunkW, foot.y - 1.0, foot.z + std::sin(a) * trunkW);
        t[i] = V3(top.x + std::cos(a) * trunkW * 0.7, top.y, top.z + std::sin(a) * trunkW * 0.7);
    }
    for (int i = 0; i < 4; ++i) {
        int k = (i + 1) % 4;
        PaintQuad(m, Paint::Trunk, b[k], b[i], t[i], t[k]);
    }
    constexpr int kSides = 6;
    double spin = rng.Range(0.0, kPi);
    if (kind == 2) {
        // Palm: drooping fronds, both sides drawn.
        for (int i = 0; i < 5; ++i) {
            double a = spin + i * 2.0 * kPi / 5.0;
            double len = h * 0.55;
            Vec3d dir = V3(std::cos(a), 0.0, std::sin(a));
            Vec3d side = V3(-dir.z * len * 0.18, 0.0, dir.x * len * 0.18);
            Vec3d mid = Add(top, V3(dir.x * len * 0.5, len * 0.12, dir.z * len * 0.5));
            Vec3d tip = Add(top, V3(dir.x * len, -len * 0.3, dir.z * len));
            Vec3d l = Add(mid, side), r = Sub(mid, side);
            PaintTriangle(m, Paint::PalmLeaf, top, r, l);
            PaintTriangle(m, Paint::PalmLeaf, top, l, r);
            PaintTriangle(m, Paint::PalmLeaf, l, r, tip);
            PaintTriangle(m, Paint::PalmLeaf, r, l, tip);
        }
        return;
    }
    Paint leaf = rng.Unit() < 0.5 ? Paint::Leaf : Paint::LeafDark;
    auto cone = [&](double y0, double y1, double radius, Paint p) {
        Vec3d apex = V3(top.x, y1, top.z);
        Vec3d ring[kSides];
        for (int i = 0; i < kSides; ++i) {
            double a = spin + i * 2.0 * kPi / kSides;
            ring[i] = V3(top.x + std::cos(a) * radius, y0, top.z + std::sin(a) * radius);
        }
        for (int i = 0; i < kSides; ++i) {
            int k = (i + 1) % kSides;
            PaintTriangle(m, p, ring[k], ring[i], apex);
            PaintTriangle(m, p, ring[i], ring[k], V3(top.x, y0 - radius * 0.15, top.z));
        }
    };
    if (kind == 1) {
        // Conifer: two stacked cones.
        cone(top.y - 0.5, top.y + h * 0.45, h * 0.26, Paint::LeafDark);
        cone(top.y + h * 0.3, top.y + h * 0.75, h * 0.18, Paint::LeafDark);
    } else {
        // Broadleaf: a faceted crown (two cones back to back).
        double r = h * rng.Range(0.28, 0.36);
        double mid = top.y + r * 0.7;
        Vec3d up = V3(top.x, mid + r * 0.95, top.z);
        Vec3d down = V3(top.x, mid - r * 0.8, top.z);
        Vec3d ring[kSides];
        for (int i = 0; i < kSides; ++i) {
            double a = spin + i * 2.0 * kPi / kSides;
            double rr = r * (0.85 + 0.3 * rng.Unit());
            ring[i] = V3(top.x + std::cos(a) * rr, mid + rng.Range(-0.4, 0.4), top.z + std::sin(a) * rr);
        }
        for (int i = 0; i < kSides; ++i) {
            int k = (i + 1) % kSides;
            PaintTriangle(m, leaf, ring[k], ring[i], up);
            PaintTriangle(m, leaf, ring[i], ring[k], down);
        }
    }
}

void AddTrees(ObjModel& m, const IslandShape& s, int count)
{
    const IslandSpec& sp = s.Spec();
    DataRandom rng(sp.seed * 17 + 3);
    Noise2D forest(sp.seed * 19 + 1);
    int placed = 0;
    for (int attempt = 0; attempt < count * 40 && placed < count; ++attempt) {
        double a = rng.Range(0.0, 2.0 * kPi);
        double r = std::sqrt(rng.Unit()) * sp.radius * 1.1;
        double x = sp.cx + std::cos(a) * r;
        double z = sp.cz + std::sin(a) * r;
        double h = s.Height(x, z);
        if (h < 2.5 || s.IsCraterOrCity(x, z) || s.Normal(x, z).y < 0.8) {
            continue;
        }
        if (sp.volcano && h > sp.height * 0.55) {
            continue;
        }
        if (forest.Fbm(x / 70.0, z / 70.0, 3) < -0.15 && h > 7.0) {
            continue;
        }
        int kind = h < 6.0 ? 2 : (h > sp.height * 0.45 || rng.Unit() < 0.25 ? 1 : 0);
        AddTree(m, rng, V3(x, h, z), rng.Range(9.0, 15.0), kind);
        ++placed;
    }
}

// ---- rings: beach, waves and the shallow-water shelves ----

struct RingSpec {
    double innerLevel;   // terrain height where the ring starts...
    double innerOffset;  // ...moved outward by this much
    double outerLevel;
    double outerOffset;
    double y;           // height of a flat ring
    bool followGround;  // or lift the ring above the ground instead
    double lift;
    double tile;  // world units per texture repeat along the ring
};

void AddRing(ObjModel& m, const IslandShape& s, const RingSpec& r)
{
    const IslandSpec& sp = s.Spec();
    std::vector<Vec3d> inner(kRingSteps + 1), outer(kRingSteps + 1);
    double length = 0.0;
    for (int i = 0; i <= kRingSteps; ++i) {
        double a = 2.0 * kPi * (i % kRingSteps) / kRingSteps;
        double rin = s.ContourRadius(a, r.innerLevel) + r.innerOffset;
        double rout = std::fmax(s.ContourRadius(a, r.outerLevel) + r.outerOffset, rin + 2.0);
        double c = std::cos(a), sn = std::sin(a);
        inner[i] = V3(sp.cx + c * rin, r.y, sp.cz + sn * rin);
        outer[i] = V3(sp.cx + c * rout, r.y, sp.cz + sn * rout);
        if (r.followGround) {
            inner[i].y = s.Height(inner[i].x, inner[i].z) + r.lift;
            outer[i].y = s.Height(outer[i].x, outer[i].z) + r.lift;
        }
        if (i > 0) {
            length += std::hypot(outer[i].x - outer[i - 1].x, outer[i].z - outer[i - 1].z);
        }
    }
    double repeats = std::fmax(1.0, std::round(length / r.tile));
    for (int i = 0; i < kRingSteps; ++i) {
        double u0 = repeats * i / kRingSteps;
        double u1 = repeats * (i + 1) / kRingSteps;
        ObjCorner a{inner[i], u0, 0.0, kUp}, b{outer[i], u0, 1.0, kUp};
        ObjCorner c{outer[i + 1], u1, 1.0, kUp}, d{inner[i + 1], u1, 0.0, kUp};
        AddFacing(m, a, b, c, kUp);
        AddFacing(m, a, c, d, kUp);
    }
}

const RingSpec kBeachRing = {3.5, 0.0, -1.0, 0.0, 0.0, true, 0.4, 40.0};
const RingSpec kWaveRing = {0.0, -2.0, -2.5, 7.0, 0.9, false, 0.0, 60.0};
const RingSpec kShallow4Ring = {1.0, 0.0, -9.0, 18.0, -2.5, false, 0.0, 80.0};
const RingSpec kShallow5Ring = {-2.0, 0.0, -22.0, 34.0, -6.5, false, 0.0, 120.0};

// ---- textures of the layers ----

// Texture across a ring: v = 0 at the inner edge, 1 at the outer edge.
Image RingTexture(int w, int h, uint64_t seed, const std::function<Rgba(double u, double v, double n)>& colour)
{
    Noise2D noise(seed, 8, 2);
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5) / w;
            double v = (y + 0.5) / h;
            img.At(x, y) = colour(u, v, noise.Fbm(u * 8.0, v * 2.0, 3));
        }
    }
    return img;
}

// A shallow-water ring: one colour with a little noise, opaque by `opacity`
// at the shore and fading out from `fadeStart` across the ring.
Image ShallowRing(int seed, const Rgba& colour, double opacity, double fadeStart)
{
    return RingTexture(128, 64, seed, [&](double, double v, double n) {
        Rgba c = ScaleRgb(colour, 0.95 + 0.08 * n);
        c.a = static_cast<float>(opacity * (1.0 - SmoothStep(fadeStart, 1.0, v)));
        return c;
    });
}

void WriteLayerTextures(DataContext& ctx)
{
    const std::string& dir = ctx.Dirs().skins;
    for (int bad = 0; bad < 2; ++bad) {
        std::string suffix = bad ? "bad" : "";
        ctx.Check(MakePalette(bad != 0).WriteTga(dir + "/palette" + suffix + ".tga", false), "palette");
        Image sand = RingTexture(256, 64, 500 + bad, [&](double, double v, double n) {
            Rgba dry = bad ? MakeRgba(0.55, 0.51, 0.44) : MakeRgba(0.93, 0.87, 0.67);
            Rgba wet = bad ? MakeRgba(0.25, 0.23, 0.20) : MakeRgba(0.74, 0.66, 0.47);
            Rgba c = MixRgba(dry, wet, SmoothStep(0.45, 0.9, v + 0.1 * n));
            c = ScaleRgb(c, 0.95 + 0.1 * n);
            if (bad && n > 0.35) {
                c = MixRgba(c, MakeRgba(0.08, 0.08, 0.07), 0.7);  // oil and litter
            }
            c.a = static_cast<float>(SmoothStep(0.0, 0.35, v) * (1.0 - SmoothStep(0.9, 1.0, v)));
            return c;
        });
        ctx.Check(sand.WriteTga(dir + "/sand" + suffix + ".tga", true), "sand");
        Image shallow4 =
            ShallowRing(510 + bad, bad ? MakeRgba(0.42, 0.40, 0.22) : MakeRgba(0.38, 0.86, 0.80), 0.55, 0.25);
        ctx.Check(shallow4.WriteTga(dir + "/shallowinner" + suffix + ".tga", true), "shallow inner");
        Image shallow5 =
            ShallowRing(520 + bad, bad ? MakeRgba(0.30, 0.32, 0.18) : MakeRgba(0.24, 0.68, 0.70), 0.5, 0.2);
        ctx.Check(shallow5.WriteTga(dir + "/shallowouter" + suffix + ".tga", true), "shallow outer");
        for (int f = 0; f < kFoamFrames; ++f) {
            double phase = 2.0 * kPi * f / kFoamFrames;
            Image foam = RingTexture(128, 32, 530 + bad, [&](double u, double v, double n) {
                double surge = 0.25 + 0.15 * std::sin(phase + u * 2.0 * kPi);
                double line = std::exp(-std::pow((v - surge) / 0.07, 2.0)) * (0.6 + 0.4 * n);
                double wash = (1.0 - SmoothStep(0.0, surge, v)) * 0.35;
                double a = Clamp01(line + wash) * (1.0 - SmoothStep(0.7, 1.0, v));
                Rgba c = bad ? MakeRgba(0.55, 0.48, 0.33) : MakeRgba(0.96, 0.99, 1.0);
                c.a = static_cast<float>(a * (bad ? 0.8 : 0.85));
                return c;
            });
            std::string name = std::string(bad ? "scum" : "foam") + "_2_" + std::to_string(f) + ".tga";
            ctx.Check(foam.WriteTga(dir + "/" + name, true), name);
        }
    }
    // Open water and the sea floor tile; kept soft because there are no mipmaps.
    Noise2D waves(540, 8, 8);
    Noise2D ripples(541, 16, 16);
    Image water(256, 256);
    Image seabed(256, 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            double u = x / 256.0, v = y / 256.0;
            double n = waves.Fbm(u * 8.0, v * 8.0, 2) * 0.7 + ripples.At(u * 16.0, v * 16.0) * 0.3;
            water.At(x, y) = MakeRgba(0.10 + 0.05 * n, 0.34 + 0.06 * n, 0.52 + 0.06 * n, 0.62 + 0.06 * n);
            double s = waves.Fbm(u * 8.0 + 3.0, v * 8.0, 2);
            seabed.At(x, y) = MakeRgba(0.18 + 0.05 * s, 0.30 + 0.05 * s, 0.32 + 0.04 * s);
        }
    }
    ctx.Check(water.WriteTga(dir + "/water.tga", true), "water");
    ctx.Check(seabed.WriteTga(dir + "/seabed.tga", false), "seabed");
}

ObjMaterial Mat(const std::string& name, const std::string& texture)
{
    return ObjMaterial{name, "skins/" + texture};
}

ObjMaterial PaletteMat(bool bad)
{
    return bad ? Mat("palettebad", "palettebad.tga") : Mat("palette", "palette.tga");
}

// Writes one model and registers it under an asset name.
void WriteModel(DataContext& ctx, const std::string& asset, const std::string& file, const ObjModel& m)
{
    ctx.Check(m.Write(ctx.Dirs().models, file), file + ".obj");
    ctx.AddAsset(asset, "models/" + file + ".obj");
}

// Writes a clean and a polluted model built by the same function.
void WritePair(DataContext& ctx, const std::string& cleanAsset, const std::string& badAsset, const std::string& file,
               const std::function<void(ObjModel&, bool)>& build)
{
    for (int bad = 0; bad < 2; ++bad) {
        ObjModel m;
        build(m, bad != 0);
        if (bad) {
            WriteModel(ctx, badAsset, file + "bad", m);
        } else {
            WriteModel(ctx, cleanAsset, file, m);
        }
    }
}

void RingModel(ObjModel& m, const std::vector<IslandShape>& shapes, const RingSpec& ring, const ObjMaterial& mat,
               const std::string& group)
{
    for (const IslandShape& s : shapes) {
        m.BeginGroup(group + s.Spec().file, mat);
        AddRing(m, s, ring);
    }
}

std::string FoamFrame(bool bad)
{
    return std::string(bad ? "scum" : "foam") + "_2_0.tga";
}

// Asset names of one island's layers, in the island's slot order.
struct IslandAssets {
    const char* ground;
    const char* tree;
    const char* wave;
    const char* beach;
    const char* shallow4;
    const char* shallow5;  // null when the island has no such layer
    const char* city;
    const char* bad;  // suffix of the polluted names: "Bad" or "bad"
};

constexpr IslandAssets kIslandAssets[4] = {
    {"IslandVolcano", "TreeVolcano", "WaveVolcano", "BeachVolcano", "ShallowWater4Volcano", "ShallowWater5Volcano",
     "CityVolcano", "Bad"},
    {"Island3big", "Tree3big", "Wave3big", "Beach3big", "ShallowWater43big", "ShallowWater53big", "City3big", "bad"},
    {"Island3medium", "Tree3medium", "Wave3medium", "Beach3medium", "ShallowWater43medium", nullptr, "City3medium",
     "bad"},
    {"Island3small", "Tree3small", "Wave3small", "Beach3small", "ShallowWater43small", nullptr, "City3small", "bad"},
};

constexpr int kTreeCounts[4] = {150, 230, 110, 60};

void WriteIsland(DataContext& ctx, const IslandShape& shape, const IslandAssets& names, int treeCount)
{
    const IslandSpec& sp = shape.Spec();
    const std::string f = sp.file;
    auto bad = [&](const char* n) { return std::string(n) + names.bad; };
    for (int b = 0; b < 2; ++b) {
        std::string suffix = b ? "bad" : "";
        ctx.Check(BakeGround(shape, b != 0).WriteTga(ctx.Dirs().skins + "/" + f + "ground" + suffix + ".tga", false),
                  f + " ground");
    }
    // The volcano's city is a layer of its own; the other islands carry
    // their city in the ground model (their city nodes are loaded, not drawn).
    const bool cityInGround = !sp.volcano;
    WritePair(ctx, names.ground, bad(names.ground), f + "island", [&](ObjModel& m, bool b) {
        m.BeginGroup(f + "ground", Mat(f + "ground" + (b ? "bad" : ""), f + "ground" + (b ? "bad" : "") + ".tga"));
        AddGround(m, shape);
        if (cityInGround) {
            m.BeginGroup(f + "city", PaletteMat(b));
            AddCity(m, shape);
        }
    });
    WritePair(ctx, names.tree, bad(names.tree), f + "trees", [&](ObjModel& m, bool b) {
        m.BeginGroup(f + "trees", PaletteMat(b));
        AddTrees(m, shape, treeCount);
    });
    std::vector<IslandShape> one{shape};
    WritePair(ctx, names.wave, bad(names.wave), f + "waves", [&](ObjModel& m, bool b) {
        RingModel(m, one, kWaveRing, Mat(b ? "scum" : "foam", FoamFrame(b)), "waves");
    });
    WritePair(ctx, names.beach, bad(names.beach), f + "beach", [&](ObjModel& m, bool b) {
        RingModel(m, one, kBeachRing, Mat(b ? "sandbad" : "sand", b ? "sandbad.tga" : "sand.tga"), "beach");
    });
    WritePair(ctx, names.shallow4, bad(names.shallow4), f + "shallowinner", [&](ObjModel& m, bool b) {
        RingModel(m, one, kShallow4Ring,
                  Mat(b ? "shallowinnerbad" : "shallowinner", b ? "shallowinnerbad.tga" : "shallowinner.tga"),
                  "shallow");
    });
    if (names.shallow5 != nullptr) {
        WritePair(ctx, names.shallow5, bad(names.shallow5), f + "shallowouter", [&](ObjModel& m, bool b) {
            RingModel(m, one, kShallow5Ring,
                      Mat(b ? "shallowouterbad" : "shallowouter", b ? "shallowouterbad.tga" : "shallowouter.tga"),
                      "shelf");
        });
    }
    WritePair(ctx, names.city, bad(names.city), f + "city", [&](ObjModel& m, bool b) {
        m.BeginGroup(f + "city", PaletteMat(b));
        AddCity(m, shape);
    });
}

// The world's own scene nodes: islets (always clean), the ocean, the sea floor.
void WriteWorldNodes(DataContext& ctx)
{
    std::vector<IslandShape> islets;
    for (const IslandSpec& s : Islets()) {
        islets.emplace_back(s);
    }
    ObjModel ground;
    for (const IslandShape& s : islets) {
        const std::string f = s.Spec().file;
        ctx.Check(BakeGround(s, false).WriteTga(ctx.Dirs().skins + "/" + f + "ground.tga", false), f);
        ground.BeginGroup(f, Mat(f + "ground", f + "ground.tga"));
        AddGround(ground, s);
    }
    WriteModel(ctx, "Islands", "islets", ground);
    ObjModel trees;
    for (const IslandShape& s : islets) {
        trees.BeginGroup("trees" + s.Spec().file, PaletteMat(false));
        AddTrees(trees, s, static_cast<int>(s.Spec().radius * 0.35));
    }
    WriteModel(ctx, "Trees", "islettrees", trees);
    ObjModel waves, beach, shallow4, shallow5;
    RingModel(waves, islets, kWaveRing, Mat("foam", FoamFrame(false)), "waves");
    RingModel(beach, islets, kBeachRing, Mat("sand", "sand.tga"), "beach");
    RingModel(shallow4, islets, kShallow4Ring, Mat("shallowinner", "shallowinner.tga"), "shallow");
    RingModel(shallow5, islets, kShallow5Ring, Mat("shallowouter", "shallowouter.tga"), "shelf");
    WriteModel(ctx, "Waves", "isletwaves", waves);
    WriteModel(ctx, "Beach", "isletbeach", beach);
    WriteModel(ctx, "ShallowWater4", "isletshallowinner", shallow4);
    WriteModel(ctx, "ShallowWater5", "isletshallowouter", shallow5);

    auto plane = [](ObjModel& m, double y, double tile) {
        constexpr int kTiles = 16;
        double step = 2.0 * kOceanExtent / kTiles;
        for (int j = 0; j < kTiles; ++j) {
            for (int i = 0; i < kTiles; ++i) {
                double x0 = -kOceanExtent + i * step, z0 = -kOceanExtent + j * step;
                auto c = [&](double x, double z) { return ObjCorner{V3(x, y, z), x / tile, z / tile, kUp}; };
                ObjCorner a = c(x0, z0), b = c(x0 + step, z0), cc = c(x0 + step, z0 + step), d = c(x0, z0 + step);
                AddFacing(m, a, b, cc, kUp);
                AddFacing(m, a, cc, d, kUp);
            }
        }
    };
    ObjModel ocean;
    ocean.BeginGroup("ocean", Mat("water", "water.tga"));
    plane(ocean, 0.0, kOceanTile);
    WriteModel(ctx, "Ocean", "ocean", ocean);
    ObjModel floor;
    floor.BeginGroup("seafloor", Mat("seabed", "seabed.tga"));
    plane(floor, kSeaFloorY, 220.0);
    WriteModel(ctx, "OceanBottom", "seafloor", floor);
}

}  // namespace

void GenerateIslands(DataContext& ctx)
{
    WriteLayerTextures(ctx);
    WriteWorldNodes(ctx);
    std::vector<IslandSpec> islands = WorldIslands();
    for (size_t i = 0; i < islands.size(); ++i) {
        WriteIsland(ctx, IslandShape(islands[i]), kIslandAssets[i], kTreeCounts[i]);
    }
}
