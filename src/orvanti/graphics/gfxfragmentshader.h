// GfxFragmentShader: one GLSL fragment shader compiled from "<name>.frag".
// Programs attach it; the ShaderManager shares it by name.
#pragma once

#include "shaderobject.h"

class GfxFragmentShader : public ShaderObject<kFragmentShaderType> {
public:
    using ShaderObject::ShaderObject;
};
