// Vec2: the 2-vector of the simulation plane, the grid and the 2D screens.
// A plain value of two floats; there is no default constructor.
#pragma once

#include <cmath>

struct Vec2 {
    float x;
    float y;

    Vec2(float xValue, float yValue)
        : x(xValue),
          y(yValue)
    {}

    Vec2& operator+=(const Vec2& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }
    Vec2& operator-=(const Vec2& other)
    {
        x -= other.x;
        y -= other.y;
        return *this;
    }
    // No test for 0.
    Vec2& operator*=(float s)
    {
        x *= s;
        y *= s;
        return *this;
    }
    Vec2& operator/=(float s)
    {
        x /= s;
        y /= s;
        return *this;
    }
    Vec2 operator-() const { return Vec2(-x, -y); }
    bool operator==(const Vec2& other) const { return x == other.x && y == other.y; }

    float Length() const { return std::sqrt(x * x + y * y); }
    float LengthSquared() const { return x * x + y * y; }

    // In place; unchanged when the squared length is exactly 0.
    Vec2& Normalize()
    {
        float squared = LengthSquared();
        if (squared != 0.0f) {
            float length = std::sqrt(squared);
            x /= length;
            y /= length;
        }
        return *this;
    }
    Vec2 Normalized() const
    {
        Vec2 copy = *this;
        return copy.Normalize();
    }
};
