// The sprite pass of the world renderer: every live particle of the
// world's emitting particle systems becomes a camera-facing textured quad,
// coloured and sized by its remaining life, culled by depth and drawn back
// to front. Runs inside the simulation-plane transform.
#pragma once

#include "billboardview.h"
#include "vec3.h"

#include <cstdint>
#include <list>
#include <vector>

class MorvoWorld;
class ParticleSystem;

struct SpriteRecord {
    Vec3 simPosition;
    Vec3 eyeRelative;  // world position minus the camera's eye
    float r;
    float g;
    float b;
    float a;
    float halfSize;  // simulation units
    uint32_t texture;
    int32_t order;  // gathering order, which equal depths keep
};

// Refills the sprites: particles at depth 0 up to kBillboardFarDepth, with
// t = remaining life / the system's lifetime (in floats) choosing colour
// (towards the interpolation target as t falls) and half size (minimum at
// t = 1, maximum at t = 0). Sorted farthest first.
void GatherParticleSprites(const std::list<ParticleSystem*>& systems, const BillboardView& view,
                           std::vector<SpriteRecord>& sprites);

// The pass; needs the world's camera (a violated precondition otherwise).
void DrawParticleSprites(MorvoWorld& world);
// Draws gathered sprites in order with the depth test on, batched: one draw
// per run of sprites with the same texture.
void DrawSpriteRecords(const std::vector<SpriteRecord>& sprites);

// What DrawParticleSprites draws the gathered sprites with; null (the start)
// is DrawSpriteRecords. Tests put a reference drawing in its place.
using SpriteDrawer = void (*)(const std::vector<SpriteRecord>& sprites);
void SetSpriteDrawer(SpriteDrawer drawer);
// Draws of the last DrawSpriteRecords.
int GetSpriteDrawCount();
