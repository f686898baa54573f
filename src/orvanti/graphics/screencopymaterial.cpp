// The frame-buffer copy and its full-window pass; see screencopymaterial.h.
#include <GL/glew.h>

#include "screencopymaterial.h"

#include "debuglog.h"
#include "gfxcomponent.h"
#include "gfxshaderprogram.h"
#include "texture.h"
#include "texturemanager.h"

#include <cstring>

namespace {

constexpr const char* kProgramName = "sharpness";

}  // namespace

ScreenCopyMaterial::ScreenCopyMaterial() = default;

ScreenCopyMaterial::ScreenCopyMaterial(const char* textureName, unsigned int side, unsigned int bytesPerPixel)
{
    GfxComponent* gfx = GfxComponent::GetInstance();
    texture = gfx->textures->CreateBlank(textureName ? textureName : "", side, bytesPerPixel);
    width = gfx->GetWindowWidth();
    height = gfx->GetWindowHeight();
    if (texture && texture->GetWidth() > 0 && texture->GetHeight() > 0) {
        maxU = static_cast<float>(width) / static_cast<float>(texture->GetWidth());
        maxV = static_cast<float>(height) / static_cast<float>(texture->GetHeight());
    }
    alpha = kScreenCopyAlpha;
    DebugLog("renderable(%d, %d, %f, %f)\n", width, height, maxU, maxV);
    program = std::make_unique<GfxShaderProgram>(kProgramName);
    program->AttachFragmentShader(kProgramName);
    program->Link();
}

ScreenCopyMaterial::~ScreenCopyMaterial() = default;

void ScreenCopyMaterial::ApplyBlend()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void ScreenCopyMaterial::ApplyBlendOnly()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void ScreenCopyMaterial::Bind()
{
    if (!texture)
        return;
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
}

void ScreenCopyMaterial::Update(float)
{
    if (!texture)
        return;
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    glCopyTexImage2D(GL_TEXTURE_2D, 0, texture->GetGLFormat(), 0, 0, static_cast<GLsizei>(texture->GetWidth()),
                     static_cast<GLsizei>(texture->GetHeight()), 0);
}

void ScreenCopyMaterial::Draw()
{
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    glPushMatrix();
    glLoadIdentity();
    Begin2D();
    if (texture) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    }
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    if (program) {
        program->Use();
        program->SetUniform1i("original", 0);
        program->SetUniform1i("overlay", 0);
    }
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, maxV);
    glVertex2f(0.0f, h);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(maxU, 0.0f);
    glVertex2f(w, 0.0f);
    glTexCoord2f(maxU, maxV);
    glVertex2f(w, h);
    glEnd();
    if (program)
        program->Unuse();
    glBindTexture(GL_TEXTURE_2D, 0);
    End2D();
    glPopMatrix();
}

void ScreenCopyMaterial::PrintToFile(FILE* file) const
{
    if (!texture)
        return;
    std::vector<std::string> lines;
    AppendTextureLines(lines, *texture);
    PrintLinesToFile(lines, file);
}

void ScreenCopyMaterial::PrintToLog() const
{
    if (!texture)
        return;
    std::vector<std::string> lines;
    AppendTextureLines(lines, *texture);
    PrintLinesToLog(lines);
}

bool ScreenCopyMaterial::NameEquals(const char* other) const
{
    return other && name == other;
}
