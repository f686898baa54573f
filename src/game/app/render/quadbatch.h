// Camera-facing textured quads of one billboard pass, collected on the CPU
// and drawn from client arrays: one glDrawArrays for each run of quads that
// share a blend function and a texture, in the order they were added. The
// glow and sprite passes fill one each per frame; storage is kept.
#pragma once

#include "vec3.h"

#include <cstdint>
#include <vector>

// A picture's corner texture coordinates: (u0, v0) at the quad's lower left.
struct UvRect {
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;
};

struct QuadColor {
    float r;
    float g;
    float b;
    float a;
};

class QuadBatch {
public:
    // Empties the quads and runs.
    void Clear();

    // A quad with corners centre - right - up, centre + right - up,
    // centre + right + up, centre - right + up (texture corners as
    // DrawCenteredQuad's), blended with (GL_SRC_ALPHA, destination).
    // Starts a run when the blend or the texture differs from the last quad's.
    void Add(uint32_t destination, uint32_t texture, const Vec3& centre, const Vec3& right, const Vec3& up,
             const UvRect& uv, const QuadColor& color);
    // The next quad starts a run of its own (something is drawn in between).
    void Break() { broken_ = true; }

    int RunCount() const { return static_cast<int>(runs_.size()); }
    int QuadCount() const { return static_cast<int>(vertices_.size() / 4); }

    // How a quad's colour reaches its pixels. Smooth interpolates between its
    // four equal corners, which can move a value by a rounding step where it
    // sits on an edge between two bytes (the pure glow's 0.9 x 255 = 229.5);
    // flat takes it as it stands, as a colour set once for a whole quad is.
    // Flat shading is set for the draws and smooth shading restored after.
    enum class Shading { kSmooth, kFlat };

    // Draws runs [first, last): the blend and the texture set where they
    // change, the client arrays enabled for the draws and disabled after.
    // Then the current colour is the last quad's and the texture coordinate
    // (0, 1), as drawing that quad in immediate mode would have left them.
    void Draw(int first, int last, Shading shading);

private:
    struct Vertex {
        float x, y, z;
        float u, v;
        float r, g, b, a;
    };
    struct Run {
        uint32_t destination;
        uint32_t texture;
        int32_t first;  // vertex index
        int32_t count;  // vertices
    };

    std::vector<Vertex> vertices_;
    std::vector<Run> runs_;
    bool broken_ = true;
};
