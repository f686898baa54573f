// DirectionalLight: a light infinitely far away; its position is sent with
// w = 0, so it is the direction towards the light. Made by the LightManager.
#pragma once

#include "color.h"
#include "lightsource.h"
#include "vec3.h"

class DirectionalLight : public LightSource {
public:
    DirectionalLight() = default;
    DirectionalLight(Vec3 position, Color ambient, Color diffuse, Color specular);

    void Disable(uint32_t i) override;
    void Apply(uint32_t i) override;
    void UpdatePosition(uint32_t i) override;

    void SetPosition(float x, float y, float z) { position = Vec3(x, y, z); }
    void SetAmbient(float r, float g, float b, float a) { ambient = Color(r, g, b, a); }
    void SetDiffuse(float r, float g, float b, float a) { diffuse = Color(r, g, b, a); }
    void SetSpecular(float r, float g, float b, float a) { specular = Color(r, g, b, a); }

    Vec3 position;
    Color ambient;
    Color diffuse;
    Color specular;
};
