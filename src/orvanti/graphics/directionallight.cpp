// A light at infinity; see directionallight.h.
#include "directionallight.h"

DirectionalLight::DirectionalLight(Vec3 positionValue, Color ambientValue, Color diffuseValue, Color specularValue)
    : position(positionValue),
      ambient(ambientValue),
      diffuse(diffuseValue),
      specular(specularValue)
{}

void DirectionalLight::Disable(uint32_t i)
{
    DisableLight(i);
}

void DirectionalLight::Apply(uint32_t i)
{
    UpdatePosition(i);
    SendColors(i, ambient, diffuse, specular);
    EnableLight(i);
}

void DirectionalLight::UpdatePosition(uint32_t i)
{
    SendPosition(i, position, 0.0f);
}
