// LightSource: one fixed-function OpenGL light, bound to light number
// GL_LIGHT0 + i at each call. The LightManager hands out the numbers in the
// order of its list; DirectionalLight and PointLight implement it.
#pragma once

#include <cstdint>

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
};
