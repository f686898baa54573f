// LightManager: owns the engine's lights in one list and a global ambient
// colour. Walking the list gives each light its OpenGL number in list order
// (the first is GL_LIGHT0), up to the number of lights OpenGL supports.
// Created with the graphics component and cleared by its destructor.
#pragma once

#include "color.h"
#include "lightsource.h"
#include "vec3.h"

#include <list>
#include <memory>

class DirectionalLight;
class Model;
class PointLight;

class LightManager {
public:
    LightManager() = default;
    ~LightManager();
    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;

    DirectionalLight* AddDirectionalLight(Vec3 position, Color ambient, Color diffuse, Color specular);
    PointLight* AddPointLight(Vec3 position, float constant, float linear, float quadratic, Color ambient,
                              Color diffuse, Color specular, Model* glow);
    void SetGlobalAmbient(float r, float g, float b, float a) { globalAmbient = Color(r, g, b, a); }

    // Global ambient, then every light's parameters inside one matrix push.
    void Apply();
    // Only the positions, inside one matrix push.
    void UpdatePositions();
    void DisableAll();

    // Deletes the light when it is in the list; anything else changes nothing.
    void RemoveLight(LightSource* light);
    // Deletes every light in list order.
    void Clear();

    const std::list<std::unique_ptr<LightSource>>& GetLights() const { return lights; }
    const Color& GetGlobalAmbient() const { return globalAmbient; }

private:
    // Calls action(light, i) for the lights below the GL limit, in order.
    template <typename Action> void Walk(Action action);

    std::list<std::unique_ptr<LightSource>> lights;
    Color globalAmbient = Color(0.5f, 0.5f, 0.5f, 1.0f);
};
