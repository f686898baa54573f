// RainSystem: emission and fall of the rain drops.
#include "rainsystem.h"

#include <cmath>

#include "debugbreak.h"
#include "mathutil.h"
#include "random15.h"

namespace {
constexpr float kRainAcceleration = -35.0f;
constexpr float kRainDamping = 0.7f;
constexpr int kMaxStartSpeed = 5;  // speeds 0..4
constexpr int kMaxLife = 30;       // lives 0..29 updates
}  // namespace

RainSystem::RainSystem()
{
    Init(kRainDropCount);
}

RainSystem::~RainSystem() = default;

void RainSystem::Init(int32_t n)
{
    drops_ = std::make_unique<ParticlePool<RainDrop>>(n);
    initialised_ = true;
}

void RainSystem::Emit(float x, float y, float height, float radius)
{
    if (!initialised_) {
        DEBUG_BREAK("RainSystem::Emit before Init");
        return;
    }
    int32_t i = drops_->FindFree();
    if (i < 0) {
        drops_->Grow(kRainPoolGrowth);
        return;
    }
    float angle = DegToRad(static_cast<float>(Rand15() % 360));
    float speed = static_cast<float>(Rand15() % kMaxStartSpeed);
    int32_t life = Rand15() % kMaxLife;
    RainDrop& drop = drops_->Get(i);
    drop.position = Vec3(std::cos(angle) * radius + x, std::sin(angle) * radius + y, height);
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
    int32_t n = drops_->GetSize();
    for (int32_t i = 0; i < n; ++i) {
        RainDrop& drop = drops_->Get(i);
        if (drop.life >= 1) {
            drop.life -= 1;
            drop.acceleration = kRainAcceleration;
            drop.verticalSpeed = (drop.verticalSpeed + drop.acceleration * h) * kRainDamping;
            drop.position.z = drop.position.z + drop.verticalSpeed * h;
            drop.acceleration = 0.0f;
        } else {
            drop.active = 0;
        }
    }
}

void RainSystem::Deactivate(int32_t i)
{
    if (!initialised_ || i < 0 || i >= drops_->GetSize()) {
        DEBUG_BREAK("RainSystem::Deactivate: no such drop");
        return;
    }
    drops_->Get(i).active = 0;
}
