// A vertex shader from its source file; see gfxvertexshader.h.
#include <GL/glew.h>

#include "gfxvertexshader.h"

#include "shaderhelper.h"

GfxVertexShader::GfxVertexShader(const char* fileName)
    : name(fileName ? fileName : "")
{
    Compile();
}

bool GfxVertexShader::Compile()
{
    compiled = CompileShaderFile(name.c_str(), kVertexShaderType, GL_VERTEX_SHADER_ARB, &handle);
    return compiled;
}
