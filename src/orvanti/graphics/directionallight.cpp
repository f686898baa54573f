// A light at infinity; see directionallight.h.
#include <GL/glew.h>

#include "directionallight.h"

namespace {

void SendColor(GLenum light, GLenum which, const Color& c)
{
    const GLfloat values[4] = {c.r, c.g, c.b, c.a};
    glLightfv(light, which, values);
}

}  // namespace

DirectionalLight::DirectionalLight(Vec3 positionValue, Color ambientValue, Color diffuseValue, Color specularValue)
    : position(positionValue),
      ambient(ambientValue),
      diffuse(diffuseValue),
      specular(specularValue)
{}

void DirectionalLight::Disable(uint32_t i)
{
    glDisable(GL_LIGHT0 + i);
}

void DirectionalLight::Apply(uint32_t i)
{
    const GLenum light = GL_LIGHT0 + i;
    UpdatePosition(i);
    SendColor(light, GL_AMBIENT, ambient);
    SendColor(light, GL_DIFFUSE, diffuse);
    SendColor(light, GL_SPECULAR, specular);
    glEnable(light);
}

void DirectionalLight::UpdatePosition(uint32_t i)
{
    const GLfloat direction[4] = {position.x, position.y, position.z, 0.0f};
    glLightfv(GL_LIGHT0 + i, GL_POSITION, direction);
}
