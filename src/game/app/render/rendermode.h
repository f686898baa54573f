// The morvo render mode (0 points, 1 disks, 2 depth-sorted glow billboards,
// any other value draws no morvos) and the debug drawings of the world
// renderer. The in-game keys cycle the mode and toggle the drawings;
// start-up turns the drawings on.
#pragma once

constexpr int kRenderModePoints = 0;
constexpr int kRenderModeDisks = 1;
constexpr int kRenderModeGlow = 2;
constexpr int kRenderModeNone = 3;

// Grid, cell-set and bounds flags and the master flag all become `on`.
void SetDebugDraw(bool on);
// SetDebugDraw(!master flag).
void ToggleDebugDraw();
bool IsDebugDrawOn();
bool IsGridDrawOn();
bool IsCellSetDrawOn();
bool IsBoundsDrawOn();

int GetRenderMode();
// Clamped to 0..3; 0 and 1 turn the debug drawings on, 2 turns them off, 3 leaves them.
void SetRenderMode(int mode);
// (mode + 1) % 3: never reaches 3.
void CycleRenderMode();
