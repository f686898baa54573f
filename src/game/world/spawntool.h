// SpawnTool: the brush that creates morvos of one colour inside its circle,
// or grows the ones already there. The ToolSet is one, the power tank holds
// one to release its power. The emission routine itself (Emit and its three
// steps) sits with the grid's area queries.
#pragma once

#include "tool.h"

#include <cstdint>

struct EmissionInfo;
struct EmissionSettings;

class SpawnTool : public Tool {
public:
    // Emission modes.
    static constexpr int32_t kModeNew = 0;        // only new morvos
    static constexpr int32_t kModeNewOrGrow = 1;  // new morvos, or grow when the circle is full

    // Runs the emission at the position and drops its result.
    void Apply(MorvoWorld* world, int32_t selector, Vec2 position) override;

    void SetColor(int32_t color) { color_ = color; }
    int32_t GetColor() const { return color_; }
    void SetMode(int32_t mode) { mode_ = mode; }
    int32_t GetMode() const { return mode_; }
    void SetAmount(float amount) { amount_ = amount; }
    float GetAmount() const { return amount_; }

    // Creates or grows morvos of this tool's colour inside its circle around
    // the centre; returns the power added.
    float Emit(MorvoWorld* world, Vec2 centre) const;
    // Collects the morvos near the circle into info and measures their area.
    void MeasureCrowding(MorvoWorld* world, Vec2 centre, EmissionInfo& info) const;
    // Adds one morvo of the given power at a random point when the circle has
    // room; returns the power added (0 when it had none).
    float SpawnAtRandomPoint(MorvoWorld* world, Vec2 centre, const EmissionInfo& info, float power) const;
    // Shares the amount among the found morvos of this colour; returns the
    // power actually added.
    float Grow(MorvoWorld* world, const EmissionInfo& info, float amount) const;
    // This tool's radius, colour, mode and amount as the emission reads them.
    EmissionSettings GetSettings() const;

private:
    int32_t color_ = 0;    // 1 pure, -1 dark, 0 neutral
    int32_t mode_ = 0;     // kModeNew or kModeNewOrGrow
    float amount_ = 1.0f;  // power handed to a new morvo in mode 1
};
