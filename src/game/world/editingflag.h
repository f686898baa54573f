// The game-wide editing flag: on while the in-game editor paints the level.
// Read by the boy, the attractor, the in-game state, the renderer and the
// edit state; switched by the in-game input.
#pragma once

bool IsEditingEnabled();

// Stores the flag; logs "Editing enabled.\n" / "Editing disabled.\n" only on a change.
void SetEditingEnabled(bool enabled);
