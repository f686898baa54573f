// The spawn tools' emission routine: creates a morvo of the tool's colour at
// a random point of its circle while the circle has room, or grows the
// morvos of that colour already there. SpawnTool::Emit (the editing brush
// and the power tank's emitter) fills an EmissionTarget from the world and
// the tool's fields and calls EmitMorvos.
#pragma once

#include <cstdint>
#include <functional>
#include <list>

#include "morvostore.h"
#include "uniformgrid.h"
#include "vec2.h"

// Scratch of one emission: the morvos found and the area they fill.
struct EmissionInfo {
    std::list<int32_t> ids;
    float occupiedArea = 0.0f;
};

// The tool's fields the emission reads.
struct EmissionSettings {
    float radius = 0.0f;
    int32_t color = 0;
    int32_t mode = 0;  // 0 new morvos, 1 new or grow
    float amount = 1.0f;
};

// The parts of the world an emission works on.
struct EmissionTarget {
    const UniformGrid* grid = nullptr;
    MorvoState* state = nullptr;  // the store's current state
    float bodyRadius = 0.025f;    // of the world's pair force
    // MorvoWorld::AddMorvo (x, y, color, power): the new index or -1.
    std::function<int32_t(float, float, int32_t, float)> addMorvo;
};

// Collects the morvos within radius + 0.02 and the area their bodies fill.
void MeasureCrowding(const EmissionTarget& target, const EmissionSettings& tool, Vec2 centre, EmissionInfo& info);
// A new morvo at a random point of the inner square when the circle has free
// area; returns power, or 0 when there was no room or no free record.
float SpawnAtRandomPoint(const EmissionTarget& target, const EmissionSettings& tool, Vec2 centre,
                         const EmissionInfo& info, float power);
// Shares amount among the found morvos of the tool's colour; returns the power actually added.
float GrowMorvos(const EmissionTarget& target, const EmissionSettings& tool, const EmissionInfo& info, float amount);
// The whole emission; returns the power added.
float EmitMorvos(const EmissionTarget& target, const EmissionSettings& tool, Vec2 centre);
