// Mono sample buffers at 44.1 kHz, a few synthesis building blocks and the
// WAV writer (16-bit PCM, RIFF header written by hand).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datarandom.h"

constexpr int kSampleRate = 44100;

using Samples = std::vector<float>;

// Writes 16-bit PCM mono at 44.1 kHz; values are clipped to [-1, 1].
bool WriteWav(const std::string& path, const Samples& samples);

// Scales the buffer so its peak is the given level.
void Normalize(Samples& s, double peak);
// Adds the part after `length` back onto the start and cuts it off, so the
// buffer loops without a click (tails of notes ring into the next pass).
void WrapTail(Samples& s, size_t length);
// Fades the loop seam: the last `fade` samples cross-fade into the first.
void CrossFadeLoop(Samples& s, size_t fade);
// Fades the last `seconds` of a one-shot sound to silence (no click at the end).
void FadeOut(Samples& s, double seconds);
// Mixes `src` into `dst` at `offset` with a gain; grows dst when needed.
void MixInto(Samples& dst, const Samples& src, size_t offset, double gain);

// One-pole low-pass filter state.
class LowPass {
public:
    explicit LowPass(double cutoffHz);
    void SetCutoff(double cutoffHz);
    double Step(double x);

private:
    double a_ = 0.0;
    double y_ = 0.0;
};

// Resonant band-pass (state-variable filter).
class BandPass {
public:
    BandPass(double centreHz, double q);
    void SetCentre(double centreHz);
    double Step(double x);

private:
    double f_ = 0.0;
    double damp_ = 0.0;
    double low_ = 0.0;
    double band_ = 0.0;
};

// White noise from a seeded generator.
class WhiteNoise {
public:
    explicit WhiteNoise(uint64_t seed);
    double Next();

private:
    uint64_t state_;
};

// Frequency of a MIDI note number.
double NoteHz(double note);
// A bell-like tone: inharmonic partials with exponential decay.
Samples Bell(double hz, double seconds, double brightness);
// A plucked tone (harmonics with a quick attack and decay).
Samples Pluck(double hz, double seconds, double decay);
// A soft pad: detuned saws through a low-pass, slow attack and release.
Samples Pad(double hz, double seconds, double cutoff);
// A simple feedback delay used as a small room.
void Echo(Samples& s, double delaySeconds, double feedback, double mix);
