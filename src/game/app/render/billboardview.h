// What the depth-sorted billboard passes need of the camera: its eye and
// forward direction for culling, a far-first comparator along a view
// direction, and the billboard matrix that turns quads to face the camera
// inside the simulation-plane transform.
#pragma once

#include "matrix4.h"
#include "vec2.h"
#include "vec3.h"

class OrbitCamera;

// Items at this depth or more are far: culled (sprites), or kept only when
// pure outside editing (glow billboards).
constexpr float kBillboardFarDepth = 1000.0f;

struct BillboardView {
    Vec3 eye;
    Vec3 forward;  // the negated third column of the camera's look-at frame
};

BillboardView GetBillboardView(const OrbitCamera& camera);

// dot(forward, position - eye), world units.
inline float BillboardDepth(const BillboardView& view, const Vec3& world)
{
    return view.forward.Dot(world - view.eye);
}

// True when a lies farther along the direction than b: sorting with it
// draws back to front. A zero direction is a violated precondition; every
// item then compares equal.
template <typename V> class FarthestFirst {
public:
    explicit FarthestFirst(V direction);
    float Key(const V& v) const { return Dot(v, direction_); }
    bool operator()(const V& a, const V& b) const { return Key(a) > Key(b); }

private:
    static float Dot(const Vec2& a, const Vec2& b) { return a.x * b.x + a.y * b.y; }
    static float Dot(const Vec3& a, const Vec3& b) { return a.Dot(b); }
    static Vec2 Zero(const Vec2&) { return Vec2(0.0f, 0.0f); }
    static Vec3 Zero(const Vec3&) { return Vec3(); }
    V direction_;
};

// The current model-view matrix without translation, its axes scaled back
// to unit length (scale 1/200) and transposed: the inverse rotation.
Matrix4 ReadBillboardMatrix();
