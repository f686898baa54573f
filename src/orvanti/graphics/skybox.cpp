// The sky box's faces and drawing; see skybox.h.
#include <GL/glew.h>

#include "skybox.h"

#include "debugbreak.h"
#include "gfxcomponent.h"
#include "texture.h"
#include "texturemanager.h"

namespace {

constexpr float S = kSkyboxHalfSize;

struct SkyVertex {
    float u, v;
    float x, y, z;
};

struct SkyFace {
    int index;
    SkyVertex corners[4];
};

// Drawn in this order; seen from inside, every quad winds counter-clockwise.
constexpr SkyFace kFaces[kSkyboxFaceCount] = {
    {0, {{1, 1, S, S, -S}, {0, 1, -S, S, -S}, {0, 0, -S, -S, -S}, {1, 0, S, -S, -S}}},  // side z = -50
    {2, {{0, 1, S, S, S}, {0, 0, S, -S, S}, {1, 0, -S, -S, S}, {1, 1, -S, S, S}}},      // side z = +50
    {4, {{1, 1, S, S, S}, {0, 1, -S, S, S}, {0, 0, -S, S, -S}, {1, 0, S, S, -S}}},      // top
    {5, {{1, 0, S, -S, S}, {1, 1, S, -S, -S}, {0, 1, -S, -S, -S}, {0, 0, -S, -S, S}}},  // bottom
    {1, {{1, 1, S, S, S}, {0, 1, S, S, -S}, {0, 0, S, -S, -S}, {1, 0, S, -S, S}}},      // side x = +50
    {3, {{0, 1, -S, S, S}, {0, 0, -S, -S, S}, {1, 0, -S, -S, -S}, {1, 1, -S, S, -S}}},  // side x = -50
};

bool ValidFace(int index)
{
    if (index >= 0 && index < kSkyboxFaceCount)
        return true;
    DEBUG_BREAK("sky box face index out of range");
    return false;
}

}  // namespace

Skybox::Skybox()
{
    GfxComponent::GetInstance();
}

bool Skybox::LoadFace(int index, const char* fileName)
{
    if (!ValidFace(index))
        return false;
    faces_[index] = GfxComponent::GetInstance()->textures->LoadClamped(fileName);
    return faces_[index] != nullptr;
}

void Skybox::Render(float x, float y, float z)
{
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTranslatef(x, y, z);
    glDisable(GL_DEPTH_TEST);
    for (const SkyFace& face : kFaces) {
        const Texture* texture = faces_[face.index];
        glBindTexture(GL_TEXTURE_2D, texture ? texture->GetGLTextureId() : 0);
        glBegin(GL_QUADS);
        for (const SkyVertex& corner : face.corners) {
            glTexCoord2f(corner.u, corner.v);
            glVertex3f(corner.x, corner.y, corner.z);
        }
        glEnd();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

void Skybox::ReleaseFaces()
{
    TextureManager* textures = GfxComponent::GetInstance()->textures.get();
    for (Texture*& face : faces_) {
        if (textures)
            textures->Release(face);
        face = nullptr;
    }
}

Texture* Skybox::GetFace(int index) const
{
    return ValidFace(index) ? faces_[index] : nullptr;
}

Skybox& GlobalSkybox()
{
    static Skybox skybox;
    return skybox;
}
