// Vec3: the 3-vector of the world, the cameras and the game code.
// A plain value of three floats, (0, 0, 0) by default.
#pragma once

#include <cmath>

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    Vec3(float xValue, float yValue, float zValue)
        : x(xValue),
          y(yValue),
          z(zValue)
    {}

    Vec3 operator+(const Vec3& o) const { return Vec3(x + o.x, y + o.y, z + o.z); }
    Vec3 operator-(const Vec3& o) const { return Vec3(x - o.x, y - o.y, z - o.z); }
    Vec3 operator-() const { return Vec3(-x, -y, -z); }
    Vec3 operator*(float s) const { return Vec3(x * s, y * s, z * s); }
    // No test for 0.
    Vec3 operator/(float s) const { return Vec3(x / s, y / s, z / s); }
    Vec3& operator+=(const Vec3& o)
    {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vec3& operator*=(float s)
    {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    Vec3& operator/=(float s)
    {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    bool operator==(const Vec3& o) const { return x == o.x && y == o.y && z == o.z; }

    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    float Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 Cross(const Vec3& o) const { return Vec3(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x); }

    // In place; unchanged when the length is exactly 0.
    Vec3& Normalize()
    {
        float length = Length();
        if (length != 0.0f) {
            x /= length;
            y /= length;
            z /= length;
        }
        return *this;
    }
    Vec3 Normalized() const
    {
        Vec3 copy = *this;
        return copy.Normalize();
    }

    // The part of other along this vector.
    Vec3 ProjectOnto(const Vec3& other) const
    {
        float length = Length();
        return *this * (Dot(other) / (length * length));
    }
    // As ProjectOnto, with this taken to be of unit length.
    Vec3 ProjectOntoUnit(const Vec3& other) const { return *this * Dot(other); }
};

inline Vec3 operator*(float s, const Vec3& v)
{
    return v * s;
}
