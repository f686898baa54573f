// RainSystem: emission and fall of the rain drops.
#include "rainsystem.h"

#include <algorithm>
#include <cmath>

#include "compilerhints.h"
#include "debugbreak.h"
#include "mathutil.h"
#include "random15.h"

namespace {
constexpr float kRainAcceleration = -35.0f;
constexpr float kRainDamping = 0.7f;
constexpr int kMaxStartSpeed = 5;  // speeds 0..4
constexpr int kMaxLife = 30;       // lives 0..29 updates
constexpr int kDegrees = 360;
// Emissions between the request for a free drop's memory and its use.
constexpr size_t kPrefetchAhead = 32;

// cos and sin of every whole degree, as the emission computes them.
struct AngleTable {
    AngleTable()
    {
        for (int d = 0; d < kDegrees; ++d) {
            float a = DegToRad(static_cast<float>(d));
            cosines[d] = std::cos(a);
            sines[d] = std::sin(a);
        }
    }
    float cosines[kDegrees];
    float sines[kDegrees];
};

const AngleTable& Angles()
{
    static const AngleTable table;
    return table;
}
}  // namespace

RainSystem::RainSystem()
{
    Init(kRainDropCount);
}

RainSystem::~RainSystem() = default;

void RainSystem::Init(int32_t n)
{
    drops_ = std::make_unique<ParticlePool<RainDrop>>(n);
    freeDrops_.resize(static_cast<size_t>(drops_->GetSize()));
    for (int32_t i = 0; i < drops_->GetSize(); ++i) {
        freeDrops_[static_cast<size_t>(i)] = i;
    }
    freeCursor_ = 0;
    freeEnd_ = freeDrops_.size();
    fallingFree_ = false;
    initialised_ = true;
}

void RainSystem::Fall(RainDrop& drop, float h)
{
    drop.life -= 1;
    drop.acceleration = kRainAcceleration;
    drop.verticalSpeed = (drop.verticalSpeed + drop.acceleration * h) * kRainDamping;
    drop.position.z = drop.position.z + drop.verticalSpeed * h;
    drop.acceleration = 0.0f;
}

void RainSystem::Emit(float x, float y, float height, float radius)
{
    if (!initialised_) {
        DEBUG_BREAK("RainSystem::Emit before Init");
        return;
    }
    if (freeCursor_ == freeEnd_) {
        int32_t first = drops_->GetSize();
        drops_->Grow(kRainPoolGrowth);
        freeDrops_.resize(static_cast<size_t>(drops_->GetSize()));
        freeCursor_ = 0;
        freeEnd_ = 0;
        for (int32_t i = first; i < drops_->GetSize(); ++i) {
            freeDrops_[freeEnd_++] = i;
        }
        return;
    }
    const int32_t i = freeDrops_[freeCursor_++];
    // The free drops lie scattered over a large pool: fetch the next ones
    // early, both ends (a drop may straddle two cache lines).
    if (freeCursor_ + kPrefetchAhead < freeEnd_) {
        const RainDrop* ahead = drops_->Records() + freeDrops_[freeCursor_ + kPrefetchAhead];
        PrefetchForWrite(ahead);
        PrefetchForWrite(reinterpret_cast<const char*>(ahead + 1) - 1);
    }
    const int degrees = Rand15() % kDegrees;
    const float speed = static_cast<float>(Rand15() % kMaxStartSpeed);
    const int32_t life = Rand15() % kMaxLife;
    // The whole drop is written at once, after the draws.
    const AngleTable& angles = Angles();
    RainDrop drop;
    drop.position = Vec3(angles.cosines[degrees] * radius + x, angles.sines[degrees] * radius + y, height);
    drop.verticalSpeed = speed;
    drop.acceleration = kRainAcceleration;
    drop.life = life;
    drop.active = 1;
    drops_->Get(i) = drop;
}

void RainSystem::Update(float /*dt*/, float h)
{
    if (!initialised_) {
        DEBUG_BREAK("RainSystem::Update before Init");
        return;
    }
    const int32_t n = drops_->GetSize();
    int32_t* freeOut = freeDrops_.data();
    size_t freeCount = 0;
    bool fallingFree = false;
    RainDrop* drops = drops_->MutableRecords();
    if (!fallingFree_) {
        // Every falling drop is active: the free drops are those that ran out.
        for (int32_t i = 0; i < n; ++i) {
            RainDrop& drop = drops[i];
            if (drop.life >= 1) {
                Fall(drop, h);
            } else {
                if (drop.active != 0) {
                    drop.active = 0;
                }
                freeOut[freeCount++] = i;
            }
        }
    } else {
        for (int32_t i = 0; i < n; ++i) {
            RainDrop& drop = drops[i];
            if (drop.life >= 1) {
                Fall(drop, h);
                fallingFree = fallingFree || (drop.life >= 1 && drop.active == 0);
            } else if (drop.active != 0) {
                drop.active = 0;
            }
            freeOut[freeCount] = i;
            freeCount += drop.active == 0 ? 1 : 0;
        }
    }
    fallingFree_ = fallingFree;
    freeCursor_ = 0;
    freeEnd_ = freeCount;
}

void RainSystem::Deactivate(int32_t i)
{
    if (!initialised_ || i < 0 || i >= drops_->GetSize()) {
        DEBUG_BREAK("RainSystem::Deactivate: no such drop");
        return;
    }
    RainDrop& drop = drops_->Get(i);
    if (drop.active != 0) {
        drop.active = 0;
        fallingFree_ = fallingFree_ || drop.life >= 1;
        int32_t* first = freeDrops_.data() + freeCursor_;
        int32_t* last = freeDrops_.data() + freeEnd_;
        int32_t* at = std::lower_bound(first, last, i);
        std::copy_backward(at, last, last + 1);
        *at = i;
        ++freeEnd_;
    }
}
