// MorvoSaveLoadState: the pause menu (state 3) that Escape opens from the
// game. Continue (also Return and Escape) goes back to the game, Menu (also
// M) to the title; Q quits. It neither saves nor loads anything.
#pragma once

#include "menuscreen.h"

class MorvoSaveLoadState : public MenuScreen {
public:
    MorvoSaveLoadState();

protected:
    void OnClick(int hoverIndex) override;
    void OnKeys() override;
};
