// Reaches the managers through the graphics component; see gfxmanagers.h.
#include "gfxmanagers.h"

TextureManager* GfxTextureManager()
{
    return nullptr;
}

MaterialManager* GfxMaterialManager()
{
    return nullptr;
}

ModelManager* GfxModelManager()
{
    return nullptr;
}
