// The graphics component's texture, material and model managers, for the
// code that uses "the graphics component's" manager (sky box, materials,
// scene nodes). Null only while no graphics component can be made.
#pragma once

class MaterialManager;
class ModelManager;
class TextureManager;

TextureManager* GfxTextureManager();
MaterialManager* GfxMaterialManager();
ModelManager* GfxModelManager();
