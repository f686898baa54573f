// Scratch files for the fuzz targets: the readers take file names, so each
// input is written to a file in a private folder of the fuzzing process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Silences the debug log (the readers log every rejection).
void QuietLog();

// Writes the input to <private folder>/<name> and returns that path.
std::string WriteScratch(const char* name, const uint8_t* data, size_t size);

// The private folder (created on first use).
const std::string& ScratchFolder();
