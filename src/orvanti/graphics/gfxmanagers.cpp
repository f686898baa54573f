// Reaches the managers through the graphics component; see gfxmanagers.h.
#include "gfxmanagers.h"

#include "gfxcomponent.h"
#include "materialmanager.h"
#include "modelmanager.h"
#include "texturemanager.h"

TextureManager* GfxTextureManager()
{
    return GfxComponent::GetInstance()->textures.get();
}

MaterialManager* GfxMaterialManager()
{
    return GfxComponent::GetInstance()->materials.get();
}

ModelManager* GfxModelManager()
{
    return GfxComponent::GetInstance()->models.get();
}
