// A fragment shader from its source file; see gfxfragmentshader.h.
#include <GL/glew.h>

#include "gfxfragmentshader.h"

#include "shaderhelper.h"

GfxFragmentShader::GfxFragmentShader(const char* fileName)
    : name(fileName ? fileName : "")
{
    Compile();
}

bool GfxFragmentShader::Compile()
{
    compiled = CompileShaderFile(name.c_str(), kFragmentShaderType, GL_FRAGMENT_SHADER_ARB, &handle);
    return compiled;
}
