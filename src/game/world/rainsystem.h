// RainSystem: the pool of rain drops that dark contacts start (the pair
// exchange emits them) and that fall and expire. The world owns one and
// updates it once per simulator sub-step; the renderer draws its active drops.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "particlepool.h"
#include "vec3.h"

struct RainDrop {
    Vec3 position;               // x, y on the simulation plane, z the height
    float verticalSpeed = 0.0f;  // along z, units per second
    float acceleration = 0.0f;   // along z; only set during an update
    int32_t life = 0;            // remaining updates
    int32_t active = 0;
};

constexpr int32_t kRainDropCount = 100;
// Drops added when an emission finds the pool full.
constexpr int32_t kRainPoolGrowth = 10;

class RainSystem {
public:
    RainSystem();
    ~RainSystem();

    RainSystem(const RainSystem&) = delete;
    RainSystem& operator=(const RainSystem&) = delete;

    // A fresh pool of n default drops.
    void Init(int32_t n);
    // Starts one drop on the circle of radius around (x, y). A full pool
    // grows by 10 instead and no drop starts this time.
    void Emit(float x, float y, float height, float radius);
    // Advances every drop by the sub-step h (dt is not used).
    void Update(float dt, float h);
    void Deactivate(int32_t i);

    const ParticlePool<RainDrop>& GetDrops() const { return *drops_; }
    bool IsInitialised() const { return initialised_; }

private:
    // One update of a drop with life left.
    static void Fall(RainDrop& drop, float h);

    std::unique_ptr<ParticlePool<RainDrop>> drops_;
    bool initialised_ = false;
    // freeDrops_[freeCursor_, freeEnd_) lists exactly the inactive drops in
    // index order, so an emission takes the first free drop without a search.
    // The buffer is kept as long as the pool.
    std::vector<int32_t> freeDrops_;
    size_t freeCursor_ = 0;
    size_t freeEnd_ = 0;
    // True while a drop may be inactive yet still falling (only Deactivate
    // makes one): the update must then test every drop for the free list,
    // not just those that ran out.
    bool fallingFree_ = false;
};
