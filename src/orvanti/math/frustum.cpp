// Frustum planes from the clip matrix, and the culling tests.
#include "frustum.h"

#include "debugbreak.h"

void Frustum::SetFromMatrices(const Matrix4& projection, const Matrix4& modelview)
{
    SetFromClipMatrix(projection * modelview);
}

void Frustum::SetFromClipMatrix(const Matrix4& clip)
{
    // Row i of the clip matrix is (C[i], C[4+i], C[8+i], C[12+i]).
    auto row = [&](int i, int k) { return clip.m[k * 4 + i]; };
    auto combine = [&](int i, float sign) {
        return Plane(row(3, 0) + sign * row(i, 0), row(3, 1) + sign * row(i, 1), row(3, 2) + sign * row(i, 2),
                     row(3, 3) + sign * row(i, 3));
    };
    planes_[kRight] = combine(0, -1.0f);
    planes_[kLeft] = combine(0, 1.0f);
    planes_[kBottom] = combine(1, 1.0f);
    planes_[kTop] = combine(1, -1.0f);
    planes_[kFar] = combine(2, -1.0f);
    planes_[kNear] = combine(2, 1.0f);
}

const Plane& Frustum::GetPlane(int index) const
{
    if (index < 0 || index >= kPlaneCount) {
        DEBUG_BREAK("frustum plane index out of range");
        return planes_[0];
    }
    return planes_[index];
}

bool Frustum::ContainsPoint(float x, float y, float z) const
{
    for (const Plane& plane : planes_) {
        if (!plane.IsInFront(x, y, z))
            return false;
    }
    return true;
}

bool Frustum::ContainsPoint(const Vec3& p) const
{
    return ContainsPoint(p.x, p.y, p.z);
}

bool Frustum::ContainsPoint(const GfxVec3& p) const
{
    return ContainsPoint(p.x, p.y, p.z);
}

bool Frustum::ContainsSphere(float x, float y, float z, float radius) const
{
    for (const Plane& plane : planes_) {
        if (!plane.IsSphereInFront(x, y, z, radius))
            return false;
    }
    return true;
}

bool Frustum::ContainsSphere(const Vec3& centre, float radius) const
{
    return ContainsSphere(centre.x, centre.y, centre.z, radius);
}

bool Frustum::ContainsBox(const GfxVec3& lo, const GfxVec3& hi) const
{
    const GfxVec3 corners[8] = {
        GfxVec3(lo.x, lo.y, lo.z), GfxVec3(hi.x, lo.y, lo.z), GfxVec3(hi.x, lo.y, hi.z), GfxVec3(lo.x, lo.y, hi.z),
        GfxVec3(lo.x, hi.y, lo.z), GfxVec3(hi.x, hi.y, lo.z), GfxVec3(lo.x, hi.y, hi.z), GfxVec3(hi.x, hi.y, hi.z),
    };
    for (const Plane& plane : planes_) {
        bool anyInFront = false;
        for (const GfxVec3& corner : corners) {
            if (plane.IsInFront(corner)) {
                anyInFront = true;
                break;
            }
        }
        if (!anyInFront)
            return false;
    }
    return true;
}
