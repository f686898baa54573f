// The boy in his nine poses (idle to fast flight, two cape frames) and the
// three lightning models drawn between a morvo and the sea.
#include <cmath>
#include <string>

#include "datacontext.h"
#include "datarandom.h"
#include "image.h"
#include "objwriter.h"
#include "palette.h"

namespace {

constexpr double kBoyScale = 1.25;  // the figure stands about five world units tall

// One pose: lean of the body and the directions of limbs and cape.
struct BoyPose {
    const char* asset;
    const char* file;
    double leanDeg;     // body tipped forward (toward -z)
    double leftArmDeg;  // arm swing from hanging down toward the front (-z)
    double rightArmDeg;
    double armSpreadDeg;  // arms out to the sides
    double leftLegDeg;    // leg swing toward the front
    double rightLegDeg;
    double capeDeg;   // cape angle in the world, from hanging down toward the back (+z)
    double capeWave;  // ripple of the cape's lower part
};

// The nine model slots of the boy, in slot order.
constexpr BoyPose kPoses[9] = {
    {"MorvoBoyAnim_Idle", "boyidle", 0, 8, 8, 12, 4, -4, 12, 0.0},
    {"MorvoBoyAnim_Slow1", "boyslowa", 14, 25, -15, 10, -12, 10, 24, 0.15},
    {"MorvoBoyAnim_Slow2", "boyslowb", 18, -15, 25, 10, 10, -12, 30, -0.15},
    {"MorvoBoyAnim_Normal", "boynormal", 35, -30, -30, 14, -18, -10, 45, 0.1},
    {"MorvoBoyAnim_Normal1", "boynormala", 45, 150, -40, 10, -22, -14, 55, 0.2},
    {"MorvoBoyAnim_Normal2", "boynormalb", 58, 165, -50, 8, -26, -18, 62, -0.2},
    {"MorvoBoyAnim_Fast", "boyfast", 82, 175, 175, 6, -8, -4, 86, 0.0},
    {"MorvoBoyAnim_Cloth", "boycapea", 82, 175, 175, 6, -8, -4, 90, 0.3},
    {"MorvoBoyAnim_Cloth2", "boycapeb", 82, 175, 175, 6, -8, -4, 82, -0.3},
};

Vec3d Lean(const Vec3d& p, double deg)
{
    double a = deg * kPi / 180.0;
    return V3(p.x, p.y * std::cos(a) + p.z * std::sin(a), -p.y * std::sin(a) + p.z * std::cos(a));
}

// A box with half sizes along three axes around a centre, faces outward.
void OrientedBox(ObjModel& m, Paint paint, const Vec3d& c, const Vec3d& ax, const Vec3d& ay, const Vec3d& az,
                 double lean)
{
    Vec3d p[8];
    for (int i = 0; i < 8; ++i) {
        Vec3d v = c;
        v = Add(v, Mul(ax, (i & 1) ? 1.0 : -1.0));
        v = Add(v, Mul(ay, (i & 2) ? 1.0 : -1.0));
        v = Add(v, Mul(az, (i & 4) ? 1.0 : -1.0));
        p[i] = Mul(Lean(v, lean), kBoyScale);
    }
    Vec3d centre = Mul(Lean(c, lean), kBoyScale);
    static constexpr int kFaces[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                         {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    for (const auto& f : kFaces) {
        Vec3d a = p[f[0]], b = p[f[1]], cc = p[f[2]], d = p[f[3]];
        Vec3d mid = Mul(Add(Add(a, b), Add(cc, d)), 0.25);
        Vec3d n = Cross(Sub(b, a), Sub(cc, a));
        if (Dot(n, Sub(mid, centre)) < 0.0) {
            std::swap(b, d);
        }
        PaintQuad(m, paint, a, b, cc, d);
    }
}

// A limb from a joint along a direction (degrees of swing toward -z from
// straight down, spread toward the side).
void Limb(ObjModel& m, Paint paint, Paint end, const Vec3d& joint, double length, double thick, double swingDeg,
          double spreadDeg, double side, double lean)
{
    double s = swingDeg * kPi / 180.0;
    double t = spreadDeg * kPi / 180.0 * side;
    Vec3d dir = Normalized(V3(std::sin(t), -std::cos(s) * std::cos(t), -std::sin(s) * std::cos(t)));
    Vec3d across = Normalized(Cross(dir, V3(0, 0, 1)));
    if (Dot(across, across) < 0.5) {
        across = V3(1, 0, 0);
    }
    Vec3d depth = Normalized(Cross(across, dir));
    Vec3d centre = Add(joint, Mul(dir, length * 0.5));
    OrientedBox(m, paint, centre, Mul(across, thick), Mul(dir, length * 0.5), Mul(depth, thick), lean);
    Vec3d tip = Add(joint, Mul(dir, length + thick * 0.8));
    OrientedBox(m, end, tip, Mul(across, thick * 1.1), Mul(dir, thick * 0.8), Mul(depth, thick * 1.2), lean);
}

// The cape hangs from the shoulders; its angle is measured in the world,
// from straight down toward the back, so it streams behind a flying boy.
void AddCape(ObjModel& m, const BoyPose& pose)
{
    constexpr int kSegments = 4;
    constexpr double kSegment = 0.62;
    constexpr double kHalfWidth = 0.62;
    Vec3d left = Mul(Lean(V3(-kHalfWidth, 1.05, 0.34), pose.leanDeg), kBoyScale);
    Vec3d right = Mul(Lean(V3(kHalfWidth, 1.05, 0.34), pose.leanDeg), kBoyScale);
    double angle = pose.capeDeg * kPi / 180.0;
    for (int i = 0; i < kSegments; ++i) {
        double bend = angle + pose.capeWave * std::sin(i * 1.6 + 0.5) * (i + 1) * 0.5;
        Vec3d step = Mul(V3(0.0, -std::cos(bend), std::sin(bend)), kSegment * kBoyScale);
        double spread = 0.08 * kBoyScale;
        Vec3d l2 = Add(Add(left, step), V3(-spread, 0, 0));
        Vec3d r2 = Add(Add(right, step), V3(spread, 0, 0));
        // Both sides of the cloth.
        PaintQuad(m, Paint::Cape, left, right, r2, l2);
        PaintQuad(m, Paint::Cape, left, l2, r2, right);
        left = l2;
        right = r2;
    }
}

void WriteBoy(DataContext& ctx)
{
    for (const BoyPose& p : kPoses) {
        ObjModel m;
        m.BeginGroup("boy", ObjMaterial{"boy", "skins/palette.tga"});
        double lean = p.leanDeg;
        OrientedBox(m, Paint::Shirt, V3(0, 0.4, 0), V3(0.55, 0, 0), V3(0, 0.72, 0), V3(0, 0, 0.3), lean);
        OrientedBox(m, Paint::Trousers, V3(0, -0.45, 0), V3(0.52, 0, 0), V3(0, 0.2, 0), V3(0, 0, 0.29), lean);
        OrientedBox(m, Paint::Skin, V3(0, 1.55, -0.02), V3(0.38, 0, 0), V3(0, 0.4, 0), V3(0, 0, 0.38), lean);
        OrientedBox(m, Paint::Hair, V3(0, 1.9, 0.05), V3(0.41, 0, 0), V3(0, 0.12, 0), V3(0, 0, 0.41), lean);
        OrientedBox(m, Paint::Hair, V3(0, 1.6, 0.33), V3(0.41, 0, 0), V3(0, 0.3, 0), V3(0, 0, 0.08), lean);
        Limb(m, Paint::Shirt, Paint::Skin, V3(-0.72, 1.0, 0), 1.25, 0.17, p.leftArmDeg, p.armSpreadDeg, -1.0, lean);
        Limb(m, Paint::Shirt, Paint::Skin, V3(0.72, 1.0, 0), 1.25, 0.17, p.rightArmDeg, p.armSpreadDeg, 1.0, lean);
        Limb(m, Paint::Trousers, Paint::Hair, V3(-0.26, -0.6, 0), 1.5, 0.2, p.leftLegDeg, 4, -1.0, lean);
        Limb(m, Paint::Trousers, Paint::Hair, V3(0.26, -0.6, 0), 1.5, 0.2, p.rightLegDeg, 4, 1.0, lean);
        AddCape(m, p);
        ctx.Check(m.Write(ctx.Dirs().models, p.file), p.file);
        ctx.AddAsset(p.asset, std::string("models/") + p.file + ".obj");
    }
}

// Lightning: ribbons in the x-z plane from the morvo (z 0) down to the sea
// (z -0.75 in the morvo's plane units); the renderer binds the bolt frames.
void WriteLightning(DataContext& ctx)
{
    Image still(32, 128, MakeRgba(0.8, 0.9, 1.0, 0.0));
    still.DrawLine(16, 0, 16, 128, 3, MakeRgba(0.9, 0.95, 1.0, 1.0));
    ctx.Check(still.WriteTga(ctx.Dirs().skins + "/boltstill.tga", true), "boltstill");
    struct Segment {
        double x0, z0, x1, z1, w;
    };
    auto ribbon = [](ObjModel& m, const Segment& s) {
        double v0 = 1.0 + s.z0 / 0.75, v1 = 1.0 + s.z1 / 0.75;
        ObjCorner a{V3(s.x0 - s.w, 0, s.z0), 0, v0, V3(0, 1, 0)}, b{V3(s.x0 + s.w, 0, s.z0), 1, v0, V3(0, 1, 0)};
        ObjCorner c{V3(s.x1 + s.w, 0, s.z1), 1, v1, V3(0, 1, 0)}, d{V3(s.x1 - s.w, 0, s.z1), 0, v1, V3(0, 1, 0)};
        m.AddTriangle(a, b, c);
        m.AddTriangle(a, c, d);
        for (ObjCorner* k : {&a, &b, &c, &d})
            k->normal = V3(0, -1, 0);
        m.AddTriangle(a, c, b);
        m.AddTriangle(a, d, c);
    };
    static const Segment kBolts[3][3] = {
        {{0, 0, 0.0, -0.75, 0.05}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {{0, 0, 0.03, -0.35, 0.05}, {0.03, -0.35, -0.02, -0.75, 0.05}, {0, 0, 0, 0, 0}},
        {{0, 0, -0.01, -0.75, 0.05}, {-0.005, -0.3, 0.06, -0.55, 0.03}, {0, 0, 0, 0, 0}},
    };
    for (int i = 0; i < 3; ++i) {
        ObjModel m;
        m.BeginGroup("bolt", ObjMaterial{"bolt", "skins/boltstill.tga"});
        for (const Segment& s : kBolts[i]) {
            if (s.w > 0.0) {
                ribbon(m, s);
            }
        }
        std::string file = "lightning" + std::to_string(i + 1);
        ctx.Check(m.Write(ctx.Dirs().models, file), file);
        ctx.AddAsset("Lightning" + std::to_string(i + 1), "models/" + file + ".obj");
    }
}

}  // namespace

void GenerateFigures(DataContext& ctx)
{
    WriteBoy(ctx);
    WriteLightning(ctx);
}
