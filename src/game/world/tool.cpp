// Tool base: the radius shared by every brush.
#include "tool.h"

void Tool::SetRadius(float radius)
{
    // The negated test also turns NaN into 0.
    radius_ = (radius >= 0.0f) ? radius : 0.0f;
}
