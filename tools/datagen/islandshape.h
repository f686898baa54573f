// The height field of one island: a wobbly dome (or a volcano with a
// crater) that meets the ocean at y 0 on a gentle beach and falls to the
// sea floor, with a flattened plateau where the island has a city.
// The world's ocean lies at y 0; x and z are world units.
#pragma once

#include <cstdint>
#include <string>

#include "datarandom.h"
#include "objwriter.h"

struct IslandSpec {
    std::string file;  // base file name, lower case, no "_"
    double cx = 0.0;
    double cz = 0.0;
    double radius = 100.0;  // shore radius before the wobble
    double height = 30.0;   // highest land
    bool volcano = false;
    bool hasCity = false;
    double cityX = 0.0;  // city centre, world units
    double cityZ = 0.0;
    double cityRadius = 0.0;
    double cityHeight = 0.0;  // plateau height
    uint64_t seed = 1;
    int textureSize = 256;
    int cells = 48;  // mesh cells along one side
};

class IslandShape {
public:
    explicit IslandShape(const IslandSpec& spec);

    const IslandSpec& Spec() const { return spec_; }
    double Height(double x, double z) const;
    Vec3d Normal(double x, double z) const;
    // Half the side of the square the island's mesh and texture cover.
    double Extent() const { return spec_.radius * 1.75; }
    // The outermost distance from the centre along angle a at which the
    // ground reaches the given height.
    double ContourRadius(double angle, double level) const;
    // True inside the crater or on the city plateau (no trees there).
    bool IsCraterOrCity(double x, double z) const;
    // 0 on open land, 1 in the middle of the city plateau.
    double CityWeight(double x, double z) const;

private:
    IslandSpec spec_;
    Noise2D shoreNoise_;
    Noise2D hillNoise_;
    Noise2D detailNoise_;
};
