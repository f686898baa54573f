// Planes (side tests, segment intersection codes) and the frustum built
// from known projection and modelview matrices.
#include "frustum.h"
#include "plane.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {
constexpr float kPi = 3.14159265358979f;
}

TEST(Plane, DefaultIsTheXZPlaneFacingUp)
{
    Plane plane;
    EXPECT_TRUE(plane.IsInFront(Vec3(0, 1, 0)));
    EXPECT_FALSE(plane.IsInFront(Vec3(0, 0, 0)));
    EXPECT_FALSE(plane.IsInFront(GfxVec3(0, -1, 0)));
    EXPECT_TRUE(plane.IsFacing(Vec3(0, 2, 0)));
    EXPECT_TRUE(plane.IsFacing(Vec3(1, 0.5f, 0)));
    EXPECT_FALSE(plane.IsFacing(Vec3(1, 0, 0)));
}

TEST(Plane, FourValuesAreNormalised)
{
    Plane plane(0, 2, 0, -2);
    EXPECT_EQ(plane.normal, Vec3(0, 1, 0));
    EXPECT_EQ(plane.d, -1.0f);
    Plane raw(Vec3(0, 2, 0), -2);
    EXPECT_EQ(raw.normal, Vec3(0, 2, 0));
    EXPECT_EQ(raw.d, -2.0f);
}

TEST(Plane, SphereWhollyBehindFailsOthersPass)
{
    Plane plane;
    EXPECT_TRUE(plane.IsSphereInFront(Vec3(0, -0.5f, 0), 1.0f));
    EXPECT_FALSE(plane.IsSphereInFront(Vec3(0, -1.5f, 0), 1.0f));
    EXPECT_FALSE(plane.IsSphereInFront(0, -1.0f, 0, 1.0f));
}

struct SegmentCase {
    const char* name;
    Vec3 a;
    Vec3 b;
    int code;
    Vec3 point;  // expected out point (code 2) or the untouched marker
};

class PlaneSegment : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(PlaneSegment, GivesCodeAndCrossingInEveryOverload)
{
    const SegmentCase& c = GetParam();
    Plane plane;
    const Vec3 marker(7, 7, 7);

    Vec3 out = marker;
    EXPECT_EQ(plane.IntersectSegment(c.a, c.b, out), c.code);
    EXPECT_EQ(out, c.point);

    GfxVec3 gfxOut(7, 7, 7);
    EXPECT_EQ(plane.IntersectSegment(GfxVec3(c.a.x, c.a.y, c.a.z), GfxVec3(c.b.x, c.b.y, c.b.z), gfxOut), c.code);
    EXPECT_EQ(gfxOut, GfxVec3(c.point.x, c.point.y, c.point.z));

    float floats[3] = {7, 7, 7};
    EXPECT_EQ(plane.IntersectSegment(c.a.x, c.a.y, c.a.z, c.b.x, c.b.y, c.b.z, floats), c.code);
    EXPECT_EQ(Vec3(floats[0], floats[1], floats[2]), c.point);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaneSegment,
    ::testing::Values(SegmentCase{"Crossing", Vec3(0, -1, 0), Vec3(0, 1, 0), 2, Vec3(0, 0, 0)},
                      SegmentCase{"BothInFront", Vec3(0, 1, 0), Vec3(0, 2, 0), 1, Vec3(7, 7, 7)},
                      SegmentCase{"BothBehind", Vec3(0, -1, 0), Vec3(0, -2, 0), 0, Vec3(7, 7, 7)},
                      SegmentCase{"FromPointOnThePlane", Vec3(0, 0, 0), Vec3(0, 1, 0), 2, Vec3(0, 0, 0)},
                      SegmentCase{"OnThePlaneToBehind", Vec3(2, 0, 0), Vec3(2, -1, 0), 0, Vec3(7, 7, 7)},
                      SegmentCase{"Slanted", Vec3(1, -1, 3), Vec3(3, 3, 3), 2, Vec3(1.5f, 0, 3)}),
    CaseName());

TEST(Frustum, IdentityMatricesGiveTheUnitCube)
{
    Frustum frustum;
    frustum.SetFromMatrices(Matrix4(), Matrix4());
    EXPECT_TRUE(frustum.ContainsPoint(Vec3(0, 0, 0)));
    EXPECT_FALSE(frustum.ContainsPoint(Vec3(2, 0, 0)));
    EXPECT_FALSE(frustum.GetPlane(Frustum::kRight).IsInFront(2, 0, 0));
    EXPECT_TRUE(frustum.GetPlane(Frustum::kLeft).IsInFront(2, 0, 0));
    EXPECT_EQ(frustum.GetPlane(Frustum::kRight).normal, Vec3(-1, 0, 0));
    EXPECT_EQ(frustum.GetPlane(Frustum::kNear).normal, Vec3(0, 0, 1));
    EXPECT_EQ(frustum.GetPlane(Frustum::kTop).d, 1.0f);
    EXPECT_EQ(frustum.GetPlane(Frustum::kTop).normal, Vec3(0, -1, 0));
}

class CameraFrustum : public ::testing::Test {
protected:
    // A camera at (0, 0, 5) looking at the origin: 90 degrees, square, near 1, far 10.
    void SetUp() override
    {
        Matrix4 projection;
        projection.MakePerspective(kPi / 2.0f, 1.0f, 1.0f, 10.0f);
        Matrix4 view;
        view.MakeLookAt(Vec3(0, 0, 5), Vec3(0, 0, 0), Vec3(0, 1, 0));
        view.InvertRigid();
        frustum.SetFromMatrices(projection, view);
    }
    Frustum frustum;
};

