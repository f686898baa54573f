// The spawn tools' emission routine over the circle queries.
#include "morvoemission.h"

#include "circlequery.h"
#include "debugbreak.h"
#include "mathutil.h"

namespace {
constexpr double kPi = 3.1415926535;
// The crowding count reaches this far beyond the tool's circle (0.8 of a body radius).
constexpr float kCrowdingMargin = 0.025f * 0.8f;
constexpr float kFreeAreaFactor = 1.0f;
constexpr float kNewMorvoPower = 1.5f;
// Share of the found morvos' count grown per emission (3.0 x 0.0333333).
constexpr float kGrowthPerMorvo = 3.0f * 0.0333333f;
constexpr int32_t kModeNew = 0;
constexpr int32_t kModeNewOrGrow = 1;

bool IsUsable(const EmissionTarget& target)
{
    if (target.grid == nullptr || target.state == nullptr) {
        DEBUG_BREAK("morvo emission without a world");
        return false;
    }
    return true;
}
}  // namespace

void MeasureCrowding(const EmissionTarget& target, const EmissionSettings& tool, Vec2 centre, EmissionInfo& info)
{
    info.ids.clear();
    info.occupiedArea = 0.0f;
    if (!IsUsable(target)) {
        return;
    }
    CollectMorvosInCircle(*target.grid, *target.state, centre, tool.radius + kCrowdingMargin, info.ids);
    double b = target.bodyRadius;
    info.occupiedArea = static_cast<float>(static_cast<double>(info.ids.size()) * kPi * b * b);
}

float SpawnAtRandomPoint(const EmissionTarget& target, const EmissionSettings& tool, Vec2 centre,
                         const EmissionInfo& info, float power)
{
    if (!(kPi * tool.radius * tool.radius * kFreeAreaFactor > info.occupiedArea)) {
        return 0.0f;
    }
    float u = RandomUnitFloat();
    float v = RandomUnitFloat();
    float x = centre.x + (2.0f * u - 1.0f) * tool.radius * 0.5f;
    float y = centre.y + (2.0f * v - 1.0f) * tool.radius * 0.5f;
    // A full store makes no morvo, and no power is spent on it.
    if (!target.addMorvo || target.addMorvo(x, y, tool.color, power) < 0) {
        return 0.0f;
    }
    return power;
}

float GrowMorvos(const EmissionTarget& target, const EmissionSettings& tool, const EmissionInfo& info, float amount)
{
    if (amount <= 0.0f || !IsUsable(target)) {
        return 0.0f;
    }
    int32_t n = 0;
    for (int32_t i : info.ids) {
        if (target.state->Get(i).color == tool.color) {
            ++n;
        }
    }
    if (n == 0) {
        return 0.0f;
    }
    float share = amount / static_cast<float>(n);
    float added = 0.0f;
    for (int32_t i : info.ids) {
        MorvoRecord& record = target.state->Get(i);
        if (record.color == tool.color) {
            float before = record.power;
            added += record.AddPower(share) - before;
        }
    }
    return added;
}

float EmitMorvos(const EmissionTarget& target, const EmissionSettings& tool, Vec2 centre)
{
    EmissionInfo info;
    MeasureCrowding(target, tool, centre, info);
    if (tool.mode == kModeNew) {
        return SpawnAtRandomPoint(target, tool, centre, info, kNewMorvoPower);
    }
    if (tool.mode == kModeNewOrGrow) {
        float added = SpawnAtRandomPoint(target, tool, centre, info, tool.amount);
        if (added <= 0.0f) {
            added += GrowMorvos(target, tool, info, kGrowthPerMorvo * static_cast<float>(info.ids.size()));
        }
        return added;
    }
    return 0.0f;
}
