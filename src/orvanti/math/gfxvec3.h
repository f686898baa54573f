// GfxVec3: the graphics code's own point record (a mesh vertex, a corner
// of a bounding box). Plain data, (0, 0, 0) by default.
#pragma once

struct GfxVec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    GfxVec3() = default;
    GfxVec3(float xValue, float yValue, float zValue)
        : x(xValue),
          y(yValue),
          z(zValue)
    {}

    bool operator==(const GfxVec3& o) const { return x == o.x && y == o.y && z == o.z; }
};
