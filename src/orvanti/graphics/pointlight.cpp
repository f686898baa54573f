// A positional light with attenuation and an optional glow model; see pointlight.h.
#include <GL/glew.h>

#include "pointlight.h"

#include "model.h"

namespace {

const GLfloat kEmissionOn[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kEmissionOff[4] = {0.0f, 0.0f, 0.0f, 1.0f};

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
    DisableLight(i);
}

void PointLight::Apply(uint32_t i)
{
    const GLenum light = GL_LIGHT0 + i;
    UpdatePosition(i);
    SendColors(i, ambient, diffuse, specular);
    glLightf(light, GL_CONSTANT_ATTENUATION, constantAttenuation);
    glLightf(light, GL_LINEAR_ATTENUATION, linearAttenuation);
    glLightf(light, GL_QUADRATIC_ATTENUATION, quadraticAttenuation);
    EnableLight(i);
}

void PointLight::UpdatePosition(uint32_t i)
{
    SendPosition(i, position, 1.0f);
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
