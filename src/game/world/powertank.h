// PowerTank: the boy's tool. It absorbs the pure morvos inside its circle
// into a store of power and releases that power as new pure morvos. The boy
// applies it once per frame while it is active; the in-game input switches
// it and its mode; the in-game state turns its counters into sounds.
#pragma once

#include "spawntool.h"
#include "tool.h"

#include <cstdint>

class PowerTank : public Tool {
public:
    static constexpr int32_t kModeAbsorb = 0;
    static constexpr int32_t kModeRelease = 1;

    explicit PowerTank(float capacity);

    // Sets the tank's own radius; the emitter keeps its 0.025.
    void SetRadius(float radius) override;
    // Absorbs (mode 0) or releases one emission (mode 1) at the position.
    void Apply(MorvoWorld* world, int32_t selector, Vec2 position) override;

    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    void Deactivate() { active_ = false; }
    int32_t GetMode() const { return mode_; }
    void SetMode(int32_t mode) { mode_ = mode; }

    float GetStoredPower() const { return storedPower_; }
    void SetStoredPower(float power) { storedPower_ = power; }
    float GetCapacity() const { return capacity_; }
    void SetCapacity(float capacity) { capacity_ = capacity; }

    // Morvos absorbed and releases of more than 1.0 power since the last clear.
    int32_t GetAbsorbedCount() const { return absorbedCount_; }
    void SetAbsorbedCount(int32_t count) { absorbedCount_ = count; }
    int32_t GetReleaseCount() const { return releaseCount_; }
    void SetReleaseCount(int32_t count) { releaseCount_ = count; }

    const SpawnTool& GetEmitter() const { return emitter_; }

private:
    int32_t absorbedCount_ = 0;
    int32_t releaseCount_ = 0;
    bool active_ = false;
    int32_t mode_ = kModeAbsorb;
    float storedPower_ = 0.0f;
    float capacity_;
    SpawnTool emitter_;  // radius 0.025, pure, mode 1, amount 1.5
};
