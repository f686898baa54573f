// MouseListener: the interface of objects that follow mouse motion (the
// engine's mouse cursor derives from it). Every handler is empty here;
// derived classes override the ones they need.
#pragma once

#include <cstdint>

class MouseListener {
public:
    virtual ~MouseListener() = default;
    // Relative motion and wheel, in the input device's counts.
    virtual void Move(int dx, int dy, int dz)
    {
        (void)dx;
        (void)dy;
        (void)dz;
    }
    virtual void ButtonDown(int32_t button) { (void)button; }
    virtual void ButtonUp(int32_t button) { (void)button; }
    virtual void Wheel(int32_t delta) { (void)delta; }
};
