// The chapter music files (in the game's data/music folder) that the story
// names by path, and their loop lengths in samples.
#pragma once

#include <cstddef>
#include <string>

constexpr const char* kMusicIntroCalm = "introcalm.wav";
constexpr const char* kMusicIntroDark = "introdark.wav";
constexpr const char* kMusicLevelLight = "levellight.wav";
constexpr const char* kMusicLevelDark = "leveldark.wav";
constexpr const char* kMusicLevelEmber = "levelember.wav";
constexpr const char* kMusicLevelOpen = "levelopen.wav";

// Number of samples of one pass of a chapter music file (its loop end).
size_t MusicLength(const std::string& file);
