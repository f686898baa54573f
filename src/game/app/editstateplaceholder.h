// Stands in for the level edit dialog state (state 2) until the editor is
// part of the program: entering it logs that the editor is missing, and its
// first frame goes back to the game.
#pragma once

#include "appstate.h"

class EditStatePlaceholder : public AppState {
public:
    void Update(float dt) override;
    void Enter(int previousIndex) override;
    void Exit(int nextIndex) override;
};
