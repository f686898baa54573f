// MorvoExtraState: the extras screen (state 6). Three extra chapters and
// the way back to the title (also Escape and M); Q quits.
#pragma once

#include "menuscreen.h"

class MorvoExtraState : public MenuScreen {
public:
    MorvoExtraState();

protected:
    void OnClick(int hoverIndex) override;
    void OnKeys() override;
};
