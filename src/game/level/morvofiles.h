// MorvoFiles: reads a "MorvoLevel" XML file into the running world and the
// level tables, and writes the world back. The game flow reads a level when
// a chapter starts; the level edit dialog opens and saves levels.
#pragma once

#include <string>

namespace MorvoFiles {

// Replaces the level in the world, the grid-set and animation tables, the
// triggers and the particle systems with the file's. A file that cannot be
// read, does not parse or has no "MorvoLevel" root returns false and leaves
// the level already in the world untouched.
bool LoadLevel(const std::string& path);

// Empties the level in the world and the level tables: no morvos, grid
// sets, animations, triggers or particle systems, every rule off, every
// island clean.
void ClearLevel();

// Points every island's trigger and the cell painter's target set at
// nothing (set index -1), so nothing keeps a pointer into emptied triggers
// or grid sets. Nothing else changes.
void ForgetLevelPointers();

// Writes the world's level; a failed save leaves an existing file as it was.
bool SaveLevel(const std::string& path);

}  // namespace MorvoFiles
