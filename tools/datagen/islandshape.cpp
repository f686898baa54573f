// Island height fields (see islandshape.h).
#include "islandshape.h"

#include <cmath>

namespace {

constexpr double kSeaFloorDepth = 36.0;  // terrain depth at the mesh edge
constexpr double kCraterSize = 0.14;     // crater radius as part of the shore radius

}  // namespace

IslandShape::IslandShape(const IslandSpec& spec)
    : spec_(spec),
      shoreNoise_(spec.seed * 3 + 1, 6, 6),
      hillNoise_(spec.seed * 3 + 2),
      detailNoise_(spec.seed * 3 + 3)
{}

double IslandShape::CityWeight(double x, double z) const
{
    if (!spec_.hasCity) {
        return 0.0;
    }
    double d = std::hypot(x - spec_.cityX, z - spec_.cityZ);
    return 1.0 - SmoothStep(spec_.cityRadius * 0.75, spec_.cityRadius * 1.25, d);
}

double IslandShape::Height(double x, double z) const
{
    double dx = x - spec_.cx;
    double dz = z - spec_.cz;
    double r = std::hypot(dx, dz);
    double angle = std::atan2(dz, dx);
    // The shore wobbles with a noise sampled around a circle (it wraps).
    double wobble = 1.0 + 0.22 * shoreNoise_.Fbm(3.0 + 1.5 * std::cos(angle), 3.0 + 1.5 * std::sin(angle), 3);
    double rn = r / (spec_.radius * wobble);
    double f = 1.0 - rn;
    double h;
    if (f > 0.0) {
        double hills = hillNoise_.Fbm(x / (spec_.radius * 0.45), z / (spec_.radius * 0.45), 4);
        if (spec_.volcano) {
            h = spec_.height * std::pow(f, 1.05) * (1.0 + 0.12 * hills);
            if (rn < kCraterSize) {
                double c = 1.0 - rn / kCraterSize;
                h -= spec_.height * 0.32 * c * c;
            }
        } else {
            h = spec_.height * std::pow(f, 1.5) * (1.0 + 0.45 * hills);
        }
        h += 1.2 * detailNoise_.Fbm(x / 18.0, z / 18.0, 3) * SmoothStep(0.0, 0.1, f);
    } else {
        h = -kSeaFloorDepth * SmoothStep(0.0, 0.5, -f) - 4.0 * (-f);
    }
    double city = CityWeight(x, z);
    if (city > 0.0) {
        h = Lerp(h, spec_.cityHeight, city);
    }
    return h;
}

Vec3d IslandShape::Normal(double x, double z) const
{
    constexpr double e = 1.5;
    double hx = Height(x + e, z) - Height(x - e, z);
    double hz = Height(x, z + e) - Height(x, z - e);
    return Normalized(V3(-hx, 2.0 * e, -hz));
}

double IslandShape::ContourRadius(double angle, double level) const
{
    double c = std::cos(angle);
    double s = std::sin(angle);
    for (double r = Extent(); r > 0.0; r -= 1.0) {
        if (Height(spec_.cx + c * r, spec_.cz + s * r) >= level) {
            return r;
        }
    }
    return 0.0;
}

bool IslandShape::IsCraterOrCity(double x, double z) const
{
    if (CityWeight(x, z) > 0.05) {
        return true;
    }
    if (spec_.volcano) {
        double r = std::hypot(x - spec_.cx, z - spec_.cz);
        return r < spec_.radius * kCraterSize * 1.6;
    }
    return false;
}
