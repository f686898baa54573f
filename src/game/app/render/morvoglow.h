// Render mode 2 of the world renderer: the active morvos collected into one
// billboard list, culled by depth, sorted back to front along the view and
// drawn as stacked camera-facing glow quads, each morvo first with its
// lightning. Runs inside the simulation-plane transform.
#pragma once

#include "billboardview.h"
#include "morvocolors.h"
#include "morvorecord.h"
#include "morvostore.h"
#include "vec3.h"

#include <cstdint>
#include <vector>

class MorvoWorld;

constexpr float kGlowLayerPower = 6.0f;
constexpr float kGlowLayerLift = 0.045f;  // 3 x 0.025 x 0.6 simulation units per layer
constexpr float kGlowLayerGrowth = 1.05f;
constexpr float kGlowMinScale = 0.7f;
// Quad half size: 0.5 x 3 x twice the base radius 0.025, simulation units.
constexpr float kGlowHalfSize = 0.5f * 3.0f * 0.05f;
// Layers of a morvo of the greatest power (20): 1 + ceil(20 / 6).
constexpr int kMaxGlowLayers = 5;

// One quad of a morvo's glow.
struct GlowLayer {
    int index;  // 0 for the base layer
    float lift;
    float alpha;
    float scale;
    Vec3 color;
    bool additive;  // GL_ONE instead of GL_ONE_MINUS_SRC_ALPHA
};

// Calls draw(GlowLayer) for each layer of a morvo of this power and colour
// class: layer 0 costs no power, then one layer for every 6 of power (at
// most kMaxGlowLayers in all).
template <typename Draw> void ForEachGlowLayer(float power, int32_t color, Draw&& draw)
{
    float remaining = power;
    float grow = 1.0f;
    for (int k = 0; remaining > 0.0f && k < kMaxGlowLayers; ++k) {
        GlowLayer layer;
        layer.index = k;
        layer.lift = static_cast<float>(k) * kGlowLayerLift;
        const float a = remaining < 0.0f ? 0.0f : (remaining > kGlowLayerPower ? kGlowLayerPower : remaining);
        if (k == 0) {
            layer.alpha = 0.6f * power / kMaxMorvoPower + 0.4f;
            layer.scale = 1.0f;
        } else {
            layer.alpha = a / kGlowLayerPower;
            layer.scale = (0.3f * layer.alpha + kGlowMinScale) * grow;
        }
        layer.additive = IsPureColor(color);
        if (layer.additive) {
            layer.color = kPureColor;
        } else if (IsDarkColor(color)) {
            layer.color =
                kGlowMidColor + (kDarkColor - kGlowMidColor) * (0.6f * remaining / kMaxMorvoPower + 0.4f * layer.alpha);
        } else {
            layer.color = kGlowMidColor + (kNeutralColor - kGlowMidColor) * (1.0f - remaining / kMaxMorvoPower);
        }
        draw(static_cast<const GlowLayer&>(layer));
        if (k >= 1) {
            remaining -= kGlowLayerPower;
        }
        grow *= kGlowLayerGrowth;
    }
}

// Refills the list with the active morvos to draw: none behind the camera;
// outside editing only pure ones at kBillboardFarDepth or more. Sorted
// farthest first along the 2D view direction; equal keys keep store order.
void GatherMorvoBillboards(MorvoState& state, const BillboardView& view, Vec2 direction2D, bool editing,
                           std::vector<MorvoRecord*>& list);

// Render mode 2: gathers into the run-long list and draws it. Needs the
// world's camera (a violated precondition otherwise).
void CollectMorvoBillboards(MorvoWorld& world);
// Draws the list back to front: the glow quads go to GL in a few batched
// draws (one per run of equal blend function), the bolts between them.
void DrawMorvoGlow(const std::vector<MorvoRecord*>& list, MorvoWorld& world);

// What CollectMorvoBillboards draws its list with; null (the start) is
// DrawMorvoGlow. Tests put a reference drawing in its place.
using GlowDrawer = void (*)(const std::vector<MorvoRecord*>& list, MorvoWorld& world);
void SetGlowDrawer(GlowDrawer drawer);
// Draws of the last DrawMorvoGlow: quad runs and bolts.
int GetGlowDrawCount();
// The run-long list as the last CollectMorvoBillboards left it.
const std::vector<MorvoRecord*>& GetMorvoBillboards();
