// Quaternion golden values: Euler order, rotation direction, the Hamilton
// product, the matrix round trip, and a Slerp that stays unit length.
#include "matrix4.h"
#include "quaternion.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

void ExpectNear(const Quaternion& a, const Quaternion& b, float tolerance = 1e-5f)
{
    EXPECT_NEAR(a.w, b.w, tolerance);
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

void ExpectNear(const Vec3& a, const Vec3& b, float tolerance = 1e-5f)
{
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

float Length(const Quaternion& q)
{
    return std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
}

Quaternion Unit(float w, float x, float y, float z)
{
    Quaternion q(w, x, y, z);
    q.Normalize();
    return q;
}

}  // namespace

TEST(Quaternion, DefaultIsIdentity)
{
    Quaternion q;
    EXPECT_EQ(q, Quaternion(1, 0, 0, 0));
}

TEST(Quaternion, HeadingAloneIsRotationAboutPlusY)
{
    Quaternion euler(0.7f, 0.0f, 0.0f);
    Quaternion axis(0.7f, Vec3(0, 1, 0));
    ExpectNear(euler, axis);
    Quaternion quarter(kPi / 2.0f, 0.0f, 0.0f);
    ExpectNear(quarter.Rotate(Vec3(0, 0, 1)), Vec3(1, 0, 0));
}

TEST(Quaternion, EulerIsHeadingThenPitchThenRollAboutMinusZ)
{
    float h = 0.4f;
    float p = -0.9f;
    float r = 1.3f;
    Matrix4 mh(Quaternion(h, Vec3(0, 1, 0)));
    Matrix4 mp(Quaternion(p, Vec3(1, 0, 0)));
    Matrix4 mr(Quaternion(r, Vec3(0, 0, -1)));
    Matrix4 composed = (mh * mp) * mr;
    Quaternion euler(h, p, r);
    Vec3 v(0.3f, -1.2f, 2.0f);
    ExpectNear(euler.Rotate(v), composed.TransformPoint(v));
    ExpectNear(Matrix4(h, p, r).TransformPoint(v), composed.TransformPoint(v));
}

TEST(Quaternion, ProductIsHamiltons)
{
    Quaternion i(0, 1, 0, 0);
    Quaternion j(0, 0, 1, 0);
    Quaternion k(0, 0, 0, 1);
    EXPECT_EQ(i * j, k);
    EXPECT_EQ(j * i, Quaternion(0, 0, 0, -1));
    EXPECT_EQ(i * i, Quaternion(-1, 0, 0, 0));
    Quaternion q = Unit(0.3f, -0.5f, 0.2f, 0.8f);
    EXPECT_EQ(Quaternion() * q, q);
    Quaternion product = q;
    product *= j;
    EXPECT_EQ(product, q * j);
}

TEST(Quaternion, RotateAgreesWithItsMatrix)
{
    Quaternion q = Unit(0.9f, 0.1f, -0.4f, 0.2f);
    Vec3 v(1.5f, -2.0f, 0.25f);
    ExpectNear(q.Rotate(v), Matrix4(q).TransformPoint(v));
}

struct FromMatrixCase {
    const char* name;
    Quaternion q;
};

class QuaternionFromMatrix : public ::testing::TestWithParam<FromMatrixCase> {};

TEST_P(QuaternionFromMatrix, RoundTripGivesTheQuaternionUpToSign)
{
    Quaternion q = GetParam().q;
    q.Normalize();
    Quaternion back{Matrix4(q)};
    float sign = (back.w * q.w + back.x * q.x + back.y * q.y + back.z * q.z) < 0.0f ? -1.0f : 1.0f;
    ExpectNear(Quaternion(sign * back.w, sign * back.x, sign * back.y, sign * back.z), q, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuaternionFromMatrix,
                         ::testing::Values(FromMatrixCase{"Identity", Quaternion(1, 0, 0, 0)},
                                           FromMatrixCase{"Oblique", Quaternion(0.9f, 0.1f, -0.4f, 0.2f)},
                                           FromMatrixCase{"NegativeW", Quaternion(-0.2f, 0.6f, 0.7f, 0.1f)},
                                           FromMatrixCase{"HalfTurnX", Quaternion(0, 1, 0, 0)},
                                           FromMatrixCase{"HalfTurnY", Quaternion(0, 0, 1, 0)},
                                           FromMatrixCase{"HalfTurnZ", Quaternion(0, 0, 0, 1)},
                                           FromMatrixCase{"HalfTurnXY", Quaternion(0, 0.6f, 0.8f, 0)},
                                           FromMatrixCase{"HalfTurnYZ", Quaternion(0, 0, 0.6f, 0.8f)}),
                         CaseName());

TEST(Quaternion, InverseUndoesTheRotation)
{
    Quaternion q = Unit(0.5f, 0.5f, -0.5f, 0.5f);
    ExpectNear(q * q.Inverse(), Quaternion());
    Quaternion scaled(1, 1, 1, 1);
    EXPECT_EQ(scaled.Inverse(), Quaternion(0.25f, -0.25f, -0.25f, -0.25f));
}

TEST(Quaternion, AngleIsTwiceTheArcCosineOfW)
{
    EXPECT_NEAR(Quaternion(1.2f, Vec3(0, 0, 1)).GetAngle(), 1.2f, 1e-5f);
}

struct SlerpCase {
    const char* name;
    Quaternion a;
    Quaternion b;
    float t;
};

class QuaternionSlerp : public ::testing::TestWithParam<SlerpCase> {};

TEST_P(QuaternionSlerp, StaysFiniteAndUnit)
{
    const SlerpCase& c = GetParam();
    for (float t : {0.0f, c.t, 0.5f, 1.0f}) {
        Quaternion q = c.a.Slerp(c.b, t);
        ASSERT_FALSE(std::isnan(q.w) || std::isnan(q.x) || std::isnan(q.y) || std::isnan(q.z)) << t;
        EXPECT_NEAR(Length(q), 1.0f, 1e-5f) << t;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuaternionSlerp,
    ::testing::Values(SlerpCase{"Equal", Unit(0.9f, 0.1f, -0.4f, 0.2f), Unit(0.9f, 0.1f, -0.4f, 0.2f), 0.3f},
                      SlerpCase{"Opposite", Unit(0.9f, 0.1f, -0.4f, 0.2f), Unit(-0.9f, -0.1f, 0.4f, -0.2f), 0.3f},
                      SlerpCase{"NearlyParallel", Quaternion(), Quaternion(1e-4f, Vec3(0, 1, 0)), 0.7f},
                      SlerpCase{"Wide", Quaternion(), Quaternion(2.0f, Vec3(1, 0, 0)), 0.25f},
                      SlerpCase{"NegativeDot", Quaternion(), Quaternion(-0.5f, 0.8660254f, 0.0f, 0.0f), 0.5f},
                      SlerpCase{"Orthogonal", Quaternion(0, 1, 0, 0), Quaternion(0, 0, 1, 0), 0.5f}),
    CaseName());

TEST(QuaternionSlerpValues, HalfwayIsHalfTheAngle)
{
    Quaternion halfway = Quaternion().Slerp(Quaternion(kPi / 2.0f, Vec3(0, 1, 0)), 0.5f);
    ExpectNear(halfway, Quaternion(kPi / 4.0f, Vec3(0, 1, 0)));
}

TEST(QuaternionSlerpValues, TakesTheShorterArcForNegativeDot)
{
    Quaternion target(kPi / 2.0f, Vec3(0, 1, 0));
    Quaternion negated(-target.w, -target.x, -target.y, -target.z);
    Quaternion viaNegated = Quaternion().Slerp(negated, 0.5f);
    ExpectNear(viaNegated.Rotate(Vec3(0, 0, 1)), Quaternion(kPi / 4.0f, Vec3(0, 1, 0)).Rotate(Vec3(0, 0, 1)));
}

TEST(QuaternionSlerpValues, EndsAreTheInputs)
{
    Quaternion a = Unit(0.9f, 0.1f, -0.4f, 0.2f);
    Quaternion b(1.0f, Vec3(0, 0, 1));
    ExpectNear(a.Slerp(b, 0.0f), a);
    ExpectNear(a.Slerp(b, 1.0f), b);
}

TEST(QuaternionLerp, IsComponentwiseAndNotNormalised)
{
    Quaternion mid = Quaternion(0, 1, 0, 0).Lerp(Quaternion(0, 0, 1, 0), 0.5f);
    EXPECT_EQ(mid, Quaternion(0, 0.5f, 0.5f, 0));
}
