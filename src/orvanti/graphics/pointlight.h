// PointLight: a positional light (w = 1) with attenuation, optionally drawn
// as a glowing model at the caller's matrix. Made by the LightManager.
#pragma once

#include "color.h"
#include "lightsource.h"
#include "vec3.h"

class MaterialManager;
class Model;

class PointLight : public LightSource {
public:
    // Black colours, the origin, constant attenuation 1, no other
    // attenuation and no glow model.
    PointLight() = default;
    PointLight(Vec3 position, float constant, float linear, float quadratic, Color ambient, Color diffuse,
               Color specular, Model* glow);

    void Disable(uint32_t i) override;
    void Apply(uint32_t i) override;
    void UpdatePosition(uint32_t i) override;

    void SetPosition(float x, float y, float z) { position = Vec3(x, y, z); }
    // The glow model drawn emissive in the current matrix; no GL call without one.
    void RenderGlow(int mode, MaterialManager* materials);

    Color ambient;
    Color diffuse;
    Color specular;
    Vec3 position;
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
    Model* glowModel = nullptr;  // not owned
};
