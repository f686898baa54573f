// LightSource: one fixed-function OpenGL light, bound to light number
// GL_LIGHT0 + i at each call. The LightManager hands out the numbers in the
// order of its list; DirectionalLight and PointLight implement it.
#pragma once

#include <cstdint>

struct Color;
struct Vec3;

class LightSource {
public:
    // glDisable of GL_LIGHT0 + i.
    virtual void Disable(uint32_t i) = 0;
    // Every parameter of the light on GL_LIGHT0 + i, then enables it.
    virtual void Apply(uint32_t i) = 0;
    // Only the position again (after the model-view matrix changed).
    virtual void UpdatePosition(uint32_t i) = 0;
    // Lights are deleted through this interface.
    virtual ~LightSource() = default;

protected:
    // GL_POSITION of GL_LIGHT0 + i as (position, w).
    static void SendPosition(uint32_t i, const Vec3& position, float w);
    // GL_AMBIENT, GL_DIFFUSE and GL_SPECULAR of GL_LIGHT0 + i, in that order.
    static void SendColors(uint32_t i, const Color& ambient, const Color& diffuse, const Color& specular);
    static void DisableLight(uint32_t i);
    static void EnableLight(uint32_t i);
};
