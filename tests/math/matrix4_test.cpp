// Matrix4 golden values: look-at with InvertRigid, perspective, inverses,
// products, and the preconditions that leave the matrix safe.
#include "matrix4.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTolerance = 1e-5f;

void ExpectNear(const Matrix4& actual, const Matrix4& expected, float tolerance = kTolerance)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
}

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance = kTolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The usual view matrix: rows s, u, -f and translation -(s.eye), -(u.eye), f.eye.
Matrix4 StandardView(const Vec3& eye, const Vec3& target, const Vec3& up)
{
    Vec3 f = (target - eye).Normalized();
    Vec3 s = f.Cross(up).Normalized();
    Vec3 u = s.Cross(f);
    return Matrix4(s.x, u.x, -f.x, 0, s.y, u.y, -f.y, 0, s.z, u.z, -f.z, 0, -s.Dot(eye), -u.Dot(eye), f.Dot(eye), 1);
}

}  // namespace

TEST(Matrix4, LookAtDownMinusZIsThePlainTranslation)
{
    Matrix4 frame;
    frame.MakeLookAt(Vec3(0, 0, 5), Vec3(0, 0, 0), Vec3(0, 1, 0));
    EXPECT_EQ(frame, Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1));
    frame.InvertRigid();
    EXPECT_EQ(frame, Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1));
}

struct LookAtCase {
    const char* name;
    Vec3 eye;
    Vec3 target;
    Vec3 up;
};

class Matrix4LookAt : public ::testing::TestWithParam<LookAtCase> {};

TEST_P(Matrix4LookAt, InvertRigidGivesTheStandardViewAndMapsEyeToOrigin)
{
    const LookAtCase& c = GetParam();
    Matrix4 view;
    view.MakeLookAt(c.eye, c.target, c.up);
    view.InvertRigid();
    ExpectNear(view, StandardView(c.eye, c.target, c.up));
    ExpectNear(view.TransformPoint(c.eye), Vec3(0, 0, 0), 1e-4f);
    // The target lies straight ahead, down the view's -Z.
    Vec3 ahead = view.TransformPoint(c.target);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-4f);
    EXPECT_NEAR(ahead.y, 0.0f, 1e-4f);
    EXPECT_NEAR(ahead.z, -(c.target - c.eye).Length(), 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Cases, Matrix4LookAt,
                         ::testing::Values(LookAtCase{"TowardsTheOrigin", Vec3(1, 2, 3), Vec3(0, 0, 0), Vec3(0, 1, 0)},
                                           LookAtCase{"Oblique", Vec3(-4, 10, 7), Vec3(2, 1, -3), Vec3(0, 1, 0)},
                                           LookAtCase{"FromAbove", Vec3(0, 300, 200), Vec3(0, 150, 0), Vec3(0, 1, 0)},
                                           LookAtCase{"ZUp", Vec3(5, 0, 0), Vec3(0, 0, 0), Vec3(0, 0, 1)}),
                         CaseName());

TEST(Matrix4, PerspectiveWritesOnlyItsElements)
{
    Matrix4 projection;
    projection.MakePerspective(kPi / 2.0f, 2.0f, 1.0f, 3.0f);
    float f = 1.0f / std::tan(kPi / 4.0f);
    Matrix4 expected(f / 2.0f, 0, 0, 0, 0, f, 0, 0, 0, 0, -2.0f, -1.0f, 0, 0, -3.0f, 0);
    EXPECT_EQ(projection, expected);
}

TEST(Matrix4, PerspectiveMapsNearAndFarToMinusOneAndOne)
{
    Matrix4 projection;
    projection.MakePerspective((60.0f * kPi / 180.0f), 4.0f / 3.0f, 0.5f, 100.0f);
    EXPECT_NEAR(projection.TransformPoint(Vec3(0, 0, -0.5f)).z, -1.0f, 1e-5f);
    EXPECT_NEAR(projection.TransformPoint(Vec3(0, 0, -100.0f)).z, 1.0f, 1e-5f);
}

TEST(Matrix4, PerspectiveWithTinyFieldOfViewBreaksAndLeavesTheMatrix)
{
    BreakCounter breaks;
    Matrix4 projection;
    projection.MakePerspective(0.0001f, 1.0f, 1.0f, 10.0f);
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(projection, Matrix4());
}

