// MorvoEndingMenuState: the screen after a lost level (state 4). Continue
// goes to the level select, Menu to the title; Return goes straight back
// into the game without a fade, Escape quits.
#pragma once

#include "menuscreen.h"

class MorvoEndingMenuState : public MenuScreen {
public:
    MorvoEndingMenuState();

protected:
    void OnClick(int hoverIndex) override;
    void OnKeys() override;
};
