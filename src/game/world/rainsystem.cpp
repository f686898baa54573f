// RainSystem: emission and fall of the rain drops.
#include "rainsystem.h"

#include <algorithm>
#include <cmath>

#include "debugbreak.h"
#include "mathutil.h"
#include "random15.h"

namespace {
constexpr float kRainAcceleration = -35.0f;
constexpr float kRainDamping = 0.7f;
constexpr int kMaxStartSpeed = 5;  // speeds 0..4
constexpr int kMaxLife = 30;       // lives 0..29 updates
constexpr int kDegrees = 360;
constexpr size_t kPrefetchAhead = 16;

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
    initialised_ = true;
}

void RainSystem::ClaimDrop(int32_t i)
{
    RainDrop& drop = drops_->Get(i);
    drop = RainDrop();
    drop.active = 1;
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
    int32_t i = freeDrops_[freeCursor_++];
    ClaimDrop(i);
    // The free drops lie scattered over a large pool: fetch the next ones early.
    if (freeCursor_ + kPrefetchAhead < freeEnd_) {
        __builtin_prefetch(drops_->Records() + freeDrops_[freeCursor_ + kPrefetchAhead], 1);
    }
    int degrees = Rand15() % kDegrees;
    float speed = static_cast<float>(Rand15() % kMaxStartSpeed);
    int32_t life = Rand15() % kMaxLife;
    RainDrop& drop = drops_->Get(i);
    const AngleTable& angles = Angles();
    drop.position = Vec3(angles.cosines[degrees] * radius + x, angles.sines[degrees] * radius + y, height);
    drop.acceleration = kRainAcceleration;
    drop.verticalSpeed = speed;
    drop.life = life;
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
    RainDrop* drops = drops_->MutableRecords();
    for (int32_t i = 0; i < n; ++i) {
        RainDrop& drop = drops[i];
        if (drop.life >= 1) {
            drop.life -= 1;
            drop.acceleration = kRainAcceleration;
            drop.verticalSpeed = (drop.verticalSpeed + drop.acceleration * h) * kRainDamping;
            drop.position.z = drop.position.z + drop.verticalSpeed * h;
            drop.acceleration = 0.0f;
        } else if (drop.active != 0) {
            drop.active = 0;
        }
        freeOut[freeCount] = i;
        freeCount += drop.active == 0 ? 1 : 0;
    }
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
        int32_t* first = freeDrops_.data() + freeCursor_;
        int32_t* last = freeDrops_.data() + freeEnd_;
        int32_t* at = std::lower_bound(first, last, i);
        std::copy_backward(at, last, last + 1);
        *at = i;
        ++freeEnd_;
    }
}
