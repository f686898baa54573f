// Plane: an oriented plane (normal, d). A point p is in front when
// normal . p + d > 0, strictly; on the plane counts as behind. The mesh
// splitter, the partitioning code and the frustum use it.
#pragma once

#include "gfxvec3.h"
#include "vec3.h"

class Plane {
public:
    Vec3 normal = Vec3(0.0f, 1.0f, 0.0f);
    float d = 0.0f;

    // The XZ plane facing +Y.
    Plane() = default;
    // Normalised: (a, b, c) and d divided by the length of (a, b, c).
    Plane(float a, float b, float c, float dValue);
    // Stored as given, not normalised.
    Plane(const Vec3& normalValue, float dValue)
        : normal(normalValue),
          d(dValue)
    {}

    bool IsInFront(const GfxVec3& p) const;
    bool IsInFront(const Vec3& p) const;
    bool IsInFront(float x, float y, float z) const;
    bool IsFacing(const Vec3& direction) const;
    // True unless the sphere lies wholly behind the plane.
    bool IsSphereInFront(const Vec3& centre, float radius) const;
    bool IsSphereInFront(float x, float y, float z, float radius) const;

    // 1: both ends in front; 0: neither in front (out untouched in both
    // cases); 2: the segment crosses and out is the crossing point, which
    // always lies on the segment.
    int IntersectSegment(const GfxVec3& a, const GfxVec3& b, GfxVec3& out) const;
    int IntersectSegment(const Vec3& a, const Vec3& b, Vec3& out) const;
    int IntersectSegment(const GfxVec3& a, const GfxVec3& b, Vec3& out) const;
    int IntersectSegment(const Vec3& a, const Vec3& b, GfxVec3& out) const;
    int IntersectSegment(float ax, float ay, float az, float bx, float by, float bz, float out[3]) const;
};
