// TexCoord: a texture coordinate of a mesh, (0, 0) by default.
#pragma once

struct TexCoord {
    float u = 0.0f;
    float v = 0.0f;

    TexCoord() = default;
    TexCoord(float uValue, float vValue)
        : u(uValue),
          v(vValue)
    {}

    bool operator==(const TexCoord& o) const { return u == o.u && v == o.v; }
};