TEST(Matrix4, NullPointerBreaksAndStaysIdentity)
{
    BreakCounter breaks;
    Matrix4 matrix(static_cast<const float*>(nullptr));
    EXPECT_EQ(breaks.Count(), 1);
    EXPECT_EQ(matrix, Matrix4());
}

TEST(Matrix4, PointerConstructorCopiesStorageOrder)
{
    float values[16];
    for (int i = 0; i < 16; ++i)
        values[i] = static_cast<float>(i);
    Matrix4 matrix(values);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(matrix.m[i], values[i]);
}

TEST(Matrix4, InvertRigidOfNonRigidMatrixBreaksAndLeavesIt)
{
    BreakCounter breaks;
    Matrix4 projection;
    projection.MakePerspective(1.0f, 1.0f, 1.0f, 10.0f);
    std::vector<Matrix4> matrices{projection};
    for (int element : {3, 7, 11, 15}) {  // one element off the last row 0, 0, 0, 1
        matrices.emplace_back();
        matrices.back().m[element] = 0.5f;
    }
    for (Matrix4 matrix : matrices) {
        const Matrix4 before = matrix;
        matrix.InvertRigid();
        EXPECT_EQ(matrix, before);
    }
    EXPECT_EQ(breaks.Count(), 5);
}

TEST(Matrix4, MakersStartFromTheIdentity)
{
    Matrix4 m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    m.MakeScale(2, 3, 4);
    EXPECT_EQ(m, Matrix4(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1));
    m.MakeTranslation(1, 2, 3);
    EXPECT_EQ(m, Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1));
}

TEST(Matrix4, ProductAppliesTheRightOperandFirst)
{
    Matrix4 translate;
    translate.MakeTranslation(1, 2, 3);
    Matrix4 scale;
    scale.MakeScale(2, 2, 2);
    EXPECT_EQ((translate * scale).TransformPoint(Vec3(1, 1, 1)), Vec3(3, 4, 5));
    EXPECT_EQ((scale * translate).TransformPoint(Vec3(1, 1, 1)), Vec3(4, 6, 8));
}

TEST(Matrix4, DeterminantByCofactors)
{
    Matrix4 diagonal;
    diagonal.MakeScale(2, 3, 4);
    EXPECT_EQ(diagonal.Determinant(), 24.0f);
    Matrix4 swapped(0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    EXPECT_EQ(swapped.Determinant(), -1.0f);
}

TEST(Matrix4, InverseTimesMatrixIsIdentity)
{
    Matrix4 m(2, 0, 1, 0, 1, 3, 0, 0, 0, 1, 4, 0, 5, -2, 7, 1);
    ExpectNear(m.Inverse() * m, Matrix4());
    ExpectNear(m * m.Inverse(), Matrix4());
    EXPECT_EQ(Matrix4().Inverse(), Matrix4());
}

TEST(Matrix4, InverseOfSingularMatrixIsACopy)
{
    Matrix4 singular(1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 1, 3, 1, 2, 0);
    EXPECT_EQ(singular.Inverse(), singular);
}

TEST(Matrix4, TransformPointDividesByWUnlessZero)
{
    Matrix4 m;
    m.m[15] = 2.0f;
    EXPECT_EQ(m.TransformPoint(Vec3(2, 4, 6)), Vec3(1, 2, 3));
    m.m[15] = 0.0f;
    EXPECT_EQ(m.TransformPoint(Vec3(2, 4, 6)), Vec3(2, 4, 6));
}

TEST(Matrix4, ScaleAxesLeavesTranslationAndBottomRow)
{
    Matrix4 m(1, 2, 3, 13, 4, 5, 6, 14, 7, 8, 9, 15, 10, 11, 12, 1);
    m.ScaleAxes(2.0f);
    EXPECT_EQ(m, Matrix4(2, 4, 6, 13, 8, 10, 12, 14, 14, 16, 18, 15, 10, 11, 12, 1));
}

TEST(Matrix4, ForwardIsTheNegatedThirdColumn)
{
    Matrix4 frame;
    frame.MakeLookAt(Vec3(0, 0, 0), Vec3(3, 0, 0), Vec3(0, 1, 0));
    ExpectNear(frame.GetForward(), Vec3(1, 0, 0));
    ExpectNear(frame.GetUp(), Vec3(0, 1, 0));
}

TEST(Matrix4, TransposeSwapsRowsAndColumns)
{
    Matrix4 m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    m.Transpose();
    EXPECT_EQ(m, Matrix4(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
}
