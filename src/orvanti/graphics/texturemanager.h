// Owns every Texture of the program in creation order and hands out plain
// pointers. TGA files are loaded once by name and shared; each load is
// counted and Release deletes the texture when the last holder gives it back.
// Created and owned by the graphics component; main thread only (GL calls).
#pragma once

#include "texture.h"

#include <list>
#include <memory>

class TextureManager {
public:
    TextureManager();
    // Deletes every texture left (needs the GL context).
    ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // Shared load of a TGA file (repeat wrapping); null on failure.
    Texture* Load(const char* fileName);
    // Shared load with edge-clamped wrapping; a texture already loaded keeps its wrap mode.
    Texture* LoadClamped(const char* fileName);
    // A new texture from a luminance-alpha buffer; never shared by name.
    Texture* CreateFromBitmap(const char* name, const unsigned char* pixels, unsigned int width, unsigned int height,
                              unsigned int internalFormat);
    // A new zero-filled square texture; name must not be null, bytesPerPixel 3 or 4.
    Texture* CreateBlank(const char* name, unsigned int size, unsigned int bytesPerPixel);
    // First texture of that exact name, else null.
    Texture* Find(const char* name) const;
    // Gives one load back: nulls the caller's pointer and deletes the texture
    // when no load holds it any more. A pointer not in the list changes nothing.
    void Release(Texture*& texture);
    // Deletes every texture.
    void Clear();

    const std::list<std::unique_ptr<Texture>>& GetTextures() const { return textures_; }

private:
    Texture* LoadShared(const char* fileName, bool clamped);
    // Puts a new texture at the end of the list with one load; returns it.
    Texture* Add(std::unique_ptr<Texture> texture);

    std::list<std::unique_ptr<Texture>> textures_;
};
