// A material read from an MTL record (or made from one texture): a diffuse
// texture and the GL material colours. Made and owned by the MaterialManager.
#pragma once

#include "color.h"
#include "material.h"

#include <string>
#include <vector>

class Texture;

constexpr float kDefaultShininess = 0.1f;

class MtlMaterial : public Material {
public:
    MtlMaterial() = default;
    // Copies the texture pointer (not the texture), name, colours and values.
    MtlMaterial(const MtlMaterial&) = default;
    MtlMaterial& operator=(const MtlMaterial&) = default;

    void ApplyBlend() override;
    void Bind() override;
    void ApplyBlendOnly() override {}
    void Update(float) override {}
    void PrintToFile(FILE* file) const override;
    void PrintToLog() const override;
    bool NameEquals(const char* name) const override;
    void WriteObj(FILE* file) const override;

    // The texture is not owned: it stays with the texture manager.
    Texture* texture = nullptr;
    std::string name;
    Color Ka{1.0f, 1.0f, 1.0f, 1.0f};
    Color Kd{1.0f, 1.0f, 1.0f, 1.0f};
    Color Ks{1.0f, 1.0f, 1.0f, 1.0f};
    float alpha = 1.0f;
    float shininess = kDefaultShininess;
    float Ni = 0.0f;

private:
    std::vector<std::string> DumpLines() const;
};
