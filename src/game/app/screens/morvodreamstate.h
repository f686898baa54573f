// MorvoDreamState: the level select (state 5). Four Daydream chapters, the
// extras screen and the way back to the title (also Escape and M); Q quits.
#pragma once

#include "menuscreen.h"

class MorvoDreamState : public MenuScreen {
public:
    MorvoDreamState();

protected:
    void OnClick(int hoverIndex) override;
    void OnKeys() override;
};
