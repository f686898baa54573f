// One texture holding a few small pictures side by side, so that quads of
// different pictures can be drawn in one run. Each picture keeps a one-texel
// border copied as its own wrap mode would sample there, so bilinear
// sampling inside its rectangle gives what the picture itself gives. The
// glow pass keeps one for the morvo pictures and rebuilds it when they change.
#pragma once

#include "quadbatch.h"

#include <cstdint>
#include <vector>

class Texture;

class TextureAtlas {
public:
    TextureAtlas() = default;
    ~TextureAtlas();
    TextureAtlas(const TextureAtlas&) = delete;
    TextureAtlas& operator=(const TextureAtlas&) = delete;

    // Builds the atlas from these pictures unless it holds them already.
    // False (and no atlas) when one is missing or cannot go in: a picture
    // that is not RGB or RGBA, has mipmaps, wraps otherwise than repeat or
    // clamp to edge, filters unlike the others, or a row wider than
    // kMaxAtlasSide.
    bool Update(const std::vector<Texture*>& pictures);

    // GL name of the atlas; 0 while there is none.
    uint32_t GetTexture() const { return texture_; }
    // The rectangle of picture i (of the last Update) inside the atlas.
    const UvRect& GetRect(size_t i) const { return rects_[i]; }
    // The part of picture i's quads worth drawing (QuadBatch::Add's part):
    // outside it every sample, filtered as the picture is, is fully
    // transparent. The whole quad when no texel is.
    const UvRect& GetVisiblePart(size_t i) const { return visible_[i]; }

    // Deletes the atlas.
    void Release();

    static constexpr int kMaxAtlasSide = 2048;

private:
    struct Source {
        const Texture* picture;
        uint32_t name;
    };

    std::vector<Source> sources_;
    std::vector<UvRect> rects_;
    std::vector<UvRect> visible_;
    uint32_t texture_ = 0;
};
