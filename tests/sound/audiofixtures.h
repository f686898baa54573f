// Compressed audio files written at test time (FLAC, Ogg/Vorbis), so no
// binary fixture lives in the repository.
#pragma once

#include <string>

// 3000 frames of 16-bit stereo FLAC at 44100 Hz; frame i holds i + 1 (left)
// and -(i + 1) (right), in 1/32768 steps.
bool WriteIndexFlac(const std::string& path);

// 2205 frames of mono Ogg/Vorbis at 22050 Hz: a 441 Hz sine at amplitude 0.5.
bool WriteToneOgg(const std::string& path);