struct PointCase {
    const char* name;
    Vec3 point;
    bool inside;
};

class CameraFrustumPoints : public CameraFrustum, public ::testing::WithParamInterface<PointCase> {};

TEST_P(CameraFrustumPoints, ContainsOnlyPointsInTheVolume)
{
    const PointCase& c = GetParam();
    EXPECT_EQ(frustum.ContainsPoint(c.point), c.inside);
    EXPECT_EQ(frustum.ContainsPoint(GfxVec3(c.point.x, c.point.y, c.point.z)), c.inside);
}

INSTANTIATE_TEST_SUITE_P(Cases, CameraFrustumPoints,
                         ::testing::Values(PointCase{"Target", Vec3(0, 0, 0), true},
                                           PointCase{"BehindCamera", Vec3(0, 0, 5.5f), false},
                                           PointCase{"CloserThanNear", Vec3(0, 0, 4.5f), false},
                                           PointCase{"JustPastNear", Vec3(0, 0, 3.9f), true},
                                           PointCase{"BeyondFar", Vec3(0, 0, -6), false},
                                           PointCase{"InsideRightEdge", Vec3(4.9f, 0, 0), true},
                                           PointCase{"OutsideRight", Vec3(5.1f, 0, 0), false},
                                           PointCase{"OutsideLeft", Vec3(-5.1f, 0, 0), false},
                                           PointCase{"OutsideTop", Vec3(0, 5.1f, 0), false},
                                           PointCase{"InsideBottomEdge", Vec3(0, -4.9f, 0), true}),
                         CaseName());

// The same volume seen from (5, 0, 0) looking down -x: right is -z.
TEST(Frustum, TurnedCameraCullsAlongItsOwnAxes)
{
    Matrix4 projection;
    projection.MakePerspective(kPi / 2.0f, 1.0f, 1.0f, 10.0f);
    Matrix4 view;
    view.MakeLookAt(Vec3(5, 0, 0), Vec3(0, 0, 0), Vec3(0, 1, 0));
    view.InvertRigid();
    Frustum frustum;
    frustum.SetFromMatrices(projection, view);
    const PointCase cases[] = {
        {"Target", Vec3(0, 0, 0), true},
        {"CloserThanNear", Vec3(4.5f, 0, 0), false},
        {"BeyondFar", Vec3(-6, 0, 0), false},
        {"InsideRightEdge", Vec3(0, 0, -4.9f), true},
        {"OutsideRight", Vec3(0, 0, -5.1f), false},
        {"InsideLeftEdge", Vec3(0, 0, 4.9f), true},
        {"OutsideLeft", Vec3(0, 0, 5.1f), false},
        {"InsideTopEdge", Vec3(0, 4.9f, 0), true},
        {"OutsideTop", Vec3(0, 5.1f, 0), false},
        {"OutsideBottom", Vec3(0, -5.1f, 0), false},
    };
    for (const PointCase& c : cases) {
        EXPECT_EQ(frustum.ContainsPoint(c.point), c.inside) << c.name;
    }
}

TEST_F(CameraFrustum, SpherePassesWhileNotWhollyOutside)
{
    EXPECT_TRUE(frustum.ContainsSphere(Vec3(6, 0, 0), 1.5f));
    EXPECT_FALSE(frustum.ContainsSphere(Vec3(6, 0, 0), 0.5f));
    EXPECT_TRUE(frustum.ContainsSphere(0, 0, -5.5f, 1.0f));
}

TEST_F(CameraFrustum, BoxFailsOnlyWhenOnePlaneHasEveryCornerBehind)
{
    EXPECT_TRUE(frustum.ContainsBox(GfxVec3(-1, -1, -1), GfxVec3(1, 1, 1)));
    EXPECT_TRUE(frustum.ContainsBox(GfxVec3(4, -1, -1), GfxVec3(8, 1, 1)));
    EXPECT_FALSE(frustum.ContainsBox(GfxVec3(-1, -1, -9), GfxVec3(1, 1, -7)));
    EXPECT_FALSE(frustum.ContainsBox(GfxVec3(7, -1, -1), GfxVec3(9, 1, 1)));
}

TEST(Frustum, ClipMatrixIsProjectionTimesModelview)
{
    Matrix4 projection;
    projection.MakePerspective(kPi / 2.0f, 1.0f, 1.0f, 10.0f);
    Matrix4 modelview;
    modelview.MakeTranslation(0, 0, -5);
    Frustum fromPair;
    fromPair.SetFromMatrices(projection, modelview);
    Frustum fromClip;
    fromClip.SetFromClipMatrix(projection * modelview);
    for (int i = 0; i < Frustum::kPlaneCount; ++i) {
        EXPECT_EQ(fromPair.GetPlane(i).normal, fromClip.GetPlane(i).normal);
        EXPECT_EQ(fromPair.GetPlane(i).d, fromClip.GetPlane(i).d);
    }
    EXPECT_TRUE(fromPair.ContainsPoint(Vec3(0, 0, 0)));
    EXPECT_FALSE(fromPair.ContainsPoint(Vec3(0, 0, 4.5f)));
}

TEST(Frustum, PlaneIndexOutOfRangeBreaksSafely)
{
    BreakCounter breaks;
    Frustum frustum;
    const Plane& plane = frustum.GetPlane(6);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(plane.normal, Vec3(0, 1, 0));
}
