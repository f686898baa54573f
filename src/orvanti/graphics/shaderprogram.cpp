// The older program class with its brick uniforms; see shaderprogram.h.
#include <GL/glew.h>

#include "shaderprogram.h"

#include "gfxfragmentshader.h"
#include "gfxvertexshader.h"
#include "shaderhelper.h"

namespace {

constexpr GLuint kDeltaTAttribute = 1;
constexpr const char* kDeltaTName = "delta_t";

}  // namespace

ShaderProgram::ShaderProgram()
    : handle(glCreateProgramObjectARB())
{}

ShaderProgram::~ShaderProgram()
{
    for (const auto& shader : vertexShaders)
        glDetachObjectARB(handle, shader->GetHandle());
    for (const auto& shader : fragmentShaders)
        glDetachObjectARB(handle, shader->GetHandle());
}

void ShaderProgram::AddVertexShader(const char* fileName)
{
    vertexShaders.push_back(std::make_unique<GfxVertexShader>(fileName));
    vertexShaders.back()->Compile();
    glAttachObjectARB(handle, vertexShaders.back()->GetHandle());
}

void ShaderProgram::AddFragmentShader(const char* fileName)
{
    fragmentShaders.push_back(std::make_unique<GfxFragmentShader>(fileName));
    fragmentShaders.back()->Compile();
    glAttachObjectARB(handle, fragmentShaders.back()->GetHandle());
}

bool ShaderProgram::Link()
{
    for (const auto& shader : vertexShaders)
        if (!shader->IsCompiled())
            return false;
    for (const auto& shader : fragmentShaders)
        if (!shader->IsCompiled())
            return false;
    glBindAttribLocationARB(handle, kDeltaTAttribute, kDeltaTName);
    return LinkProgramObject(handle);
}

void ShaderProgram::Use()
{
    glUseProgramObjectARB(handle);
    glUniform3fARB(UniformLocation(handle, "BrickColor"), 1.0f, 0.3f, 0.2f);
    glUniform3fARB(UniformLocation(handle, "MortarColor"), 0.85f, 0.86f, 0.84f);
    glUniform2fARB(UniformLocation(handle, "BrickSize"), 0.30f, 0.15f);
    glUniform2fARB(UniformLocation(handle, "BrickPct"), 0.90f, 0.85f);
}

void ShaderProgram::Unuse()
{
    glUseProgramObjectARB(0);
}

void ShaderProgram::SetDeltaT(float dt)
{
    glUniform1fARB(UniformLocation(handle, kDeltaTName), dt);
}
