// The owned light list; see lightmanager.h.
#include <GL/glew.h>

#include "lightmanager.h"

#include "directionallight.h"
#include "ownedlist.h"
#include "pointlight.h"

LightManager::~LightManager()
{
    Clear();
}

DirectionalLight* LightManager::AddDirectionalLight(Vec3 position, Color ambient, Color diffuse, Color specular)
{
    auto light = std::make_unique<DirectionalLight>(position, ambient, diffuse, specular);
    DirectionalLight* raw = light.get();
    lights.push_back(std::move(light));
    return raw;
}

PointLight* LightManager::AddPointLight(Vec3 position, float constant, float linear, float quadratic, Color ambient,
                                        Color diffuse, Color specular, Model* glow)
{
    auto light = std::make_unique<PointLight>(position, constant, linear, quadratic, ambient, diffuse, specular, glow);
    PointLight* raw = light.get();
    lights.push_back(std::move(light));
    return raw;
}

template <typename Action> void LightManager::Walk(Action action)
{
    GLint supported = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &supported);
    uint32_t i = 0;
    for (auto& light : lights) {
        if (static_cast<GLint>(i) >= supported)
            break;
        action(*light, i);
        ++i;
    }
}

void LightManager::Apply()
{
    const GLfloat ambient[4] = {globalAmbient.r, globalAmbient.g, globalAmbient.b, globalAmbient.a};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glPushMatrix();
    Walk([](LightSource& light, uint32_t i) { light.Apply(i); });
    glPopMatrix();
}

void LightManager::UpdatePositions()
{
    glPushMatrix();
    Walk([](LightSource& light, uint32_t i) { light.UpdatePosition(i); });
    glPopMatrix();
}

void LightManager::DisableAll()
{
    Walk([](LightSource& light, uint32_t i) { light.Disable(i); });
}

void LightManager::RemoveLight(LightSource* light)
{
    RemoveOwned(lights, light);
}

void LightManager::Clear()
{
    ClearInListOrder(lights);
}
