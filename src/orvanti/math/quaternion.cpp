// Quaternion operations.
#include "quaternion.h"

#include "matrix4.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kFromMatrixThreshold = 1e-7f;
// Above this |cosine| the arc is too short for sin(theta) to divide by.
constexpr float kSlerpLerpThreshold = 0.9995f;
}  // namespace

Quaternion::Quaternion(float wValue, float xValue, float yValue, float zValue)
    : w(wValue),
      x(xValue),
      y(yValue),
      z(zValue)
{}

Quaternion::Quaternion(float heading, float pitch, float roll)
{
    SetEuler(heading, pitch, roll);
}

Quaternion::Quaternion(float angle, const Vec3& axis)
{
    SetAxisAngle(angle, axis);
}

Quaternion::Quaternion(const Matrix4& matrix)
{
    SetFromMatrix(matrix);
}

void Quaternion::SetAxisAngle(float angle, float axisX, float axisY, float axisZ)
{
    float half = angle * 0.5f;
    float s = std::sin(half);
    w = std::cos(half);
    x = s * axisX;
    y = s * axisY;
    z = s * axisZ;
}

void Quaternion::SetAxisAngle(float angle, const Vec3& axis)
{
    SetAxisAngle(angle, axis.x, axis.y, axis.z);
}

void Quaternion::SetEuler(float heading, float pitch, float roll)
{
    Quaternion qh;
    qh.SetAxisAngle(heading, 0.0f, 1.0f, 0.0f);
    Quaternion qp;
    qp.SetAxisAngle(pitch, 1.0f, 0.0f, 0.0f);
    Quaternion qr;
    qr.SetAxisAngle(roll, 0.0f, 0.0f, -1.0f);
    *this = (qh * qp) * qr;
}

void Quaternion::SetFromMatrix(const Matrix4& matrix)
{
    const float* m = matrix.m;
    float w2 = (1.0f + m[0] + m[5] + m[10]) * 0.25f;
    if (w2 > kFromMatrixThreshold) {
        w = std::sqrt(w2);
        float s = 1.0f / (4.0f * w);
        x = (m[6] - m[9]) * s;
        y = (m[8] - m[2]) * s;
        z = (m[1] - m[4]) * s;
    } else {
        w = 0.0f;
        float x2 = -(m[5] + m[10]) * 0.5f;
        if (x2 > kFromMatrixThreshold) {
            x = std::sqrt(x2);
            float s = 1.0f / (2.0f * x);
            y = m[1] * s;
            z = m[2] * s;
        } else {
            x = 0.0f;
            float y2 = (1.0f - m[10]) * 0.5f;
            if (y2 > kFromMatrixThreshold) {
                y = std::sqrt(y2);
                z = m[6] / (2.0f * y);
            } else {
                y = 0.0f;
                z = 1.0f;
            }
        }
    }
    float length = std::sqrt(w * w + x * x + y * y + z * z);
    w /= length;
    x /= length;
    y /= length;
    z /= length;
}

Quaternion Quaternion::operator*(const Quaternion& q) const
{
    // (w1*w2 - P.Q, w1*Q + w2*P + P x Q)
    return Quaternion(w * q.w - (x * q.x + y * q.y + z * q.z), w * q.x + q.w * x + (y * q.z - z * q.y),
                      w * q.y + q.w * y + (z * q.x - x * q.z), w * q.z + q.w * z + (x * q.y - y * q.x));
}

Quaternion& Quaternion::operator*=(const Quaternion& other)
{
    *this = *this * other;
    return *this;
}

Vec3 Quaternion::Rotate(const Vec3& v) const
{
    float ww = w * w;
    float xx = x * x;
    float yy = y * y;
    float zz = z * z;
    return Vec3((ww + xx - yy - zz) * v.x + 2.0f * (x * y - w * z) * v.y + 2.0f * (x * z + w * y) * v.z,
                2.0f * (x * y + w * z) * v.x + (ww - xx + yy - zz) * v.y + 2.0f * (y * z - w * x) * v.z,
                2.0f * (x * z - w * y) * v.x + 2.0f * (y * z + w * x) * v.y + (ww - xx - yy + zz) * v.z);
}

float Quaternion::GetAngle() const
{
    return 2.0f * std::acos(w);
}

Quaternion Quaternion::Inverse() const
{
    float squared = w * w + x * x + y * y + z * z;
    return Quaternion(w / squared, -x / squared, -y / squared, -z / squared);
}

void Quaternion::Invert()
{
    *this = Inverse();
}

void Quaternion::Normalize()
{
    float length = std::sqrt(w * w + x * x + y * y + z * z);
    if (length == 0.0f)
        return;
    w /= length;
    x /= length;
    y /= length;
    z /= length;
}

Quaternion Quaternion::Lerp(const Quaternion& q, float t) const
{
    float s = 1.0f - t;
    return Quaternion(s * w + t * q.w, s * x + t * q.x, s * y + t * q.y, s * z + t * q.z);
}

Quaternion Quaternion::Slerp(const Quaternion& q, float t) const
{
    float d = w * q.w + x * q.x + y * q.y + z * q.z;
    // q and -q are one rotation: take the shorter arc.
    float sign = d > 0.0f ? 1.0f : -1.0f;
    float cosine = std::min(std::fabs(d), 1.0f);
    Quaternion target(sign * q.w, sign * q.x, sign * q.y, sign * q.z);
    if (cosine > kSlerpLerpThreshold) {
        Quaternion result = Lerp(target, t);
        result.Normalize();
        return result;
    }
    float theta = std::acos(cosine);
    float sinTheta = std::sin(theta);
    float a = std::sin((1.0f - t) * theta) / sinTheta;
    float b = std::sin(t * theta) / sinTheta;
    return Quaternion(a * w + b * target.w, a * x + b * target.x, a * y + b * target.y, a * z + b * target.z);
}
