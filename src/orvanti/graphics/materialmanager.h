// Owns every material in one list in creation order and hands out plain
// pointers. Created and owned by the graphics component; the OBJ reader, the
// asset loader and the in-game hooks make materials through it.
#pragma once

#include "material.h"

#include <list>
#include <memory>

class AnimatedMaterial;
class MtlMaterial;
class ScreenCopyMaterial;
class TextureManager;
struct MtlRecord;

class MaterialManager {
public:
    // Textures come from the given manager, or from the graphics component's when null.
    explicit MaterialManager(TextureManager* textures = nullptr);
    ~MaterialManager();
    MaterialManager(const MaterialManager&) = delete;
    MaterialManager& operator=(const MaterialManager&) = delete;

    // A new unnamed material; its texture is loaded when the name is not empty (may be null).
    MtlMaterial* CreateFromTexture(const char* fileName);
    MtlMaterial* CreateClampedFromTexture(const char* fileName);
    // A material from an MTL record (a default one for null).
    MtlMaterial* CreateFromMtl(const MtlRecord* record);
    // A material whose texture is made from a luminance-alpha buffer (GL_RGBA inside).
    MtlMaterial* CreateFromBitmap(const char* name, const unsigned char* pixels, unsigned int width,
                                  unsigned int height);
    MtlMaterial* CreateBlank(const char* name, unsigned int size, unsigned int bytesPerPixel);
    // A material drawing a copy of the frame buffer (needs GLEW after the context).
    ScreenCopyMaterial* CreateScreenCopy(const char* textureName, unsigned int size, unsigned int bytesPerPixel);
    // Null when the name is malformed; named "animated_texture_<fileName>".
    AnimatedMaterial* CreateAnimatedMaterial(const char* fileName);
    // Takes over a material made elsewhere; returns it.
    Material* AddMaterial(std::unique_ptr<Material> material);

    const std::list<std::unique_ptr<Material>>& GetMaterials() const { return materials_; }
    // Deletes the material when it is in the list; anything else changes nothing.
    void RemoveMaterial(Material* material);
    void Clear();

    TextureManager* GetTextureManager() const;

private:
    template <typename T> T* Append(std::unique_ptr<T> material);
    MtlMaterial* CreateWithTexture(const char* fileName, bool clamped);

    std::list<std::unique_ptr<Material>> materials_;
    TextureManager* textures_ = nullptr;
};
