// Frustum: the six planes of a view volume, normals pointing inwards, in
// the order right, left, bottom, top, far, near. Build it from a
// projection and a modelview matrix (the graphics layer's ExtractFrustum
// reads both from GL). The free camera and the partitioning code cull with it.
#pragma once

#include "gfxvec3.h"
#include "matrix4.h"
#include "plane.h"
#include "vec3.h"

class Frustum {
public:
    static constexpr int kPlaneCount = 6;
    enum PlaneIndex { kRight = 0, kLeft, kBottom, kTop, kFar, kNear };

    Frustum() = default;

    // The planes of the clip matrix projection x modelview.
    void SetFromMatrices(const Matrix4& projection, const Matrix4& modelview);
    void SetFromClipMatrix(const Matrix4& clip);

    const Plane& GetPlane(int index) const;

    // In front of all six planes.
    bool ContainsPoint(const Vec3& p) const;
    bool ContainsPoint(const GfxVec3& p) const;
    bool ContainsPoint(float x, float y, float z) const;
    bool ContainsSphere(const Vec3& centre, float radius) const;
    bool ContainsSphere(float x, float y, float z, float radius) const;
    // False only when some plane has all eight corners behind it
    // (conservative: a box outside a corner of the volume can pass).
    bool ContainsBox(const GfxVec3& minCorner, const GfxVec3& maxCorner) const;

private:
    Plane planes_[kPlaneCount];
};
