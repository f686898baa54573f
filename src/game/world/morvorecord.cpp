// MorvoRecord's power, lightning clock and the radius/power conversions.
#include "morvorecord.h"

#include <cmath>

#include "debuglog.h"

namespace {
constexpr double kPi = 3.1415926535;
constexpr double kAreaPerPower = 0.001;
constexpr double kBaseRadius = 0.025;
}  // namespace

MorvoRecord::MorvoRecord()
    : position(0.0f, 0.0f),
      velocity(0.0f, 0.0f),
      force(0.0f, 0.0f),
      active(0),
      color(kMorvoNeutral),
      conversionTimer(kConversionTime),
      power(kMinMorvoPower),
      lightning(-1),
      lightningFrame(0),
      textureIndex(0),
      lightningTime(0.0f),
      cellX(0),
      cellY(0)
{
    SetPower(0.0f);
}

float MorvoRecord::RefusePower(float p) const
{
    DebugLog("MorvoRecord::SetPower -- ignoring non-finite power %f\n", p);
    return power;
}

int32_t MorvoRecord::AddLightningTime(float dt)
{
    lightningTime += dt;
    return UpdateLightningFrame();
}

int32_t MorvoRecord::UpdateLightningFrame()
{
    lightningFrame = static_cast<int32_t>(lightningTime * kLightningFramesPerSecond);
    return lightningFrame;
}

float RadiusFromPower(float p)
{
    // The difference is taken against the float limit, so the weakest morvo is exactly 0.025.
    double above = static_cast<double>(p - kMinMorvoPower);
    return static_cast<float>(std::sqrt(above * kAreaPerPower / kPi) + kBaseRadius);
}

float PowerFromRadius(float r)
{
    double d = r - kBaseRadius;
    return static_cast<float>(0.1 + d * d * kPi / kAreaPerPower);
}
