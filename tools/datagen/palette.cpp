// Shade palette for the low-poly models (see palette.h).
#include "palette.h"

#include <cmath>

#include "datarandom.h"

namespace {

constexpr int kColumnWidth = 16;
constexpr int kRows = 64;
constexpr double kAmbient = 0.42;  // brightness of faces turned away from the sun

struct PaintColours {
    Rgba clean;
    Rgba polluted;
};

// One entry per Paint, in enum order.
const PaintColours kPaints[kPaintCount] = {
    {MakeRgba(0.27, 0.58, 0.20), MakeRgba(0.45, 0.40, 0.27)},  // Leaf
    {MakeRgba(0.13, 0.40, 0.18), MakeRgba(0.32, 0.30, 0.22)},  // LeafDark
    {MakeRgba(0.40, 0.68, 0.22), MakeRgba(0.52, 0.47, 0.30)},  // PalmLeaf
    {MakeRgba(0.45, 0.31, 0.18), MakeRgba(0.30, 0.25, 0.21)},  // Trunk
    {MakeRgba(0.93, 0.92, 0.88), MakeRgba(0.55, 0.54, 0.50)},  // WallWhite
    {MakeRgba(0.88, 0.78, 0.58), MakeRgba(0.52, 0.48, 0.40)},  // WallSand
    {MakeRgba(0.82, 0.55, 0.40), MakeRgba(0.46, 0.38, 0.33)},  // WallClay
    {MakeRgba(0.72, 0.25, 0.18), MakeRgba(0.30, 0.22, 0.20)},  // Roof
    {MakeRgba(0.40, 0.44, 0.50), MakeRgba(0.22, 0.22, 0.23)},  // RoofGrey
    {MakeRgba(0.45, 0.70, 0.90), MakeRgba(0.25, 0.30, 0.32)},  // Glass
    {MakeRgba(0.96, 0.76, 0.62), MakeRgba(0.96, 0.76, 0.62)},  // Skin
    {MakeRgba(0.25, 0.55, 0.90), MakeRgba(0.25, 0.55, 0.90)},  // Shirt
    {MakeRgba(0.22, 0.24, 0.36), MakeRgba(0.22, 0.24, 0.36)},  // Trousers
    {MakeRgba(0.90, 0.20, 0.18), MakeRgba(0.90, 0.20, 0.18)},  // Cape
    {MakeRgba(0.36, 0.22, 0.12), MakeRgba(0.36, 0.22, 0.12)},  // Hair
    {MakeRgba(0.55, 0.52, 0.48), MakeRgba(0.36, 0.34, 0.32)},  // Rock
};

const Vec3d kSun = Normalized(V3(0.45, 0.80, 0.38));

}  // namespace

void PaintUv(Paint paint, const Vec3d& n, double* u, double* v)
{
    double light = std::fmax(0.0, Dot(Normalized(n), kSun));
    double shade = Clamp01(0.15 + 0.85 * light);
    *u = (static_cast<int>(paint) * kColumnWidth + kColumnWidth * 0.5) / (kPaintCount * kColumnWidth);
    *v = (0.5 + shade * (kRows - 1)) / kRows;
}

Image MakePalette(bool polluted)
{
    Image img(kPaintCount * kColumnWidth, kRows);
    for (int p = 0; p < kPaintCount; ++p) {
        Rgba base = polluted ? kPaints[p].polluted : kPaints[p].clean;
        for (int y = 0; y < kRows; ++y) {
            double shade = static_cast<double>(y) / (kRows - 1);
            double brightness = kAmbient + (1.05 - kAmbient) * shade;
            for (int x = 0; x < kColumnWidth; ++x) {
                img.At(p * kColumnWidth + x, y) = ScaleRgb(base, brightness);
            }
        }
    }
    return img;
}

void PaintTriangle(ObjModel& m, Paint p, const Vec3d& a, const Vec3d& b, const Vec3d& c)
{
    double u = 0.0;
    double v = 0.0;
    PaintUv(p, Cross(Sub(b, a), Sub(c, a)), &u, &v);
    m.AddFlatTriangle(a, b, c, u, v);
}

void PaintQuad(ObjModel& m, Paint p, const Vec3d& a, const Vec3d& b, const Vec3d& c, const Vec3d& d)
{
    PaintTriangle(m, p, a, b, c);
    PaintTriangle(m, p, a, c, d);
}

void PaintBox(ObjModel& m, Paint walls, Paint top, const Vec3d& lo, const Vec3d& hi)
{
    Vec3d p000 = V3(lo.x, lo.y, lo.z), p100 = V3(hi.x, lo.y, lo.z), p010 = V3(lo.x, hi.y, lo.z),
          p110 = V3(hi.x, hi.y, lo.z), p001 = V3(lo.x, lo.y, hi.z), p101 = V3(hi.x, lo.y, hi.z),
          p011 = V3(lo.x, hi.y, hi.z), p111 = V3(hi.x, hi.y, hi.z);
    PaintQuad(m, walls, p001, p101, p111, p011);  // +z
    PaintQuad(m, walls, p100, p000, p010, p110);  // -z
    PaintQuad(m, walls, p101, p100, p110, p111);  // +x
    PaintQuad(m, walls, p000, p001, p011, p010);  // -x
    PaintQuad(m, top, p011, p111, p110, p010);    // +y
}
