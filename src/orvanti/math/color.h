// Color: an RGBA colour of four floats, opaque black (0, 0, 0, 1) by default.
#pragma once

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    Color() = default;
    Color(float red, float green, float blue)
        : r(red),
          g(green),
          b(blue)
    {}
    Color(float red, float green, float blue, float alpha)
        : r(red),
          g(green),
          b(blue),
          a(alpha)
    {}
};
