// Rect: an axis-aligned rectangle of four floats, in the order x0 (min x),
// x1 (max x), y0 (min y), y1 (max y). The world's bounds, the grid's area
// and the 2D screens' frames use it.
#pragma once

#include "vec2.h"

struct Rect {
    float x0 = 0.0f;
    float x1 = 0.0f;
    float y0 = 0.0f;
    float y1 = 0.0f;

    Rect() = default;
    Rect(float minX, float maxX, float minY, float maxY)
        : x0(minX),
          x1(maxX),
          y0(minY),
          y1(maxY)
    {}

    Vec2 LowerLeft() const { return Vec2(x0, y0); }
    Vec2 UpperLeft() const { return Vec2(x0, y1); }
    Vec2 LowerRight() const { return Vec2(x1, y0); }
    Vec2 UpperRight() const { return Vec2(x1, y1); }
};
