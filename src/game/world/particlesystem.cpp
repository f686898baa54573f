// Emission, respawn and the per-step update of level particle systems.
#include "particlesystem.h"

#include "debugbreak.h"
#include "debuglog.h"
#include "mathutil.h"
#include "planeemitter.h"
#include "random15.h"
#include "sphericalemitter.h"
#include "texture.h"
#include "trigger.h"

namespace {

constexpr float kSimScale = 1.0f / 200.0f;  // world units to simulation units

}  // namespace

ParticleSystem::ParticleSystem()
{
    particles_ = std::make_unique<ParticlePool<Particle>>(0);
    SetSphericalEmitter();
    initialised_ = true;
}

ParticleSystem::ParticleSystem(int32_t count, float damping, int32_t lifetime, float minSize, float maxSize, float x,
                               float y, float z, float fx, float fy, float fz, float r, float g, float b, float a)
{
    Init(count, damping, lifetime, minSize, maxSize, x, y, z, fx, fy, fz, r, g, b, a);
}

ParticleSystem::~ParticleSystem()
{
    particles_.reset();
    emitter_.reset();
    initialised_ = false;
}

void ParticleSystem::Init(int32_t count, float damping, int32_t lifetime, float minSize, float maxSize, float x,
                          float y, float z, float fx, float fy, float fz, float r, float g, float b, float a)
{
    givenCount_ = count;
    if (count < 0) {
        DebugLog("Warning: particle system count %d is negative; using 0.\n", count);
        count = 0;
    }
    if (count > kMaxParticleCount) {
        DebugLog("Warning: particle system count %d cannot be allocated (at most %d).\n", count, kMaxParticleCount);
        particles_.reset();
    } else {
        particles_ = std::make_unique<ParticlePool<Particle>>(count);
    }
    position_ = Vec3(x, y, z);
    damping_ = damping;
    lifetime_ = lifetime;
    color_ = Vec3(r, g, b);
    alpha_ = a;
    minSize_ = minSize;
    maxSize_ = maxSize;
    minHalfSize_ = minSize * 0.5f * kSimScale;
    maxHalfSize_ = maxSize * 0.5f * kSimScale;
    sizeRange_ = maxHalfSize_ - minHalfSize_;
    givenForce_ = Vec3(fx, fy, fz);
    force_ = givenForce_ * kSimScale;
    trigger_ = nullptr;
    speed_ = 1.0f;
    SetSphericalEmitter();
    initialised_ = true;
    emitting_ = true;
}

const char* ParticleSystem::UnusableReason() const
{
    if (!initialised_) {
        return "not initialised";
    }
    if (particles_ == nullptr) {
        return "its particles could not be allocated";
    }
    if (lifetime_ == 0) {
        return "lifetime is 0";
    }
    if (textures_.empty()) {
        return "no texture";
    }
    if (emitter_ == nullptr || emitter_->IsDegenerate()) {
        return "the emitter rectangle is empty";
    }
    return nullptr;
}

bool ParticleSystem::IsUsable() const
{
    return UnusableReason() == nullptr;
}

bool ParticleSystem::CheckUsable() const
{
    const char* reason = UnusableReason();
    if (reason != nullptr) {
        DebugLog("Warning: particle system skipped: %s.\n", reason);
        return false;
    }
    return true;
}

int32_t ParticleSystem::GetCount() const
{
    return particles_ != nullptr ? particles_->GetSize() : 0;
}

void ParticleSystem::EmitAll()
{
    if (!initialised_) {
        DEBUG_BREAK("ParticleSystem::EmitAll before Init");
        return;
    }
    const int32_t count = GetCount();
    for (int32_t i = 0; i < count; ++i) {
        EmitOne();
    }
}

void ParticleSystem::EmitOne()
{
    if (!initialised_) {
        DEBUG_BREAK("ParticleSystem::EmitOne before Init");
        return;
    }
    if (!emitting_ || !IsUsable()) {
        return;
    }
    const int32_t index = particles_->FindFree();
    if (index >= 0) {
        Respawn(particles_->Get(index));
    }
}

