// MorvoRecord: one morvo of the simulation plane (position, motion, colour,
// power, lightning and grid cell). The store keeps them in pools; the
// simulator, the forces, the grid, the tools and the renderers read them.
#pragma once

#include <cstdint>

#include "vec2.h"

// Morvo colours.
constexpr int32_t kMorvoPure = 1;
constexpr int32_t kMorvoDark = -1;
constexpr int32_t kMorvoNeutral = 0;

constexpr float kMinMorvoPower = 0.1f;
constexpr float kMaxMorvoPower = 20.0f;
// Contact time a neutral morvo needs before a pure one converts it.
constexpr float kConversionTime = 0.03f;
constexpr float kLightningFramesPerSecond = 24.0f;

// Colour classes: any positive colour is pure, any negative one dark.
inline bool IsPureColor(int32_t color)
{
    return color > 0;
}
inline bool IsDarkColor(int32_t color)
{
    return color < 0;
}

struct MorvoRecord {
    Vec2 position;
    Vec2 velocity;
    Vec2 force;
    int32_t active;
    int32_t color;
    float conversionTimer;
    float power;
    int32_t lightning;
    int32_t lightningFrame;
    int32_t textureIndex;
    float lightningTime;
    int32_t cellX;
    int32_t cellY;

    MorvoRecord();

    float GetPower() const { return power; }
    // Clamps to [0.1, 20] and returns the stored value; a non-finite power
    // is refused with a log line and the old power kept.
    float SetPower(float p)
    {
        if (!(p - p == 0.0f)) {  // infinite or NaN
            return RefusePower(p);
        }
        power = p < kMinMorvoPower ? kMinMorvoPower : (p <= kMaxMorvoPower ? p : kMaxMorvoPower);
        return power;
    }
    float AddPower(float d) { return SetPower(power + d); }
    void ResetConversion() { conversionTimer = kConversionTime; }
    int32_t GetLightning() const { return lightning; }
    void SetLightning(int32_t i) { lightning = i; }
    // Adds to the lightning time; returns the new frame.
    int32_t AddLightningTime(float dt);
    int32_t UpdateLightningFrame();
    void ResetLightningTime() { lightningTime = 0.0f; }
    void SetTextureIndex(int32_t i) { textureIndex = i; }

private:
    float RefusePower(float p) const;
};

// Drawn radius of a morvo of power p: sqrt((p - 0.1) * 0.001 / pi) + 0.025.
float RadiusFromPower(float p);
// The inverse: 0.1 + (r - 0.025)^2 * pi / 0.001.
float PowerFromRadius(float r);
