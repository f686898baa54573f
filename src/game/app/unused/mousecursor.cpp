// The relative-motion pointer sprite; see mousecursor.h.
#include <GL/glew.h>

#include "mousecursor.h"

#include "gfxcomponent.h"
#include "mathutil.h"
#include "texture.h"
#include "texturemanager.h"

MouseCursor::MouseCursor()
    : graphics(GfxComponent::GetInstance())
{}

Texture* MouseCursor::SetTexture(const char* fileName)
{
    texture = graphics->textures->Load(fileName);
    return texture;
}

void MouseCursor::Move(int dx, int dy, int dz)
{
    x = ClampInt(x + static_cast<int32_t>(static_cast<float>(dx) * speed), 0, maxX);
    y = ClampInt(y - static_cast<int32_t>(static_cast<float>(dy) * speed), 0, maxY);
    wheel += static_cast<int32_t>(static_cast<float>(dz) * speed);
}

void MouseCursor::Render()
{
    const float side = static_cast<float>(size);
    glLoadIdentity();
    Begin2D();
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (texture)
        glBindTexture(GL_TEXTURE_2D, texture->GetGLTextureId());
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, -1.0f);
    glVertex2f(side, -side);
    glTexCoord2f(0.0f, -1.0f);
    glVertex2f(0.0f, -side);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(side, 0.0f);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glPopMatrix();
    End2D();
}
