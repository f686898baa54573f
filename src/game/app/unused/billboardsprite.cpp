// A camera-facing sprite; see billboardsprite.h.
#include <GL/glew.h>

#include "billboardsprite.h"

#include "camera.h"
#include "gfxcomponent.h"
#include "material.h"
#include "materialmanager.h"
#include "renderstate.h"

BillboardSprite::BillboardSprite(Material* materialValue, float x, float y, float z, int widthValue, int heightValue)
{
    Set(materialValue, x, y, z, widthValue, heightValue);
}

void BillboardSprite::Set(Material* materialValue, float x, float y, float z, int widthValue, int heightValue)
{
    material = materialValue;
    position = Vec3(x, y, z);
    width = widthValue;
    height = heightValue;
    halfWidth = widthValue / 2;
    halfHeight = heightValue / 2;
}

void BillboardSprite::Move(float dx, float dy, float dz)
{
    position += Vec3(dx, dy, dz);
}

void BillboardSprite::Release()
{
    GfxComponent::GetInstance()->materials->RemoveMaterial(material);
    material = nullptr;
}

void BillboardSprite::Render(const Camera& camera, int mode)
{
    Matrix4 facing(camera.GetOrientation());
    facing.InvertRigid();
    const float w = static_cast<float>(halfWidth);
    const float h = static_cast<float>(halfHeight);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glMultMatrixf(facing.m);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (material)
        material->Bind();
    else
        glBindTexture(GL_TEXTURE_2D, 0);
    // Corners around the sprite's own origin: the translation placed it.
    DrawCenteredQuad(static_cast<unsigned int>(mode), w, h);
    glPopMatrix();
}
