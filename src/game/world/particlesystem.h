// A level's particle system: textured billboard particles emitted from an
// emitter, moved under a constant force with damping and respawned when
// their life runs out; the system's trigger can fade it out and stop it.
// Built by the level reader and the editor, kept in the world's list,
// updated once per simulator sub-step and drawn by the sprite pass.
#pragma once

#include "emitter.h"
#include "particlepool.h"
#include "vec3.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Texture;
struct Trigger;

struct Particle {
    Vec3 position;      // offset from the system's position, simulation units
    Vec3 velocity;      // simulation units per second
    Vec3 acceleration;  // the system's force during a step, zero between steps
    int32_t life = 0;   // remaining updates
    int32_t active = 0;
    uint32_t textureId = 0;  // GL texture name
    float size = 0.0f;       // billboard half size, simulation units
};

// Pools above this many particles are refused (the system is not usable).
constexpr int32_t kMaxParticleCount = 1000000;

class ParticleSystem {
public:
    // An initialised system without particles, white, with a spherical emitter.
    ParticleSystem();
    // Init with the same values.
    ParticleSystem(int32_t count, float damping, int32_t lifetime, float minSize, float maxSize, float x, float y,
                   float z, float fx, float fy, float fz, float r, float g, float b, float a);
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Sizes are world units (billboard edge), force world units per second
    // squared, position simulation units. A negative count makes no
    // particles; a count above kMaxParticleCount leaves the system unusable.
    void Init(int32_t count, float damping, int32_t lifetime, float minSize, float maxSize, float x, float y, float z,
              float fx, float fy, float fz, float r, float g, float b, float a);

    void EmitAll();
    void EmitOne();
    void Respawn(Particle& particle);
    // One sub-step of h seconds (dt is not used).
    void Update(float dt, float h);

    // A null texture is refused with a warning. The texture's name is kept
    // for the level writer.
    void AddTexture(Texture* texture);
    // The same, keeping the file name as given; a texture that did not load
    // (null) keeps only its name, so the system is written back unchanged.
    void AddTexture(Texture* texture, const std::string& fileName);
    void SetSphericalEmitter();
    void SetPlaneEmitter(float a, float b, float c, float d, float top, float bottom, float left, float right);

    // False (one warning line naming the reason) when the system cannot emit:
    // no pool, a lifetime of 0, no texture that loaded or an empty emitter
    // rectangle. Such a system is inert: it never emits, fades or moves a
    // particle, and the level reader keeps it only to write it back.
    bool CheckUsable() const;
    // The same test without a log line.
    bool IsUsable() const;

    const Vec3& GetPosition() const { return position_; }
    void SetPosition(const Vec3& position) { position_ = position; }
    const Vec3& GetColor() const { return color_; }
    float GetAlpha() const { return alpha_; }
    const Vec3& GetInterpToColor() const { return interpToColor_; }
    float GetInterpToAlpha() const { return interpToAlpha_; }
    void SetInterpToColor(float r, float g, float b, float a);
    bool IsInterpolated() const { return interpolated_; }
    void SetInterpolated(bool interpolated) { interpolated_ = interpolated; }
    // False once the trigger has fired, and always for an inert system.
    bool IsEmitting() const { return emitting_ && IsUsable(); }
    bool IsInitialised() const { return initialised_; }
    // Per-update force in simulation units, and the force as given.
    const Vec3& GetForce() const { return force_; }
    const Vec3& GetGivenForce() const { return givenForce_; }
    float GetDamping() const { return damping_; }
    int32_t GetLifetime() const { return lifetime_; }
    float GetMinHalfSize() const { return minHalfSize_; }
    float GetMaxHalfSize() const { return maxHalfSize_; }
    float GetSizeRange() const { return sizeRange_; }
    // Billboard sizes as given (world units).
    float GetMinSize() const { return minSize_; }
    float GetMaxSize() const { return maxSize_; }
    const std::vector<Texture*>& GetTextures() const { return textures_; }
    Trigger* GetTrigger() const { return trigger_; }
    void SetTrigger(Trigger* trigger) { trigger_ = trigger; }
    Emitter* GetEmitter() const { return emitter_.get(); }
    float GetSpeed() const { return speed_; }
    void SetSpeed(float speed) { speed_ = speed; }
    ParticlePool<Particle>* GetParticles() const { return particles_.get(); }
    // Number of particle records (0 without a pool).
    int32_t GetCount() const;
    // The count as given to Init (for the level writer).
    int32_t GetGivenCount() const { return givenCount_; }
    // File names of the textures as given, including those that did not load.
    const std::vector<std::string>& GetTextureNames() const { return textureNames_; }

private:
    const char* UnusableReason() const;

    std::vector<Texture*> textures_;
    Vec3 position_;
    std::unique_ptr<ParticlePool<Particle>> particles_;
    Trigger* trigger_ = nullptr;
    bool initialised_ = false;
    Vec3 color_{1.0f, 1.0f, 1.0f};
    float alpha_ = 1.0f;
    Vec3 interpToColor_;
    float interpToAlpha_ = 0.0f;
    bool interpolated_ = false;
    bool emitting_ = false;
    Vec3 force_;
    float damping_ = 1.0f;
    int32_t lifetime_ = 0;
    float minHalfSize_ = 0.0f;
    float maxHalfSize_ = 0.0f;
    float sizeRange_ = 0.0f;
    float speed_ = 1.0f;
    std::unique_ptr<Emitter> emitter_;
    // As given, for the level writer.
    int32_t givenCount_ = 0;
    std::vector<std::string> textureNames_;
    Vec3 givenForce_;
    float minSize_ = 0.0f;
    float maxSize_ = 0.0f;
};
