// Batched billboard quads; see quadbatch.h.
#include "quadbatch.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Window pixels added around a quad's corners before it is put in tiles.
constexpr float kMargin = 2.0f;
// Corners this near the eye plane (or behind it) cover every tile.
constexpr float kNearW = 1e-4f;

// A point or direction in clip space, z left out.
struct Clip {
    float x, y, w;
};

// The point a share s of the way from a to b; exactly a at 0 and b at 1.
float Between(float a, float b, float s)
{
    return a * (1.0f - s) + b * s;
}

// A share of a quad's side (0 to 1) as an offset from its centre, in half sizes.
float FromCentre(float share)
{
    return 2.0f * share - 1.0f;
}

}  // namespace

void QuadBatch::Clear()
{
    vertices_.clear();
    runOfQuad_.clear();
    runs_.clear();
    open_ = 0;
    ordered_valid_ = false;
    screen_ = false;
}

void QuadBatch::SetScreen(const float clipFromQuad[16], const int viewport[4])
{
    std::copy(clipFromQuad, clipFromQuad + 16, clip_);
    for (int i = 0; i < 4; ++i) {
        viewport_[i] = static_cast<float>(viewport[i]);
    }
    screen_ = viewport[2] > 0 && viewport[3] > 0;
}

void QuadBatch::ReadScreen()
{
    float projection[16];
    float modelView[16];
    int viewport[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetIntegerv(GL_VIEWPORT, viewport);
    float clip[16];
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += projection[k * 4 + row] * modelView[column * 4 + k];
            }
            clip[column * 4 + row] = sum;
        }
    }
    SetScreen(clip, viewport);
}

void QuadBatch::SetAxes(const Vec3& right, const Vec3& up)
{
    right_ = right;
    up_ = up;
    const float* m = clip_;
    const Vec3* axes[2] = {&right_, &up_};
    float* out[2] = {clipRight_, clipUp_};
    for (int i = 0; i < 2; ++i) {
        const Vec3& d = *axes[i];
        out[i][0] = m[0] * d.x + m[4] * d.y + m[8] * d.z;
        out[i][1] = m[1] * d.x + m[5] * d.y + m[9] * d.z;
        out[i][2] = m[3] * d.x + m[7] * d.y + m[11] * d.z;
    }
}

