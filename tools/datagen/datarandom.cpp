// Seeded random numbers and value noise (see datarandom.h).
#include "datarandom.h"

#include <cmath>

namespace {

uint64_t Mix(uint64_t z)
{
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Wrap(int v, int period)
{
    if (period <= 0) {
        return v;
    }
    int m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

DataRandom::DataRandom(uint64_t seed)
    : state_(Mix(seed) | 1)
{}

uint32_t DataRandom::Next()
{
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<uint32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

double DataRandom::Unit()
{
    return Next() / 4294967296.0;
}

double DataRandom::Range(double lo, double hi)
{
    return lo + (hi - lo) * Unit();
}

int DataRandom::Int(int lo, int hi)
{
    if (hi <= lo) {
        return lo;
    }
    return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1));
}

Noise2D::Noise2D(uint64_t seed, int periodX, int periodY)
    : seed_(Mix(seed)),
      periodX_(periodX),
      periodY_(periodY)
{}

double Noise2D::Lattice(int x, int y) const
{
    uint64_t h = Mix(seed_ ^ (static_cast<uint64_t>(static_cast<uint32_t>(Wrap(x, periodX_))) << 32) ^
                     static_cast<uint32_t>(Wrap(y, periodY_)));
    return (h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

double Noise2D::At(double x, double y) const
{
    double fx = std::floor(x);
    double fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    double tx = x - fx;
    double ty = y - fy;
    tx = tx * tx * (3.0 - 2.0 * tx);
    ty = ty * ty * (3.0 - 2.0 * ty);
    double a = Lattice(ix, iy);
    double b = Lattice(ix + 1, iy);
    double c = Lattice(ix, iy + 1);
    double d = Lattice(ix + 1, iy + 1);
    return Lerp(Lerp(a, b, tx), Lerp(c, d, tx), ty);
}

double Noise2D::Fbm(double x, double y, int octaves) const
{
    double sum = 0.0;
    double amplitude = 0.5;
    double frequency = 1.0;
    for (int i = 0; i < octaves; ++i) {
        // Each octave keeps the wrap: the period scales with the frequency.
        Noise2D octave(seed_ + static_cast<uint64_t>(i) * 7919u, periodX_ * static_cast<int>(frequency),
                       periodY_ * static_cast<int>(frequency));
        sum += octave.At(x * frequency, y * frequency) * amplitude;
        amplitude *= 0.5;
        frequency *= 2.0;
    }
    return sum * 1.9;
}

double Clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

double SmoothStep(double edge0, double edge1, double v)
{
    double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double Lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}
