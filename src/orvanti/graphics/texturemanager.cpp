// The shared, load-counted texture list; see texturemanager.h.
#include <GL/glew.h>

#include "texturemanager.h"

#include "debuglog.h"
#include "ownedlist.h"

#include <cstring>

TextureManager::TextureManager() = default;

TextureManager::~TextureManager()
{
    Clear();
}

Texture* TextureManager::Load(const char* fileName)
{
    return LoadShared(fileName, false);
}

Texture* TextureManager::LoadClamped(const char* fileName)
{
    return LoadShared(fileName, true);
}

Texture* TextureManager::LoadShared(const char* fileName, bool clamped)
{
    if (!fileName) {
        DebugLog("Warning: requested to create texture from NULL filename.\n");
        return nullptr;
    }
    if (Texture* found = Find(fileName)) {
        ++found->loadCount_;
        return found;
    }
    auto texture = std::make_unique<Texture>();
    bool loaded = clamped ? texture->LoadTGAClamped(fileName) : texture->LoadTGA(fileName);
    if (!loaded) {
        DebugLog("Unable to find or open the file: %s\n", fileName);
        return nullptr;
    }
    return Add(std::move(texture));
}

Texture* TextureManager::CreateFromBitmap(const char* name, const unsigned char* pixels, unsigned int width,
                                          unsigned int height, unsigned int internalFormat)
{
    if (!name) {
        DebugLog("Warning: requested to create texture from NULL filename.\n");
        return nullptr;
    }
    auto texture = std::make_unique<Texture>();
    if (!texture->CreateFromBitmap(name, pixels, width, height, internalFormat)) {
        DebugLog("Failed to create bitmap!\n");
        return nullptr;
    }
    return Add(std::move(texture));
}

Texture* TextureManager::CreateBlank(const char* name, unsigned int size, unsigned int bytesPerPixel)
{
    auto texture = std::make_unique<Texture>();
    if (!texture->CreateBlank(name ? name : "", size, bytesPerPixel)) {
        DebugLog("Failed to create new texture!\n");
        return nullptr;
    }
    return Add(std::move(texture));
}

Texture* TextureManager::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (const auto& texture : textures_)
        if (std::strcmp(texture->name_.c_str(), name) == 0)
            return texture.get();
    return nullptr;
}

void TextureManager::Release(Texture*& texture)
{
    if (!texture)
        return;
    for (auto it = textures_.begin(); it != textures_.end(); ++it) {
        if (it->get() != texture)
            continue;
        texture = nullptr;
        if (--(*it)->loadCount_ <= 0)
            textures_.erase(it);
        return;
    }
}

void TextureManager::Clear()
{
    ClearInListOrder(textures_);
}

Texture* TextureManager::Add(std::unique_ptr<Texture> texture)
{
    texture->loadCount_ = 1;
    textures_.push_back(std::move(texture));
    return textures_.back().get();
}
