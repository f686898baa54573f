// Seeded random numbers and smooth noise for the demo-data generator.
// Every generator step takes its own DataRandom with a fixed seed, so the
// whole data set comes out byte for byte the same on every machine.
#pragma once

#include <cstdint>

constexpr double kPi = 3.14159265358979323846;

class DataRandom {
public:
    explicit DataRandom(uint64_t seed);

    uint32_t Next();
    // Uniform in [0, 1).
    double Unit();
    // Uniform in [lo, hi).
    double Range(double lo, double hi);
    // Uniform integer in [lo, hi].
    int Int(int lo, int hi);

private:
    uint64_t state_;
};

// Value noise on an integer lattice, smoothly interpolated; the lattice
// wraps with the given period (0 = no wrap) so textures can tile.
class Noise2D {
public:
    Noise2D(uint64_t seed, int periodX = 0, int periodY = 0);

    // Noise in [-1, 1] at (x, y) in lattice units.
    double At(double x, double y) const;
    // Sum of octaves, each twice the frequency and half the amplitude;
    // the result stays roughly within [-1, 1].
    double Fbm(double x, double y, int octaves) const;

private:
    double Lattice(int x, int y) const;

    uint64_t seed_;
    int periodX_;
    int periodY_;
};

double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double v);
double Lerp(double a, double b, double t);
