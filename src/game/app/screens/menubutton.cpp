// Menu buttons and the pointer test; see menubutton.h.
#include "menubutton.h"

bool PointInRect(float px, float py, float rx, float ry, float rw, float rh)
{
    return rx < px && px < rx + rw && ry < py && py < ry + rh;
}

void ButtonPixels(const MenuButton& button, int windowWidth, int windowHeight, float* x, float* y, float* w, float* h)
{
    const float width = static_cast<float>(windowWidth);
    const float height = static_cast<float>(windowHeight);
    *x = button.x * width;
    *y = button.y * height;
    *w = button.width * width;
    *h = button.height * height;
}

bool PointerOverButton(const MenuButton& button, int pointerX, int pointerY, int windowWidth, int windowHeight)
{
    float x, y, w, h;
    ButtonPixels(button, windowWidth, windowHeight, &x, &y, &w, &h);
    return PointInRect(static_cast<float>(pointerX), static_cast<float>(pointerY + kMenuPointerSize), x, y, w, h);
}
