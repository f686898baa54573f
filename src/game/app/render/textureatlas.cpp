// Picture atlas of the billboard passes; see textureatlas.h.
#include "textureatlas.h"

#include "texture.h"

#include <GL/glew.h>

#include <algorithm>

namespace {

constexpr int kBorder = 1;  // texels around each picture

struct Picture {
    GLint width = 0;
    GLint height = 0;
    GLint wrapS = 0;
    GLint wrapT = 0;
    GLint minFilter = 0;
    GLint magFilter = 0;
    std::vector<unsigned char> rgba;
};

bool IsPlainColorFormat(GLint format)
{
    switch (format) {
        case 3:
        case 4:
        case GL_RGB:
        case GL_RGBA:
        case GL_RGB8:
        case GL_RGBA8:
            return true;
        default:
            return false;
    }
}

bool IsPlainWrap(GLint wrap)
{
    return wrap == GL_REPEAT || wrap == GL_CLAMP_TO_EDGE;
}

bool IsPlainFilter(GLint filter)
{
    return filter == GL_LINEAR || filter == GL_NEAREST;
}

// Reads the bound picture's level 0 and sampling state; false when it cannot go in an atlas.
bool ReadPicture(GLuint name, Picture& picture)
{
    glBindTexture(GL_TEXTURE_2D, name);
    GLint format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &picture.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &picture.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &picture.wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &picture.wrapT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &picture.minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &picture.magFilter);
    if (picture.width <= 0 || picture.height <= 0 || !IsPlainColorFormat(format) || !IsPlainWrap(picture.wrapS) ||
        !IsPlainWrap(picture.wrapT) || !IsPlainFilter(picture.minFilter) || !IsPlainFilter(picture.magFilter)) {
        return false;
    }
    picture.rgba.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    return true;
}

// The texel a sample at index i (from -kBorder to size - 1 + kBorder) reads.
int Wrapped(int i, int size, GLint wrap)
{
    if (wrap == GL_REPEAT) {
        return ((i % size) + size) % size;
    }
    return std::clamp(i, 0, size - 1);
}

// The shares of a picture's side, from texel index first to one past last,
// that every sample touching those texels falls in: a bilinear sample
// reaches half a texel beyond its own, so one more is taken on each side.
void VisibleShare(int first, int last, int size, float& from, float& to)
{
    from = std::clamp(static_cast<float>(first - 1) / static_cast<float>(size), 0.0f, 1.0f);
    to = std::clamp(static_cast<float>(last + 2) / static_cast<float>(size), 0.0f, 1.0f);
}

// The part of a quad of this picture outside which every sample has alpha
// 0: the bounds of its texels with alpha, those its wrap puts just outside
// it included, widened by a texel.
UvRect VisiblePart(const Picture& p)
{
    int x0 = p.width;
    int x1 = -kBorder - 1;
    int y0 = p.height;
    int y1 = -kBorder - 1;
    for (int y = -kBorder; y < p.height + kBorder; ++y) {
        const int sy = Wrapped(y, p.height, p.wrapT);
        for (int x = -kBorder; x < p.width + kBorder; ++x) {
            const int sx = Wrapped(x, p.width, p.wrapS);
            if (p.rgba[(static_cast<size_t>(sy) * p.width + sx) * 4 + 3] != 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    UvRect part;
    if (x1 < x0) {
        return part;  // nothing shows; drawn whole as before
    }
    VisibleShare(x0, x1, p.width, part.u0, part.u1);
    VisibleShare(y0, y1, p.height, part.v0, part.v1);
    return part;
}

int NextPowerOfTwo(int v)
{
    int p = 1;
    while (p < v) {
        p *= 2;
    }
    return p;
}

}  // namespace

TextureAtlas::~TextureAtlas()
{
    Release();
}

void TextureAtlas::Release()
{
    if (texture_ != 0) {
        glDeleteTextures(1, &texture_);
        texture_ = 0;
    }
    sources_.clear();
    rects_.clear();
    visible_.clear();
}

bool TextureAtlas::Update(const std::vector<Texture*>& pictures)
{
    bool same = texture_ != 0 && sources_.size() == pictures.size();
    for (size_t i = 0; same && i < pictures.size(); ++i) {
        same = pictures[i] != nullptr && sources_[i].picture == pictures[i] &&
               sources_[i].name == pictures[i]->GetGLTextureId();
    }
    if (same) {
        return true;
    }
    Release();
    if (pictures.empty()) {
        return false;
    }
    std::vector<Picture> read(pictures.size());
    int width = 0;
    int height = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i] == nullptr || pictures[i]->GetGLTextureId() == 0 ||
            !ReadPicture(pictures[i]->GetGLTextureId(), read[i]) || read[i].minFilter != read[0].minFilter ||
            read[i].magFilter != read[0].magFilter) {
            glBindTexture(GL_TEXTURE_2D, 0);
            return false;
        }
        width += read[i].width + 2 * kBorder;
        height = std::max(height, read[i].height + 2 * kBorder);
    }
    if (width > kMaxAtlasSide || height > kMaxAtlasSide) {
        glBindTexture(GL_TEXTURE_2D, 0);
        return false;
    }
    const int atlasWidth = NextPowerOfTwo(width);
    const int atlasHeight = NextPowerOfTwo(height);
    std::vector<unsigned char> atlas(static_cast<size_t>(atlasWidth) * static_cast<size_t>(atlasHeight) * 4, 0);
    int x0 = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& p = read[i];
        for (int y = -kBorder; y < p.height + kBorder; ++y) {
            const int sy = Wrapped(y, p.height, p.wrapT);
            for (int x = -kBorder; x < p.width + kBorder; ++x) {
                const int sx = Wrapped(x, p.width, p.wrapS);
                const unsigned char* from = &p.rgba[(static_cast<size_t>(sy) * p.width + sx) * 4];
                unsigned char* to = &atlas[(static_cast<size_t>(y + kBorder) * atlasWidth + (x0 + x + kBorder)) * 4];
                std::copy(from, from + 4, to);
            }
        }
        UvRect rect;
        rect.u0 = static_cast<float>(x0 + kBorder) / static_cast<float>(atlasWidth);
        rect.u1 = static_cast<float>(x0 + kBorder + p.width) / static_cast<float>(atlasWidth);
        rect.v0 = static_cast<float>(kBorder) / static_cast<float>(atlasHeight);
        rect.v1 = static_cast<float>(kBorder + p.height) / static_cast<float>(atlasHeight);
        rects_.push_back(rect);
        visible_.push_back(VisiblePart(p));
        sources_.push_back(Source{pictures[i], pictures[i]->GetGLTextureId()});
        x0 += p.width + 2 * kBorder;
    }
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, read[0].minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, read[0].magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Rows of four-byte texels need no alignment setting.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, atlasWidth, atlasHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, atlas.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return true;
}
