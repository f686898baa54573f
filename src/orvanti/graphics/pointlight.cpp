// A positional light with attenuation and an optional glow model; see pointlight.h.
#include <GL/glew.h>

#include "pointlight.h"

#include "model.h"

namespace {

const GLfloat kEmissionOn[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kEmissionOff[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void SendColor(GLenum light, GLenum which, const Color& c)
{
    const GLfloat values[4] = {c.r, c.g, c.b, c.a};
    glLightfv(light, which, values);
}

}  // namespace

PointLight::PointLight(Vec3 positionValue, float constant, float linear, float quadratic, Color ambientValue,
                       Color diffuseValue, Color specularValue, Model* glow)
    : ambient(ambientValue),
      diffuse(diffuseValue),
      specular(specularValue),
      position(positionValue),
      constantAttenuation(constant),
      linearAttenuation(linear),
      quadraticAttenuation(quadratic),
      glowModel(glow)
{}

void PointLight::Disable(uint32_t i)
{
    glDisable(GL_LIGHT0 + i);
}

void PointLight::Apply(uint32_t i)
{
    const GLenum light = GL_LIGHT0 + i;
    UpdatePosition(i);
    SendColor(light, GL_AMBIENT, ambient);
    SendColor(light, GL_DIFFUSE, diffuse);
    SendColor(light, GL_SPECULAR, specular);
    glLightf(light, GL_CONSTANT_ATTENUATION, constantAttenuation);
    glLightf(light, GL_LINEAR_ATTENUATION, linearAttenuation);
    glLightf(light, GL_QUADRATIC_ATTENUATION, quadraticAttenuation);
    glEnable(light);
}

void PointLight::UpdatePosition(uint32_t i)
{
    const GLfloat point[4] = {position.x, position.y, position.z, 1.0f};
    glLightfv(GL_LIGHT0 + i, GL_POSITION, point);
}

void PointLight::RenderGlow(int mode, MaterialManager* materials)
{
    if (!glowModel)
        return;
    glPushMatrix();
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kEmissionOn);
    glowModel->Render(mode, materials);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kEmissionOff);
    glPopMatrix();
}
