// The world renderer's simulation-plane drawing: grid, brush, cell
// outlines, rain streaks, particle sprites, the morvos in the current
// render mode, the attractor gizmo and the active bounds, all inside the
// transform that puts simulation point (x, y, z) at world
// (200x, 150 + 200z, -200y). The scene renderer calls it every frame.
#pragma once

#include <cstdint>

class MorvoWorld;
struct GLUquadric;
class UniformGrid;

// Draws nothing for a null world (or one not initialised).
void RenderWorld(MorvoWorld* world);

// Multiplies the current matrix by the simulation-plane transform:
// translate (0, 150, 0), scale 200, rotate -90 degrees about X.
void ApplySimulationPlane();

// The one GLU quadric of the renderer, made on first use and kept.
GLUquadric* GetSharedQuadric();

// The steps of RenderWorld, each in simulation coordinates.
void DrawCellLine(const UniformGrid& grid, int32_t col0, int32_t row0, int32_t col1, int32_t row1);
void DrawWorldGrid(const UniformGrid& grid);
void DrawBrushCircle(const MorvoWorld& world);
void DrawCellOutlines(const MorvoWorld& world);
void DrawRainStreaks(const MorvoWorld& world);
void DrawMorvos(MorvoWorld& world);
void DrawMorvoPoints(const MorvoWorld& world);
void DrawMorvoDisks(const MorvoWorld& world);
void DrawAttractorGizmo(const MorvoWorld& world);
