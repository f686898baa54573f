// A rectangular menu button: where it lies as fractions of the window (laid
// out on a 1024 x 768 picture, y from the bottom), the number the hover
// sound remembers for it and the asset id of its lit picture. The pointer's
// hot spot is the top-left corner of its 32-pixel picture.
#pragma once

constexpr int kMenuPointerSize = 32;

struct MenuButton {
    int hoverIndex;
    float x;
    float y;
    float width;
    float height;
    const char* overTexture;
};

// True when rx < px < rx + rw and ry < py < ry + rh: an edge is outside.
bool PointInRect(float px, float py, float rx, float ry, float rw, float rh);

// The button's rectangle in window pixels.
void ButtonPixels(const MenuButton& button, int windowWidth, int windowHeight, float* x, float* y, float* w, float* h);

// Whether the pointer drawn at (pointerX, pointerY) points into the button.
bool PointerOverButton(const MenuButton& button, int pointerX, int pointerY, int windowWidth, int windowHeight);
