// Batched billboard quads; see quadbatch.h.
#include "quadbatch.h"

#include <GL/glew.h>

#include <cstddef>

void QuadBatch::Clear()
{
    vertices_.clear();
    runs_.clear();
    broken_ = true;
}

void QuadBatch::Add(uint32_t destination, uint32_t texture, const Vec3& centre, const Vec3& right, const Vec3& up,
                    const UvRect& uv, const QuadColor& color)
{
    const int32_t first = static_cast<int32_t>(vertices_.size());
    if (broken_ || runs_.back().destination != destination || runs_.back().texture != texture) {
        runs_.push_back(Run{destination, texture, first, 0});
        broken_ = false;
    }
    const Vec3 low = centre - up;
    const Vec3 high = centre + up;
    const Vec3 corners[4] = {low - right, low + right, high + right, high - right};
    const float us[4] = {uv.u0, uv.u1, uv.u1, uv.u0};
    const float vs[4] = {uv.v0, uv.v0, uv.v1, uv.v1};
    for (int i = 0; i < 4; ++i) {
        vertices_.push_back(
            Vertex{corners[i].x, corners[i].y, corners[i].z, us[i], vs[i], color.r, color.g, color.b, color.a});
    }
    runs_.back().count += 4;
}

void QuadBatch::Draw(int first, int last, Shading shading)
{
    if (first < 0 || last > RunCount() || first >= last) {
        return;
    }
    const Vertex* base = vertices_.data();
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
    const Run& lastRun = runs_[static_cast<size_t>(last - 1)];
    const Vertex& corner = vertices_[static_cast<size_t>(lastRun.first + lastRun.count - 1)];
    glColor4f(corner.r, corner.g, corner.b, corner.a);
    glTexCoord2f(0.0f, 1.0f);
}
