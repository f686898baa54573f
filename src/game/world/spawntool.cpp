// SpawnTool: applies the emission routine of the grid's area queries with
// this tool's radius, colour, mode and amount on the world's grid and store.
#include "spawntool.h"

#include "debugbreak.h"
#include "morvoemission.h"
#include "morvoljfunc.h"
#include "morvoworld.h"

namespace {

constexpr float kDefaultBodyRadius = 0.025f;

EmissionTarget MakeTarget(MorvoWorld* world)
{
    EmissionTarget target;
    target.grid = world->GetGrid();
    target.state = world->GetStore() != nullptr ? world->GetStore()->GetCurrentState() : nullptr;
    const MorvoLJFunc* pairForce = world->GetMorvoLJFunc();
    target.bodyRadius = pairForce != nullptr ? pairForce->GetBodyRadius() : kDefaultBodyRadius;
    target.addMorvo = [world](float x, float y, int32_t color, float power) {
        return world->AddMorvo(x, y, color, power);
    };
    return target;
}

bool HasSimulation(MorvoWorld* world)
{
    return world->GetGrid() != nullptr && world->GetStore() != nullptr;
}

}  // namespace

void SpawnTool::Apply(MorvoWorld* world, int32_t /*selector*/, Vec2 position)
{
    if (world == nullptr) {
        DEBUG_BREAK("SpawnTool::Apply: null world");
        return;
    }
    Emit(world, position);
}

EmissionSettings SpawnTool::GetSettings() const
{
    EmissionSettings settings;
    settings.radius = GetRadius();
    settings.color = color_;
    settings.mode = mode_;
    settings.amount = amount_;
    return settings;
}

float SpawnTool::Emit(MorvoWorld* world, Vec2 centre) const
{
    if (world == nullptr || !HasSimulation(world)) {
        DEBUG_BREAK("SpawnTool::Emit: no world to emit into");
        return 0.0f;
    }
    return EmitMorvos(MakeTarget(world), GetSettings(), centre);
}

void SpawnTool::MeasureCrowding(MorvoWorld* world, Vec2 centre, EmissionInfo& info) const
{
    if (world == nullptr || !HasSimulation(world)) {
        DEBUG_BREAK("SpawnTool::MeasureCrowding: no world");
        return;
    }
    ::MeasureCrowding(MakeTarget(world), GetSettings(), centre, info);
}

float SpawnTool::SpawnAtRandomPoint(MorvoWorld* world, Vec2 centre, const EmissionInfo& info, float power) const
{
    if (world == nullptr || !HasSimulation(world)) {
        DEBUG_BREAK("SpawnTool::SpawnAtRandomPoint: no world");
        return 0.0f;
    }
    return ::SpawnAtRandomPoint(MakeTarget(world), GetSettings(), centre, info, power);
}

float SpawnTool::Grow(MorvoWorld* world, const EmissionInfo& info, float amount) const
{
    if (world == nullptr || !HasSimulation(world)) {
        DEBUG_BREAK("SpawnTool::Grow: no world");
        return 0.0f;
    }
    return GrowMorvos(MakeTarget(world), GetSettings(), info, amount);
}
