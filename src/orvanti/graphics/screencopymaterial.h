// ScreenCopyMaterial: a material whose texture is a copy of the frame
// buffer. Each Update copies the lower-left side x side pixels into its
// square texture; Draw lays that texture over the whole window through the
// fragment program "sharpness" (a full-screen post-processing pass). Made
// by MaterialManager::CreateScreenCopy; needs GLEW initialised after the
// GL context.
#pragma once

#include "material.h"

#include <memory>
#include <string>

class GfxShaderProgram;
class Texture;

constexpr float kScreenCopyAlpha = 0.8f;

class ScreenCopyMaterial : public Material {
public:
    // No texture or program; alpha 1, maxU and maxV 1.
    ScreenCopyMaterial();
    // A blank side x side texture (RGBA for 4 bytes per pixel, else RGB),
    // the window's size, and the "sharpness" program linked from
    // "sharpness.frag".
    ScreenCopyMaterial(const char* textureName, unsigned int side, unsigned int bytesPerPixel);
    ~ScreenCopyMaterial() override;

    void SetAlpha(float value) { alpha = value; }
    // The texture over the whole window in 2D mode, through the program.
    void Draw();

    void ApplyBlend() override;
    void Bind() override;
    void ApplyBlendOnly() override;
    // Copies the frame buffer into the texture (dt is not used).
    void Update(float dt) override;
    void PrintToFile(FILE* file) const override;
    void PrintToLog() const override;
    bool NameEquals(const char* other) const override;
    // Writes nothing.
    void WriteObj(FILE*) const override {}

    Texture* GetTexture() const { return texture; }
    float GetAlpha() const { return alpha; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    float GetMaxU() const { return maxU; }
    float GetMaxV() const { return maxV; }
    GfxShaderProgram* GetProgram() const { return program.get(); }

private:
    Texture* texture = nullptr;  // held by the texture manager
    std::string name;
    float alpha = 1.0f;
    int width = 0;
    int height = 0;
    float maxU = 1.0f;
    float maxV = 1.0f;
    std::unique_ptr<GfxShaderProgram> program;
};
