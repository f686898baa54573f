// The GL calls every light makes; see lightsource.h.
#include <GL/glew.h>

#include "lightsource.h"

#include "color.h"
#include "vec3.h"

namespace {

void SendColor(GLenum light, GLenum which, const Color& c)
{
    const GLfloat values[4] = {c.r, c.g, c.b, c.a};
    glLightfv(light, which, values);
}

}  // namespace

void LightSource::SendPosition(uint32_t i, const Vec3& position, float w)
{
    const GLfloat values[4] = {position.x, position.y, position.z, w};
    glLightfv(GL_LIGHT0 + i, GL_POSITION, values);
}

void LightSource::SendColors(uint32_t i, const Color& ambient, const Color& diffuse, const Color& specular)
{
    SendColor(GL_LIGHT0 + i, GL_AMBIENT, ambient);
    SendColor(GL_LIGHT0 + i, GL_DIFFUSE, diffuse);
    SendColor(GL_LIGHT0 + i, GL_SPECULAR, specular);
}

void LightSource::DisableLight(uint32_t i)
{
    glDisable(GL_LIGHT0 + i);
}

void LightSource::EnableLight(uint32_t i)
{
    glEnable(GL_LIGHT0 + i);
}
