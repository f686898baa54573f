// Plane side tests and segment intersection.
#include "plane.h"

#include <cmath>

Plane::Plane(float a, float b, float c, float dValue)
{
    float length = std::sqrt(a * a + b * b + c * c);
    normal = Vec3(a / length, b / length, c / length);
    d = dValue / length;
}

bool Plane::IsInFront(float x, float y, float z) const
{
    return normal.x * x + normal.y * y + normal.z * z + d > 0.0f;
}

bool Plane::IsInFront(const GfxVec3& p) const
{
    return IsInFront(p.x, p.y, p.z);
}

bool Plane::IsInFront(const Vec3& p) const
{
    return IsInFront(p.x, p.y, p.z);
}

bool Plane::IsFacing(const Vec3& direction) const
{
    return normal.Dot(direction) > 0.0f;
}

bool Plane::IsSphereInFront(float x, float y, float z, float radius) const
{
    return normal.x * x + normal.y * y + normal.z * z + d > -radius;
}

bool Plane::IsSphereInFront(const Vec3& centre, float radius) const
{
    return IsSphereInFront(centre.x, centre.y, centre.z, radius);
}

int Plane::IntersectSegment(float ax, float ay, float az, float bx, float by, float bz, float out[3]) const
{
    bool aInFront = IsInFront(ax, ay, az);
    bool bInFront = IsInFront(bx, by, bz);
    if (aInFront && bInFront)
        return 1;
    if (!aInFront && !bInFront)
        return 0;
    float dx = bx - ax;
    float dy = by - ay;
    float dz = bz - az;
    float t = -(normal.x * ax + normal.y * ay + normal.z * az + d) / (normal.x * dx + normal.y * dy + normal.z * dz);
    // Rounding can put the ends of a segment lying in the plane on either
    // side, with a divisor of (almost) 0: the hit point stays on the segment.
    if (!(t >= 0.0f))
        t = 0.0f;
    else if (t > 1.0f)
        t = 1.0f;
    out[0] = ax + t * dx;
    out[1] = ay + t * dy;
    out[2] = az + t * dz;
    return 2;
}

namespace {
template <typename Point, typename Out> int IntersectAny(const Plane& plane, const Point& a, const Point& b, Out& out)
{
    float crossing[3];
    int result = plane.IntersectSegment(a.x, a.y, a.z, b.x, b.y, b.z, crossing);
    if (result == 2) {
        out.x = crossing[0];
        out.y = crossing[1];
        out.z = crossing[2];
    }
    return result;
}
}  // namespace

int Plane::IntersectSegment(const GfxVec3& a, const GfxVec3& b, GfxVec3& out) const
{
    return IntersectAny(*this, a, b, out);
}

int Plane::IntersectSegment(const Vec3& a, const Vec3& b, Vec3& out) const
{
    return IntersectAny(*this, a, b, out);
}

int Plane::IntersectSegment(const GfxVec3& a, const GfxVec3& b, Vec3& out) const
{
    return IntersectAny(*this, a, b, out);
}

int Plane::IntersectSegment(const Vec3& a, const Vec3& b, GfxVec3& out) const
{
    return IntersectAny(*this, a, b, out);
}