void ParticleSystem::Respawn(Particle& particle)
{
    // A system that cannot draw a life, a texture or a start point leaves
    // the particle as it is.
    if (!IsUsable()) {
        return;
    }
    particle.position = emitter_->GetPosition();
    particle.velocity = emitter_->GetVelocity(speed_) * kSimScale;
    particle.acceleration = force_;
    particle.life = Rand15() % lifetime_;
    const int textureIndex = Rand15() % static_cast<int>(textures_.size());
    particle.textureId = textures_[static_cast<size_t>(textureIndex)]->GetGLTextureId();
    particle.size = minHalfSize_;
}

void ParticleSystem::Update(float, float h)
{
    if (!initialised_) {
        DEBUG_BREAK("ParticleSystem::Update before Init");
        return;
    }
    if (!IsUsable()) {
        return;
    }
    if (trigger_ != nullptr) {
        if (!trigger_->fired) {
            const double ratio = static_cast<double>(trigger_->remainingHits) / trigger_->hitPoints;
            if (ratio < 1.0 && trigger_->effect == EFFECT_PSYS_OFF) {
                color_ = Vec3(static_cast<float>(color_.x * ratio), static_cast<float>(color_.y * ratio),
                              static_cast<float>(color_.z * ratio));
                interpToColor_ =
                    Vec3(static_cast<float>(interpToColor_.x * ratio), static_cast<float>(interpToColor_.y * ratio),
                         static_cast<float>(interpToColor_.z * ratio));
                alpha_ = static_cast<float>(alpha_ * ratio);
                interpToAlpha_ = static_cast<float>(interpToAlpha_ * ratio);
            }
        } else {
            emitting_ = false;
        }
    }
    if (!emitting_ || particles_ == nullptr) {
        return;
    }
    const int32_t count = particles_->GetSize();
    for (int32_t i = 0; i < count; ++i) {
        Particle& particle = particles_->Get(i);
        if (particle.life >= 1) {
            particle.life -= 1;
            particle.acceleration = force_;
            particle.velocity = (particle.velocity + particle.acceleration * h) * damping_;
            particle.position = particle.position + particle.velocity * h;
            particle.acceleration = Vec3(0.0f, 0.0f, 0.0f);
        } else {
            Respawn(particle);
        }
    }
}

void ParticleSystem::AddTexture(Texture* texture)
{
    if (texture == nullptr) {
        DebugLog("Warning: particle system texture did not load; not added.\n");
        return;
    }
    AddTexture(texture, texture->GetName());
}

void ParticleSystem::AddTexture(Texture* texture, const std::string& fileName)
{
    textureNames_.push_back(fileName);
    if (texture == nullptr) {
        DebugLog("Warning: particle system texture \"%s\" did not load.\n", fileName.c_str());
        return;
    }
    textures_.push_back(texture);
}

void ParticleSystem::SetSphericalEmitter()
{
    emitter_ = std::make_unique<SphericalEmitter>();
}

void ParticleSystem::SetPlaneEmitter(float a, float b, float c, float d, float top, float bottom, float left,
                                     float right)
{
    const float given[4] = {top, bottom, left, right};
    const char* const names[4] = {"top", "bottom", "left", "right"};
    int32_t bounds[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!ToInt32(given[i], &bounds[i])) {
            // No emitter: the system is skipped as one that cannot emit.
            DebugLog("Warning: particle system emitter Bounds %s %g is not a whole number in range.\n", names[i],
                     given[i]);
            emitter_.reset();
            return;
        }
    }
    emitter_ = std::make_unique<PlaneEmitter>(a, b, c, d, bounds[0], bounds[1], bounds[2], bounds[3]);
}

void ParticleSystem::SetInterpToColor(float r, float g, float b, float a)
{
    interpToColor_ = Vec3(r, g, b);
    interpToAlpha_ = a;
}
