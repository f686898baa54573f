// ToolSet: the editing brushes under one clamped radius.
#include "toolset.h"

#include "mathutil.h"
#include "morvorecord.h"

namespace {

constexpr float kSmallestMorvoPower = 0.1f;
constexpr float kLargestMorvoPower = 20.0f;

}  // namespace

ToolSet::ToolSet()
{
    SetMode(kModeNewOrGrow);
    SetColor(kMorvoNeutral);
    SetAmount(1.0f);
}

void ToolSet::SetRadius(float radius)
{
    const float clamped = ClampFloat(radius, RadiusFromPower(kSmallestMorvoPower), RadiusFromPower(kLargestMorvoPower));
    Tool::SetRadius(clamped);
    erase_.SetRadius(clamped);
    radius_ = clamped;
}

ToolSet& GetToolSet()
{
    static ToolSet toolSet;
    return toolSet;
}
