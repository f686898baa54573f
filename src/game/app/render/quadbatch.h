// Camera-facing textured quads of one billboard pass, collected on the CPU
// and drawn from client arrays: one glDrawArrays for each run of quads that
// share a blend function and a texture. A quad may join an earlier run of
// its kind when it covers none of the screen tiles of the runs it then
// passes, so every pixel still sees its quads in the order they were added.
// A quad may be cut to the part where its picture has alpha: the pixels
// left out would have been blended with alpha 0 and kept as they were.
// The glow and sprite passes fill one each per frame; storage is kept.
#pragma once

#include "vec3.h"

#include <array>
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
    // Screen tiles a quad's window rectangle is tested against, per side.
    static constexpr int kTiles = 32;
    // Runs a quad looks back over for one of its kind.
    static constexpr int kLookBack = 16;

    // Empties the quads and runs and forgets the screen.
    void Clear();

    // Where the quads land: the projection times the model-view matrix in
    // effect when they are drawn (column-major, as GL keeps them) and the
    // viewport. Until it is set every quad counts as covering the whole
    // screen, and runs follow the order of adding strictly.
    void SetScreen(const float clipFromQuad[16], const int viewport[4]);
    // SetScreen from the GL's current matrices and viewport.
    void ReadScreen();

    // The unit axes of the quads' plane (the billboard matrix's first two
    // columns); set after SetScreen, before adding.
    void SetAxes(const Vec3& right, const Vec3& up);

    // A quad of half size h with corners centre - h right - h up,
    // centre + h right - h up, centre + h right + h up, centre - h right + h up
    // (texture corners as DrawCenteredQuad's), blended with (GL_SRC_ALPHA,
    // destination). Only `part` of it goes to GL: the shares of its width and
    // height (0 to 1 from its lower left) outside which its picture is wholly
    // transparent, with the texture coordinates the whole quad has there.
    void Add(uint32_t destination, uint32_t texture, const Vec3& centre, float h, const UvRect& uv,
             const QuadColor& color, const UvRect& part = UvRect());
    // Later quads join no run before this point (something is drawn there).
    void Break() { open_ = RunCount(); }

    int RunCount() const { return static_cast<int>(runs_.size()); }
    int QuadCount() const { return static_cast<int>(runOfQuad_.size()); }

    // How a quad's colour reaches its pixels. Smooth interpolates between its
    // four equal corners, which can move a value by a rounding step where it
    // sits on an edge between two bytes (the pure glow's 0.9 x 255 = 229.5);
    // flat takes it as it stands, as a colour set once for a whole quad is.
    // Flat shading is set for the draws and smooth shading restored after.
    enum class Shading { kSmooth, kFlat };

    // Draws runs [first, last): the blend and the texture set where they
    // change, the client arrays enabled for the draws and disabled after.
    // Then the blend function, the texture and the current colour are those
    // of the last quad added to these runs and the texture coordinate is
    // (0, 1), as drawing the quads one by one in immediate mode would have
    // left them.
    void Draw(int first, int last, Shading shading);

private:
    // Screen tiles, one bit per column in each row.
    using Rows = std::array<uint32_t, kTiles>;
    // The tiles of one quad: columns `columns` in rows first to last.
    struct Span {
        uint32_t columns;
        int first;
        int last;
    };

    struct Vertex {
        float x, y, z;
        float u, v;
        float r, g, b, a;
    };
    struct Run {
        uint32_t destination;
        uint32_t texture;
        int32_t first;   // vertex index in ordered_
        int32_t count;   // vertices
        int32_t latest;  // the last quad added to it
        Rows tiles;
    };

    Span QuadTiles(const Vec3& centre, float h, const UvRect& part) const;
    // Lays the quads out run after run in ordered_.
    void Order();

    std::vector<Vertex> vertices_;  // in the order of adding
    std::vector<int32_t> runOfQuad_;
    std::vector<Run> runs_;
    std::vector<Vertex> ordered_;
    std::vector<int32_t> next_;
    int open_ = 0;  // first run a quad may join
    bool ordered_valid_ = false;
    bool screen_ = false;
    float clip_[16] = {};
    Vec3 right_;
    Vec3 up_;
    float clipRight_[3] = {};  // x, y and w of the axes in clip space
    float clipUp_[3] = {};
    float viewport_[4] = {};
};
