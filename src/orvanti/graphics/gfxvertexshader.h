// GfxVertexShader: one GLSL vertex shader compiled from "<name>.vert".
// Programs attach it; the ShaderManager shares it by name.
#pragma once

#include "shaderobject.h"

class GfxVertexShader : public ShaderObject<kVertexShaderType> {
public:
    using ShaderObject::ShaderObject;
};
