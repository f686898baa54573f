// SimpleParticleEmitter: a self-contained billboard effect. A fixed number
// of particles start at the emitter, fly off in random directions, fade
// and are respawned when their life ends; the emitter steps at a fixed
// rate (at most one step per Update), sorts its particles by depth under
// its camera for drawing, and can dump their positions once to
// "particleout.txt". The game's level effects are ParticleSystems instead.
#pragma once

#include "billboardparticle.h"
#include "vec3.h"

#include <memory>
#include <vector>

class Camera;

class SimpleParticleEmitter {
public:
    SimpleParticleEmitter(int word, Camera* camera, Vec3 position, int count, float particleWidth,
                          float particleHeight);
    ~SimpleParticleEmitter();
    SimpleParticleEmitter(const SimpleParticleEmitter&) = delete;
    SimpleParticleEmitter& operator=(const SimpleParticleEmitter&) = delete;

    void SetRate(int stepsPerSecond);
    // Gathers dt; once a step's length has gathered, one step with this dt
    // runs and the remainder is dropped.
    void Update(float dt);
    void Render();
    // Writes "particleout.txt" on the first call only.
    void Dump();

    int GetWord() const { return word; }
    int GetRate() const { return stepsPerSecond; }
    int GetParticleCount() const { return particleCount; }
    const BillboardParticle& GetParticle(int i) const { return *particles[static_cast<size_t>(i)]; }
    void SetForce(const Vec3& value) { force = value; }
    float GetStepLength() const { return stepLength; }

private:
    std::unique_ptr<BillboardParticle> Spawn(float scalar);
    void Age(float dt);
    void Fade(float dt);
    void Integrate(float dt);
    void IntegrateOnce(float dt);
    void Sort();

    int word;
    std::vector<std::unique_ptr<BillboardParticle>> particles;
    Camera* camera;
    Vec3 force;
    int particleCount;
    int stepsPerSecond = 60;
    float stepLength = 1.0f / 60.0f;
    float accumulator = 0.0f;
    bool dumped = false;
    float particleWidth;
    float particleHeight;
    Vec3 position;
};
