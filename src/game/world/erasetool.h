// EraseTool: the brush that removes every morvo inside its circle.
// Part of the ToolSet; applied by the in-game editor.
#pragma once

#include "tool.h"

class EraseTool : public Tool {
public:
    void Apply(MorvoWorld* world, int32_t selector, Vec2 position) override;
};
