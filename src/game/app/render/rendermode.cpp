// The render mode and the debug-draw flags; see rendermode.h.
#include "rendermode.h"

#include "mathutil.h"

namespace {

constexpr int kCycledModes = 3;

int renderMode = kRenderModeGlow;
bool debugDraw = false;
bool gridDraw = false;
bool cellSetDraw = false;
bool boundsDraw = false;

}  // namespace

void SetDebugDraw(bool on)
{
    gridDraw = on;
    cellSetDraw = on;
    boundsDraw = on;
    debugDraw = on;
}

void ToggleDebugDraw()
{
    SetDebugDraw(!debugDraw);
}

bool IsDebugDrawOn()
{
    return debugDraw;
}

bool IsGridDrawOn()
{
    return gridDraw;
}

bool IsCellSetDrawOn()
{
    return cellSetDraw;
}

bool IsBoundsDrawOn()
{
    return boundsDraw;
}

int GetRenderMode()
{
    return renderMode;
}

void SetRenderMode(int mode)
{
    renderMode = ClampInt(mode, kRenderModePoints, kRenderModeNone);
    if (renderMode == kRenderModePoints || renderMode == kRenderModeDisks) {
        SetDebugDraw(true);
    } else if (renderMode == kRenderModeGlow) {
        SetDebugDraw(false);
    }
}

void CycleRenderMode()
{
    SetRenderMode((GetRenderMode() + 1) % kCycledModes);
}
