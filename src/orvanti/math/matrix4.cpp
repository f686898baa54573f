// Matrix4 operations: products, inverses, and the rotation, look-at and
// perspective builders.
#include "matrix4.h"

#include "debugbreak.h"

#include <cmath>
#include <cstring>

namespace {
constexpr float kMinPerspectiveFovy = 0.0001f;

// Element (row, column) of column-major storage.
float At(const float* m, int row, int column)
{
    return m[column * 4 + row];
}

// Determinant of the 3 x 3 minor that leaves out one row and one column,
// expanded along its first row by 2 x 2 minors.
float Minor(const float* m, int skipRow, int skipColumn)
{
    int rows[3];
    int columns[3];
    for (int i = 0, r = 0; i < 4; ++i) {
        if (i != skipRow)
            rows[r++] = i;
    }
    for (int i = 0, c = 0; i < 4; ++i) {
        if (i != skipColumn)
            columns[c++] = i;
    }
    auto a = [&](int r, int c) { return At(m, rows[r], columns[c]); };
    return a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) - a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
           a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
}
}  // namespace

Matrix4::Matrix4()
{
    SetIdentity();
}

Matrix4::Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
                 float m10, float m11, float m12, float m13, float m14, float m15)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15}
{}

Matrix4::Matrix4(const float* values)
{
    SetIdentity();
    if (values == nullptr) {
        DEBUG_BREAK("Matrix4 built from a null pointer");
        return;
    }
    std::memcpy(m, values, sizeof(m));
}

Matrix4::Matrix4(float heading, float pitch, float roll)
{
    MakeRotation(heading, pitch, roll);
}

Matrix4::Matrix4(const Quaternion& rotation)
{
    MakeRotation(rotation);
}

Matrix4 Matrix4::operator*(const Matrix4& other) const
{
    Matrix4 result;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += m[k * 4 + r] * other.m[c * 4 + k];
            result.m[c * 4 + r] = sum;
        }
    }
    return result;
}

Matrix4& Matrix4::operator*=(const Matrix4& other)
{
    *this = *this * other;
    return *this;
}

bool Matrix4::operator==(const Matrix4& other) const
{
    for (int i = 0; i < 16; ++i) {
        if (m[i] != other.m[i])
            return false;
    }
    return true;
}

void Matrix4::SetIdentity()
{
    for (int i = 0; i < 16; ++i)
        m[i] = 0.0f;
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

Matrix4& Matrix4::Transpose()
{
    for (int r = 0; r < 4; ++r) {
        for (int c = r + 1; c < 4; ++c) {
            float t = m[c * 4 + r];
            m[c * 4 + r] = m[r * 4 + c];
            m[r * 4 + c] = t;
        }
    }
    return *this;
}

float Matrix4::Determinant() const
{
    float det = 0.0f;
    for (int c = 0; c < 4; ++c) {
        float term = At(m, 0, c) * Minor(m, 0, c);
        det += (c % 2 == 0) ? term : -term;
    }
    return det;
}

Matrix4 Matrix4::Inverse() const
{
    float det = Determinant();
    if (det == 0.0f)
        return *this;
    float scale = 1.0f / det;
    Matrix4 result;
    // Inverse (r, c) = cofactor (c, r) / det.
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float cofactor = Minor(m, c, r);
            if ((r + c) % 2 != 0)
                cofactor = -cofactor;
            result.m[c * 4 + r] = cofactor * scale;
        }
    }
    return result;
}

void Matrix4::Invert()
{
    *this = Inverse();
}

Matrix4& Matrix4::InvertRigid()
{
    if (m[3] != 0.0f || m[7] != 0.0f || m[11] != 0.0f || m[15] != 1.0f) {
        DEBUG_BREAK("InvertRigid of a matrix whose last row is not 0, 0, 0, 1");
        return *this;
    }
    float t;
    t = m[1], m[1] = m[4], m[4] = t;
    t = m[2], m[2] = m[8], m[8] = t;
    t = m[6], m[6] = m[9], m[9] = t;
    m[12] = -m[12];
    m[13] = -m[13];
    m[14] = -m[14];
    return *this;
}

