// A GLSL program with its two shaders and uniforms; see gfxshaderprogram.h.
#include <GL/glew.h>

#include "gfxshaderprogram.h"

#include "debuglog.h"
#include "gfxfragmentshader.h"
#include "gfxvertexshader.h"
#include "shaderhelper.h"

namespace {

constexpr const char* kDeltaTUniform = "delta_t";

bool ElementCountInRange(int numElem)
{
    if (numElem >= 1 && numElem <= 4)
        return true;
    DebugLog("ERROR: numElem is out of range\n");
    return false;
}

std::string ProgramName(const char* name)
{
    return std::string(name ? name : "").substr(0, kMaxProgramNameLength);
}

}  // namespace

GfxShaderProgram::GfxShaderProgram(const char* programName)
    : handle(glCreateProgramObjectARB()),
      name(ProgramName(programName))
{}

GfxShaderProgram::GfxShaderProgram(const char* programName, GfxVertexShader* vertex, GfxFragmentShader* fragment)
    : handle(glCreateProgramObjectARB()),
      name(ProgramName(programName)),
      vertexShader(vertex),
      fragmentShader(fragment)
{}

GfxShaderProgram::~GfxShaderProgram()
{
    if (vertexShader)
        glDetachObjectARB(handle, vertexShader->GetHandle());
    if (fragmentShader)
        glDetachObjectARB(handle, fragmentShader->GetHandle());
    vertexShader = nullptr;
    fragmentShader = nullptr;
}

void GfxShaderProgram::AttachVertexShader(const char* fileName)
{
    ownedVertexShader = std::make_unique<GfxVertexShader>(fileName);
    ownedVertexShader->Compile();
    AttachVertexShader(ownedVertexShader.get());
}

void GfxShaderProgram::AttachFragmentShader(const char* fileName)
{
    ownedFragmentShader = std::make_unique<GfxFragmentShader>(fileName);
    ownedFragmentShader->Compile();
    AttachFragmentShader(ownedFragmentShader.get());
}

void GfxShaderProgram::AttachVertexShader(GfxVertexShader* shader)
{
    vertexShader = shader;
    if (shader)
        glAttachObjectARB(handle, shader->GetHandle());
}

void GfxShaderProgram::AttachFragmentShader(GfxFragmentShader* shader)
{
    fragmentShader = shader;
    if (shader)
        glAttachObjectARB(handle, shader->GetHandle());
}

bool GfxShaderProgram::Link()
{
    if (vertexShader && !vertexShader->IsCompiled())
        return false;
    if (fragmentShader && !fragmentShader->IsCompiled())
        return false;
    return LinkProgramObject(handle);
}

void GfxShaderProgram::Use()
{
    glUseProgramObjectARB(handle);
}

void GfxShaderProgram::Unuse()
{
    glUseProgramObjectARB(0);
}

void GfxShaderProgram::SetDeltaT(float dt)
{
    glUniform1fARB(UniformLocation(handle, kDeltaTUniform), dt);
}

void GfxShaderProgram::SetUniform1i(const char* uniform, int a)
{
    glUniform1iARB(UniformLocation(handle, uniform), a);
}

void GfxShaderProgram::SetUniform2i(const char* uniform, int a, int b)
{
    glUniform2iARB(UniformLocation(handle, uniform), a, b);
}

void GfxShaderProgram::SetUniform3i(const char* uniform, int a, int b, int c)
{
    glUniform3iARB(UniformLocation(handle, uniform), a, b, c);
}

void GfxShaderProgram::SetUniform4i(const char* uniform, int a, int b, int c, int d)
{
    glUniform4iARB(UniformLocation(handle, uniform), a, b, c, d);
}

void GfxShaderProgram::SetUniform1f(const char* uniform, float a)
{
    glUniform1fARB(UniformLocation(handle, uniform), a);
}

void GfxShaderProgram::SetUniform2f(const char* uniform, float a, float b)
{
    glUniform2fARB(UniformLocation(handle, uniform), a, b);
}

void GfxShaderProgram::SetUniform3f(const char* uniform, float a, float b, float c)
{
    glUniform3fARB(UniformLocation(handle, uniform), a, b, c);
}

void GfxShaderProgram::SetUniform4f(const char* uniform, float a, float b, float c, float d)
{
    glUniform4fARB(UniformLocation(handle, uniform), a, b, c, d);
}

void GfxShaderProgram::SetUniformiv(const char* uniform, int numElem, int count, const int* values)
{
    if (!ElementCountInRange(numElem))
        return;
    const int location = UniformLocation(handle, uniform);
    switch (numElem) {
        case 1:
            glUniform1ivARB(location, count, values);
            break;
        case 2:
            glUniform2ivARB(location, count, values);
            break;
        case 3:
            glUniform3ivARB(location, count, values);
            break;
        default:
            glUniform4ivARB(location, count, values);
            break;
    }
}

void GfxShaderProgram::SetUniformfv(const char* uniform, int numElem, int count, const float* values)
{
    if (!ElementCountInRange(numElem))
        return;
    const int location = UniformLocation(handle, uniform);
    switch (numElem) {
        case 1:
            glUniform1fvARB(location, count, values);
            break;
        case 2:
            glUniform2fvARB(location, count, values);
            break;
        case 3:
            glUniform3fvARB(location, count, values);
            break;
        default:
            glUniform4fvARB(location, count, values);
            break;
    }
}

void GfxShaderProgram::SetUniformMatrix2(const char* uniform, int count, bool transpose, const float* values)
{
    glUniformMatrix2fvARB(UniformLocation(handle, uniform), count, transpose ? GL_TRUE : GL_FALSE, values);
}

void GfxShaderProgram::SetUniformMatrix3(const char* uniform, int count, bool transpose, const float* values)
{
    glUniformMatrix3fvARB(UniformLocation(handle, uniform), count, transpose ? GL_TRUE : GL_FALSE, values);
}

void GfxShaderProgram::SetUniformMatrix4(const char* uniform, int count, bool transpose, const float* values)
{
    glUniformMatrix4fvARB(UniformLocation(handle, uniform), count, transpose ? GL_TRUE : GL_FALSE, values);
}

void GfxShaderProgram::BindAttribLocation(unsigned int index, const char* attribute)
{
    glBindAttribLocationARB(handle, index, attribute);
}
