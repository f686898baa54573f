// The orbit camera's golden values: start pose, easing rates, the height
// floor, the look point's lean towards the start point, the projection.
#include <gtest/gtest.h>

#include <cmath>

#include "mathutil.h"
#include "orbitcamera.h"
#include "random15.h"
#include "testsupport.h"

namespace {

constexpr float kTolerance = 1e-3f;

class FakeSubject : public OrbitSubject {
public:
    FakeSubject(int mode, Vec3 start)
        : mode_(mode),
          start_(start)
    {}
    int GetFlightMode() const override { return mode_; }
    Vec3 GetStartPoint() const override { return start_; }

private:
    int mode_;
    Vec3 start_;
};

void ExpectNear(const Vec3& actual, const Vec3& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, kTolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, kTolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, kTolerance) << what;
}

float Length(const Vec3& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

TEST(OrbitCamera, ResetPutsTheEyeAtTheStartOffsetLookingAtTheTarget)
{
    OrbitCamera camera;
    camera.SetTarget(Vec3(0.0f, 0.0f, 0.0f));
    camera.Reset();
    ExpectNear(camera.GetEye(), Vec3(-12.2474487f, 10.0f, 12.2474487f), "eye");
    ExpectNear(camera.GetDefaultEye(), Vec3(-12.2474487f, 10.0f, 12.2474487f), "default eye");
    EXPECT_NEAR(camera.distance, 20.0f, kTolerance);
    // The view puts the target straight ahead, 20 units away.
    ExpectNear(camera.GetViewMatrix().TransformPoint(Vec3()), Vec3(0.0f, 0.0f, -20.0f), "target in view");
    // The camera frame faces along (target - eye) / 20, its translation the
    // eye on the frame's own axes: 20 along -forward.
    const Matrix4 frame = camera.GetLookAtMatrix();
    ExpectNear(frame.GetForward(), Vec3(0.6123724f, -0.5f, -0.6123724f), "frame forward");
    ExpectNear(Vec3(frame.m[12], frame.m[13], frame.m[14]), Vec3(0.0f, 0.0f, 20.0f), "frame translation");
}

TEST(OrbitCamera, PitchTargetIsClampedTo80Degrees)
{
    OrbitCamera camera;
    camera.pitchTarget = DegToRad(90.0f);
    camera.Update(0.0f);
    EXPECT_NEAR(camera.pitchTarget, DegToRad(80.0f), 1e-6f);
    camera.pitchTarget = DegToRad(-95.0f);
    camera.Update(0.0f);
    EXPECT_NEAR(camera.pitchTarget, DegToRad(-80.0f), 1e-6f);
}

TEST(OrbitCamera, LowTargetPullsTheEyeUpToHeightFiveAlongTheSameRay)
{
    OrbitCamera camera;
    camera.SetTarget(Vec3(0.0f, -20.0f, 0.0f));
    camera.Reset();
    EXPECT_NEAR(camera.GetEye().y, 5.0f, kTolerance);
    // o.y was 10 and must reach 25: the ray is scaled by 2.5.
    EXPECT_NEAR(camera.distance, 50.0f, kTolerance);
    ExpectNear(camera.GetEye(), Vec3(-30.6186218f, 5.0f, 30.6186218f), "eye on the ray");
}

TEST(OrbitCamera, LevelRayBelowTheFloorLiftsTheEyeWithoutNaN)
{
    OrbitCamera camera;
    camera.SetTarget(Vec3(0.0f, 0.0f, 0.0f));
    camera.pitchTarget = 0.0f;
    camera.Update(0.5f);  // 2 x 0.5 x 1: the pitch reaches 0 in one step
    ASSERT_EQ(camera.GetPitch(), 0.0f);
    EXPECT_NEAR(camera.GetEye().y, 5.0f, kTolerance);
    EXPECT_TRUE(std::isfinite(camera.distance));
    for (float value : camera.GetViewMatrix().m) {
        EXPECT_TRUE(std::isfinite(value));
    }
    camera.Update(0.1f);
    EXPECT_TRUE(std::isfinite(camera.distance));
    EXPECT_TRUE(std::isfinite(camera.GetEye().x));
}

TEST(OrbitCamera, AnglesMoveAFifthOfTheWayPerTenthOfASecond)
{
    OrbitCamera camera;
    const float yaw = camera.GetYaw();
    camera.yawTarget = yaw + 1.0f;
    camera.Update(0.1f);
    EXPECT_NEAR(camera.GetYaw(), yaw + 0.2f, 1e-5f);
}

TEST(OrbitCamera, SteeringTurnsFiveTimesFaster)
{
    FakeSubject steering(0, Vec3());
    OrbitCamera camera;
    camera.SetSubject(&steering);
    const float yaw = camera.GetYaw();
    camera.yawTarget = yaw + 1.0f;
    camera.Update(0.05f);
    EXPECT_NEAR(camera.GetYaw(), yaw + 0.5f, 1e-5f);
}

struct ZoomCase {
    int mode;
    float savedDistance;
    float expectedDistance;
    const char* name;
};

class OrbitZoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(OrbitZoom, DistanceEasesAtTheModesRate)
{
    const ZoomCase& c = GetParam();
    FakeSubject subject(c.mode, Vec3());
    OrbitCamera camera;
    camera.SetSubject(&subject);
    camera.SetTarget(Vec3(0.0f, 100.0f, 0.0f));  // well above the floor
    camera.savedDistance = c.savedDistance;
    camera.Update(0.1f);  // from 20 towards the target 5
    EXPECT_NEAR(camera.distance, c.expectedDistance, 1e-4f) << c.name;
}

INSTANTIATE_TEST_SUITE_P(OrbitCamera, OrbitZoom,
                         ::testing::Values(ZoomCase{0, 5.0f, 18.5f, "steering, target at saved: rate 1"},
                                           ZoomCase{0, 7.0f, 12.5f, "steering, target off saved: rate 5"},
                                           ZoomCase{2, 5.0f, 12.5f, "swooping: rate 5"}),
                         CaseName());

struct LeanCase {
    int mode;
    float targetHeight;  // sets the distance through the floor
    Vec3 expectedLook;
    const char* name;
};

class OrbitLean : public ::testing::TestWithParam<LeanCase> {};

TEST_P(OrbitLean, LookPointLeansTowardsTheStartOnlyWhileSteering)
{
    const LeanCase& c = GetParam();
    FakeSubject subject(c.mode, Vec3(10.0f, 0.0f, 0.0f));
    OrbitCamera camera;
    camera.SetSubject(&subject);
    camera.SetTarget(Vec3(0.0f, c.targetHeight, 0.0f));
    camera.Reset();
    ExpectNear(camera.GetLookPoint(), c.expectedLook, c.name);
    // The view looks at the look point.
    const Vec3 ahead = camera.GetViewMatrix().TransformPoint(camera.GetLookPoint());
    EXPECT_NEAR(ahead.x, 0.0f, kTolerance) << c.name;
    EXPECT_NEAR(ahead.y, 0.0f, kTolerance) << c.name;
    EXPECT_NEAR(ahead.z, -Length(camera.GetEye() - camera.GetLookPoint()), kTolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    OrbitCamera, OrbitLean,
    ::testing::Values(LeanCase{0, 0.0f, Vec3(2.0f, 0.0f, 0.0f), "steering at distance 20: k = 0.2"},
                      LeanCase{0, -20.0f, Vec3(3.0f, -20.0f * 0.7f, 0.0f), "steering at distance 50: k = 0.3"},
                      LeanCase{1, 0.0f, Vec3(0.0f, 0.0f, 0.0f), "settling: no lean"},
                      LeanCase{3, 0.0f, Vec3(0.0f, 0.0f, 0.0f), "orbiting: no lean"}),
    CaseName());

TEST(OrbitCamera, EasedLookFollowsByDtPerUpdate)
{
    OrbitCamera camera;
    camera.SetTarget(Vec3(10.0f, 100.0f, 0.0f));
    camera.Update(0.25f);
    ExpectNear(camera.GetEasedLook(), Vec3(2.5f, 25.0f, 0.0f), "eased look");
}

TEST(OrbitCamera, EveryUpdateDrawsThreeRandomNumbers)
{
    SeedRand15(7);
    int expected = 0;
    for (int i = 0; i < 4; ++i) {
        expected = Rand15();
    }
    SeedRand15(7);
    OrbitCamera camera;
    camera.Update(0.1f);
    EXPECT_EQ(Rand15(), expected);
}

TEST(OrbitCamera, ProjectionUsesSeventyFiveDegreesAndThePlanes)
{
    OrbitCamera camera;
    const Matrix4 projection = camera.GetProjectionMatrix();
    EXPECT_NEAR(projection.m[5], 1.303225f, 1e-5f);
    EXPECT_NEAR(projection.m[11], -1.0f, 1e-6f);
    EXPECT_NEAR(projection.m[0], 1.303225f / camera.GetAspect(), 1e-5f);
    EXPECT_NEAR(camera.GetFov(), 1.308997f, 1e-6f);
    EXPECT_EQ(camera.GetNearPlane(), 1.0f);
    EXPECT_EQ(camera.GetFarPlane(), 5000.0f);
}

TEST(OrbitCamera, ControlsStartAtTheirDocumentedValues)
{
    OrbitCamera camera;
    EXPECT_FALSE(camera.flag);
    EXPECT_EQ(camera.distance, 20.0f);
    EXPECT_EQ(camera.distanceTarget, 5.0f);
    EXPECT_EQ(camera.savedDistance, 5.0f);
    EXPECT_NEAR(camera.yawTarget, 3.92699f, 1e-5f);
    EXPECT_NEAR(camera.pitchTarget, 0.523599f, 1e-5f);
}

struct SphericalCase {
    const char* name;
    float radius, a, b;
    Vec3 expected;
};

class SphericalPoints : public ::testing::TestWithParam<SphericalCase> {};

TEST_P(SphericalPoints, FollowTheFormula)
{
    const SphericalCase& c = GetParam();
    ExpectNear(SphericalToCartesian(c.radius, c.a, c.b), c.expected, "spherical");
}

INSTANTIATE_TEST_SUITE_P(
    OrbitCamera, SphericalPoints,
    ::testing::Values(SphericalCase{"RadiusTwoAlongX", 2.0f, 0.0f, 0.0f, Vec3(2.0f, 0.0f, 0.0f)},
                      SphericalCase{"QuarterTurnOfA", 1.0f, 1.5707963f, 0.0f, Vec3(0.0f, 1.0f, 0.0f)},
                      SphericalCase{"QuarterTurnOfB", 1.0f, 0.0f, 1.5707963f, Vec3(0.0f, 0.0f, -1.0f)},
                      SphericalCase{"RadiusTwoAt60And30", 2.0f, 1.0471976f, 0.5235988f, Vec3(0.8660254f, 1.5f, -1.0f)}),
    CaseName());

}  // namespace
