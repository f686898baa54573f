// The program's start-up and shutdown: reads the start-up file, loads the
// game plan, creates the engine singletons, the window and the input, the
// eight application states in table order, runs the main loop and tears
// everything down. Its result is the process exit code: 1 for a fatal
// start-up failure (after its message box), otherwise the main loop's.
#pragma once

// The start-up file looked for in the working folder, and the name its
// messages give it.
constexpr const char* kStartupFileName = "Bios_debug.txt";
constexpr const char* kStartupFileShownName = "Bios.txt";
constexpr const char* kGamePlanFileName = "GamePlan.xml";

int RunMorvo();

// A rotation of 45 degrees about the X axis, built and dropped (not called by the game).
void RotationTest();
// The counter's value before this call (0 first); not called by the game.
int NextCount();
