// The in-game editor's keys, read each playing frame while editing is on:
// brush size, painting and erasing morvos, picking, making and painting cell
// sets, new triggers, new particle systems at the boy and the islands' dirt.
// The cell painter's set is looked up by its index at every use, since any
// new set may move the stored sets.
#pragma once

#include "vec2.h"

class InputDevice;
class MorvoWorld;

// Brush radius (Minus, Equals; dt in seconds), the attractor sized by the
// brush, then the first of the editing keys that applies, at the boy.
void ApplyEditingKeys(const InputDevice& input, MorvoWorld& world, float dt);

// The cell painter's target becomes the first set holding the cell under p
// (none when no set holds it).
void PickCellSetAt(const MorvoWorld& world, Vec2 p);
// A new empty cell set, made the painter's target.
void MakeCellSet();
// The painter's target set looked up again by its index; null when none.
void RefreshCellPainterTarget();
// An untriggered trigger named "newTrig_<n>" on the grid set, appended.
void AddEditorTrigger(MorvoWorld& world, int gridSet);
// A particle system at the boy with the world's particle texture, appended
// to the world's list; false (a warning, nothing appended) without that texture.
bool AddSphericalParticleSystem(MorvoWorld& world);
bool AddPlaneParticleSystem(MorvoWorld& world);
// Every island switched between clean and dirty.
void ToggleIslandDirt(MorvoWorld& world);