QuadBatch::Span QuadBatch::QuadTiles(const Vec3& centre, float h, const UvRect& part) const
{
    const Span all{~0u, 0, kTiles - 1};
    if (!screen_) {
        return all;
    }
    const float* m = clip_;
    const Clip c{m[0] * centre.x + m[4] * centre.y + m[8] * centre.z + m[12],
                 m[1] * centre.x + m[5] * centre.y + m[9] * centre.z + m[13],
                 m[3] * centre.x + m[7] * centre.y + m[11] * centre.z + m[15]};
    const Clip r{h * clipRight_[0], h * clipRight_[1], h * clipRight_[2]};
    const Clip u{h * clipUp_[0], h * clipUp_[1], h * clipUp_[2]};
    float x0 = INFINITY;
    float x1 = -INFINITY;
    float y0 = INFINITY;
    float y1 = -INFINITY;
    // The corners' offsets along right and up, in half sizes.
    const float left = FromCentre(part.u0);
    const float right = FromCentre(part.u1);
    const float low = FromCentre(part.v0);
    const float high = FromCentre(part.v1);
    const float corners[4][2] = {{left, low}, {right, low}, {right, high}, {left, high}};
    for (const auto& s : corners) {
        const float w = c.w + s[0] * r.w + s[1] * u.w;
        if (!(w > kNearW)) {
            return all;
        }
        const float inverse = 1.0f / w;
        const float x = (c.x + s[0] * r.x + s[1] * u.x) * inverse;
        const float y = (c.y + s[0] * r.y + s[1] * u.y) * inverse;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
    // Normalised device coordinates (-1 to 1) to tiles, widened by the margin.
    const float half = 0.5f * static_cast<float>(kTiles);
    const float mx = kMargin * static_cast<float>(kTiles) / viewport_[2];
    const float my = kMargin * static_cast<float>(kTiles) / viewport_[3];
    const float fx0 = (x0 + 1.0f) * half - mx;
    const float fx1 = (x1 + 1.0f) * half + mx;
    const float fy0 = (y0 + 1.0f) * half - my;
    const float fy1 = (y1 + 1.0f) * half + my;
    if (!(fx0 <= fx1 && fy0 <= fy1)) {
        return all;  // not a number
    }
    if (fx1 < 0.0f || fy1 < 0.0f || fx0 >= kTiles || fy0 >= kTiles) {
        return Span{0u, 0, -1};  // off the screen: covers no pixel
    }
    const int tx0 = std::max(0, static_cast<int>(fx0));
    const int tx1 = std::min(kTiles - 1, static_cast<int>(fx1));
    const uint32_t columns = static_cast<uint32_t>(((~uint64_t{0}) >> (63 - (tx1 - tx0))) << tx0);
    return Span{columns, std::max(0, static_cast<int>(fy0)), std::min(kTiles - 1, static_cast<int>(fy1))};
}

void QuadBatch::Add(uint32_t destination, uint32_t texture, const Vec3& centre, float h, const UvRect& uv,
                    const QuadColor& color, const UvRect& part)
{
    const Span span = QuadTiles(centre, h, part);
    int target = -1;
    const int oldest = std::max(open_, RunCount() - kLookBack);
    for (int i = RunCount() - 1; i >= oldest && target < 0; --i) {
        const Run& run = runs_[static_cast<size_t>(i)];
        if (run.destination == destination && run.texture == texture) {
            target = i;
            break;
        }
        bool overlaps = false;
        for (int row = span.first; row <= span.last; ++row) {
            overlaps = overlaps || (run.tiles[static_cast<size_t>(row)] & span.columns) != 0;
        }
        if (overlaps) {
            break;
        }
    }
    const int32_t quad = QuadCount();
    if (target < 0) {
        runs_.push_back(Run{destination, texture, 0, 0, quad, Rows{}});
        target = RunCount() - 1;
    }
    Run& run = runs_[static_cast<size_t>(target)];
    run.count += 4;
    run.latest = quad;
    for (int row = span.first; row <= span.last; ++row) {
        run.tiles[static_cast<size_t>(row)] |= span.columns;
    }
    runOfQuad_.push_back(target);
    const Vec3 right = right_ * h;
    const Vec3 up = up_ * h;
    const Vec3 low = centre + up * FromCentre(part.v0);
    const Vec3 high = centre + up * FromCentre(part.v1);
    const Vec3 left = right * FromCentre(part.u0);
    const Vec3 across = right * FromCentre(part.u1);
    const Vec3 corners[4] = {low + left, low + across, high + across, high + left};
    const float u0 = Between(uv.u0, uv.u1, part.u0);
    const float u1 = Between(uv.u0, uv.u1, part.u1);
    const float v0 = Between(uv.v0, uv.v1, part.v0);
    const float v1 = Between(uv.v0, uv.v1, part.v1);
    const float us[4] = {u0, u1, u1, u0};
    const float vs[4] = {v0, v0, v1, v1};
    for (int i = 0; i < 4; ++i) {
        vertices_.push_back(
            Vertex{corners[i].x, corners[i].y, corners[i].z, us[i], vs[i], color.r, color.g, color.b, color.a});
    }
    ordered_valid_ = false;
}

void QuadBatch::Order()
{
    int32_t first = 0;
    next_.resize(runs_.size());
    for (size_t i = 0; i < runs_.size(); ++i) {
        runs_[i].first = first;
        next_[i] = first;
        first += runs_[i].count;
    }
    ordered_.resize(vertices_.size());
    for (size_t q = 0; q < runOfQuad_.size(); ++q) {
        int32_t& to = next_[static_cast<size_t>(runOfQuad_[q])];
        std::copy(&vertices_[q * 4], &vertices_[q * 4] + 4, &ordered_[static_cast<size_t>(to)]);
        to += 4;
    }
    ordered_valid_ = true;
}

void QuadBatch::Draw(int first, int last, Shading shading)
{
    if (first < 0 || last > RunCount() || first >= last) {
        return;
    }
    if (!ordered_valid_) {
        Order();
    }
    const Vertex* base = ordered_.data();
    constexpr GLsizei kStride = sizeof(Vertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, kStride, &base->x);
    glTexCoordPointer(2, GL_FLOAT, kStride, &base->u);
    glColorPointer(4, GL_FLOAT, kStride, &base->r);
    GLint destination = 0;
    GLint texture = 0;
    glGetIntegerv(GL_BLEND_DST, &destination);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    if (shading == Shading::kFlat) {
        glShadeModel(GL_FLAT);
    }
    for (int i = first; i < last; ++i) {
        const Run& run = runs_[static_cast<size_t>(i)];
        if (static_cast<uint32_t>(destination) != run.destination) {
            destination = static_cast<GLint>(run.destination);
            glBlendFunc(GL_SRC_ALPHA, run.destination);
        }
        if (static_cast<uint32_t>(texture) != run.texture) {
            texture = static_cast<GLint>(run.texture);
            glBindTexture(GL_TEXTURE_2D, run.texture);
        }
        glDrawArrays(GL_QUADS, run.first, run.count);
    }
    if (shading == Shading::kFlat) {
        glShadeModel(GL_SMOOTH);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    // The state the last quad added would have left, not the last run drawn.
    int latestRun = first;
    for (int i = first; i < last; ++i) {
        if (runs_[static_cast<size_t>(i)].latest > runs_[static_cast<size_t>(latestRun)].latest) {
            latestRun = i;
        }
    }
    const Run& run = runs_[static_cast<size_t>(latestRun)];
    if (static_cast<uint32_t>(destination) != run.destination) {
        glBlendFunc(GL_SRC_ALPHA, run.destination);
    }
    if (static_cast<uint32_t>(texture) != run.texture) {
        glBindTexture(GL_TEXTURE_2D, run.texture);
    }
    const Vertex& corner = vertices_[static_cast<size_t>(run.latest) * 4 + 3];
    glColor4f(corner.r, corner.g, corner.b, corner.a);
    glTexCoord2f(0.0f, 1.0f);
}
