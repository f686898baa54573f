// BillboardSprite: one textured quad that faces the camera, sized in whole
// units, with the material it is drawn with. Belongs to the simple particle
// effects; nothing in the game makes one.
#pragma once

#include "vec3.h"

class Camera;
class Material;

class BillboardSprite {
public:
    BillboardSprite() = default;
    BillboardSprite(Material* material, float x, float y, float z, int width, int height);

    void Set(Material* material, float x, float y, float z, int width, int height);
    void Move(float dx, float dy, float dz);
    // Removes the material from the graphics component's material manager.
    void Release();
    // Facing the camera at the sprite's position; untextured without a material.
    void Render(const Camera& camera, int mode);

    const Vec3& GetPosition() const { return position; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    Material* GetMaterial() const { return material; }

private:
    Material* material = nullptr;  // held by the material manager
    Vec3 position;
    int width = 0;
    int height = 0;
    int halfWidth = 0;
    int halfHeight = 0;
};
