// The colours the world renderer gives morvos by class (pure, neutral,
// dark) and the factors of the disk mode; shared by the point, disk and
// glow drawings.
#pragma once

#include "morvorecord.h"
#include "vec3.h"

inline const Vec3 kPureColor(0.98f, 0.98f, 0.9f);
inline const Vec3 kNeutralColor(1.0f, 1.0f, 1.0f);
inline const Vec3 kDarkColor(0.4f, 0.4f, 0.4f);
// Half-way between neutral and dark: the glow layers fade from it.
inline const Vec3 kGlowMidColor = (kNeutralColor + kDarkColor) * 0.5f;
constexpr float kDiskSizeFactor = 1.0f;
constexpr float kDiskShadeFactor = 0.8f;

// The class colour of a morvo colour value.
inline const Vec3& MorvoClassColor(int32_t color)
{
    return IsPureColor(color) ? kPureColor : (IsDarkColor(color) ? kDarkColor : kNeutralColor);
}