Vec3 Matrix4::TransformPoint(const Vec3& p) const
{
    float x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
    float y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
    float z = m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14];
    float w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    if (w == 0.0f)
        return Vec3(x, y, z);
    return Vec3(x / w, y / w, z / w);
}

void Matrix4::SetTranslation(float x, float y, float z)
{
    m[12] = x;
    m[13] = y;
    m[14] = z;
}

void Matrix4::Translate(float x, float y, float z)
{
    m[12] += x;
    m[13] += y;
    m[14] += z;
}

void Matrix4::MakeTranslation(float x, float y, float z)
{
    SetIdentity();
    SetTranslation(x, y, z);
}

void Matrix4::MakeScale(float sx, float sy, float sz)
{
    SetIdentity();
    m[0] = sx;
    m[5] = sy;
    m[10] = sz;
}

void Matrix4::MakeUniformScale(float s)
{
    MakeScale(s, s, s);
}

void Matrix4::ScaleAxes(float s)
{
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row)
            m[column * 4 + row] *= s;
    }
}

void Matrix4::MakeRotation(const Quaternion& q)
{
    float w = q.w;
    float x = q.x;
    float y = q.y;
    float z = q.z;
    m[0] = 1.0f - 2.0f * (y * y + z * z);
    m[1] = 2.0f * (x * y + w * z);
    m[2] = 2.0f * (x * z - w * y);
    m[3] = 0.0f;
    m[4] = 2.0f * (x * y - w * z);
    m[5] = 1.0f - 2.0f * (z * z + x * x);
    m[6] = 2.0f * (y * z + w * x);
    m[7] = 0.0f;
    m[8] = 2.0f * (x * z + w * y);
    m[9] = 2.0f * (y * z - w * x);
    m[10] = 1.0f - 2.0f * (x * x + y * y);
    m[11] = 0.0f;
    m[12] = m[13] = m[14] = 0.0f;
    m[15] = 1.0f;
}

void Matrix4::MakeRotation(float angle, float axisX, float axisY, float axisZ)
{
    Quaternion q;
    q.SetAxisAngle(angle, axisX, axisY, axisZ);
    MakeRotation(q);
}

void Matrix4::MakeRotation(float angle, const Vec3& axis)
{
    MakeRotation(angle, axis.x, axis.y, axis.z);
}

void Matrix4::MakeRotation(float heading, float pitch, float roll)
{
    Quaternion q;
    q.SetEuler(heading, pitch, roll);
    MakeRotation(q);
}

void Matrix4::MakeLookAt(const Vec3& eye, const Vec3& target, const Vec3& up)
{
    Vec3 direction = (target - eye).Normalized();
    Vec3 right = direction.Cross(up).Normalized();
    Vec3 realUp = right.Cross(direction);
    Vec3 back = -direction;
    m[0] = right.x, m[1] = right.y, m[2] = right.z, m[3] = 0.0f;
    m[4] = realUp.x, m[5] = realUp.y, m[6] = realUp.z, m[7] = 0.0f;
    m[8] = back.x, m[9] = back.y, m[10] = back.z, m[11] = 0.0f;
    m[12] = eye.Dot(right);
    m[13] = eye.Dot(realUp);
    m[14] = eye.Dot(back);
    m[15] = 1.0f;
}

void Matrix4::MakePerspective(float fovy, float aspect, float nearPlane, float farPlane)
{
    if (fovy <= kMinPerspectiveFovy) {
        DEBUG_BREAK("MakePerspective with a field of view of 0.0001 or less");
        return;
    }
    float f = 1.0f / std::tan(fovy / 2.0f);
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
    m[11] = -1.0f;
    m[14] = 2.0f * farPlane * nearPlane / (nearPlane - farPlane);
    m[15] = 0.0f;
}
