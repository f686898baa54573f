// MouseCursor: an on-screen pointer sprite driven by relative mouse motion.
// It moves a hot spot inside a 320 x 240 field (window pixels, origin at the
// bottom left) and draws a small textured square hanging below and to the
// right of it. The game's menus draw their own pointers; nothing creates it.
#pragma once

#include "mouselistener.h"

#include <cstdint>

class GfxComponent;
class Texture;

class MouseCursor : public MouseListener {
public:
    MouseCursor();

    // The sprite picture from the graphics component's texture manager; null on failure.
    Texture* SetTexture(const char* fileName);
    // x += dx x speed, y -= dy x speed (screen y grows upwards), each
    // clamped to the field; the wheel gathers dz x speed unclamped.
    void Move(int dx, int dy, int dz) override;
    // The sprite in 2D mode; white at alpha without a texture.
    void Render();

    void SetSpeed(float value) { speed = value; }
    void SetAlpha(float value) { alpha = value; }
    int GetX() const { return x; }
    int GetY() const { return y; }
    int GetWheel() const { return wheel; }
    Texture* GetTexture() const { return texture; }

private:
    GfxComponent* graphics;
    float speed = 1.0f;
    float alpha = 1.0f;
    int32_t x = 0;
    int32_t y = 0;
    int32_t wheel = 0;
    int32_t maxX = 320;
    int32_t maxY = 240;
    int32_t size = 10;
    Texture* texture = nullptr;
};
