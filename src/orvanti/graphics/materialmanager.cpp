// The owned material list; see materialmanager.h.
#include <GL/glew.h>

#include "materialmanager.h"

#include "animatedmaterial.h"
#include "gfxmanagers.h"
#include "mtlfile.h"
#include "mtlmaterial.h"
#include "ownedlist.h"
#include "screencopymaterial.h"
#include "texturemanager.h"

MaterialManager::MaterialManager(TextureManager* textures)
    : textures_(textures)
{}

MaterialManager::~MaterialManager()
{
    Clear();
}

TextureManager* MaterialManager::GetTextureManager() const
{
    return textures_ ? textures_ : GfxTextureManager();
}

template <typename T> T* MaterialManager::Append(std::unique_ptr<T> material)
{
    T* raw = material.get();
    materials_.push_back(std::move(material));
    return raw;
}

MtlMaterial* MaterialManager::CreateFromTexture(const char* fileName)
{
    return CreateWithTexture(fileName, false);
}

MtlMaterial* MaterialManager::CreateClampedFromTexture(const char* fileName)
{
    return CreateWithTexture(fileName, true);
}

MtlMaterial* MaterialManager::CreateWithTexture(const char* fileName, bool clamped)
{
    auto material = std::make_unique<MtlMaterial>();
    TextureManager* textures = GetTextureManager();
    if (fileName && fileName[0] != '\0' && textures)
        material->texture = clamped ? textures->LoadClamped(fileName) : textures->Load(fileName);
    return Append(std::move(material));
}

MtlMaterial* MaterialManager::CreateFromMtl(const MtlRecord* record)
{
    auto material = std::make_unique<MtlMaterial>();
    if (record) {
        // Loaded even when the path is empty: the texture manager logs the failure.
        if (TextureManager* textures = GetTextureManager())
            material->texture = textures->Load(record->texturePath.c_str());
        material->name = record->name;
        material->Ka = record->Ka;
        material->Kd = record->Kd;
        material->Ks = record->Ks;
        material->alpha = record->Tf.r;
        material->shininess = record->Ns;
        material->Ni = record->Ni;
    }
    return Append(std::move(material));
}

MtlMaterial* MaterialManager::CreateFromBitmap(const char* name, const unsigned char* pixels, unsigned int width,
                                               unsigned int height)
{
    auto material = std::make_unique<MtlMaterial>();
    if (TextureManager* textures = GetTextureManager())
        material->texture = textures->CreateFromBitmap(name, pixels, width, height, GL_RGBA);
    return Append(std::move(material));
}

MtlMaterial* MaterialManager::CreateBlank(const char* name, unsigned int size, unsigned int bytesPerPixel)
{
    auto material = std::make_unique<MtlMaterial>();
    if (TextureManager* textures = GetTextureManager())
        material->texture = textures->CreateBlank(name, size, bytesPerPixel);
    return Append(std::move(material));
}

ScreenCopyMaterial* MaterialManager::CreateScreenCopy(const char* textureName, unsigned int size,
                                                      unsigned int bytesPerPixel)
{
    return Append(std::make_unique<ScreenCopyMaterial>(textureName, size, bytesPerPixel));
}

AnimatedMaterial* MaterialManager::CreateAnimatedMaterial(const char* fileName)
{
    auto material = std::make_unique<AnimatedMaterial>();
    if (!material->Load(fileName, GetTextureManager()))
        return nullptr;
    material->SetName(std::string("animated_texture_") + fileName);
    return Append(std::move(material));
}

Material* MaterialManager::AddMaterial(std::unique_ptr<Material> material)
{
    if (!material)
        return nullptr;
    return Append(std::move(material));
}

void MaterialManager::RemoveMaterial(Material* material)
{
    if (!material)
        return;
    RemoveOwned(materials_, material);
}

void MaterialManager::Clear()
{
    ClearInListOrder(materials_);
}
