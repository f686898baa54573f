// The fixed-rate billboard effect; see simpleparticleemitter.h.
#include <GL/glew.h>

#include "simpleparticleemitter.h"

#include "animatedmaterial.h"
#include "camera.h"
#include "gfxcomponent.h"
#include "materialmanager.h"
#include "mathutil.h"
#include "random15.h"

#include <cstdio>

namespace {

constexpr const char* kParticleImage = "../assets/2D/morvo_1.tga";
constexpr const char* kDumpFile = "particleout.txt";
constexpr float kParticleMass = 10.0f;
constexpr int kDirectionSpread = 255;
constexpr int kAgeSpread = 50;

float DirectionComponent()
{
    const int a = Rand15() % kDirectionSpread;
    const int b = Rand15() % kDirectionSpread;
    return static_cast<float>(a - b);
}

Matrix4 CameraMatrix(const Camera* camera)
{
    return camera ? camera->GetMatrix() : Matrix4();
}

}  // namespace

SimpleParticleEmitter::SimpleParticleEmitter(int wordValue, Camera* cameraValue, Vec3 positionValue, int count,
                                             float width, float height)
    : word(wordValue),
      camera(cameraValue),
      particleCount(count > 0 ? count : 0),
      particleWidth(width),
      particleHeight(height),
      position(positionValue)
{
    particles.reserve(static_cast<size_t>(particleCount));
    for (int i = 0; i < particleCount; ++i)
        particles.push_back(Spawn(0.0f));
}

SimpleParticleEmitter::~SimpleParticleEmitter() = default;

void SimpleParticleEmitter::SetRate(int rate)
{
    stepsPerSecond = rate;
    stepLength = 1.0f / static_cast<float>(rate);
}

std::unique_ptr<BillboardParticle> SimpleParticleEmitter::Spawn(float scalar)
{
    Vec3 direction;
    direction.x = DirectionComponent();
    direction.y = DirectionComponent();
    direction.z = DirectionComponent();
    direction.Normalize();
    const Color colour = RandomColor();
    const int age = Rand15() % kAgeSpread + 1;
    const int lifetime = Rand15() % kAgeSpread + 2;
    // The picture's name carries no frame time, so this is null today; a
    // particle without a material is drawn untextured.
    AnimatedMaterial* material = GfxComponent::GetInstance()->materials->CreateAnimatedMaterial(kParticleImage);
    if (material && material->GetFrameCount() > 0)
        material->SetFrame(Rand15() % material->GetFrameCount());
    const PhysicsParticle base(position.x, position.y, position.z, kParticleMass, scalar, 0.0f, 0.0f, 0.0f, direction.x,
                               direction.y, direction.z, colour.r, colour.g, colour.b, colour.a, age, lifetime);
    return std::make_unique<BillboardParticle>(base, particleWidth, particleHeight, material);
}

void SimpleParticleEmitter::Update(float dt)
{
    accumulator += dt;
    if (accumulator < stepLength)
        return;
    Age(dt);
    for (auto& particle : particles)
        particle->force = Vec3();
    for (auto& particle : particles)
        particle->force += force;
    Fade(dt);
    Integrate(dt);
    accumulator = 0.0f;
}

void SimpleParticleEmitter::Age(float dt)
{
    for (auto& particle : particles) {
        ++particle->age;
        if (particle->age >= particle->lifetime) {
            GfxComponent::GetInstance()->materials->RemoveMaterial(particle->material);
            particle = Spawn(dt);
        }
    }
    Sort();
}

void SimpleParticleEmitter::Fade(float dt)
{
    for (auto& particle : particles) {
        particle->colour.a = 1.0f - static_cast<float>(particle->age) / static_cast<float>(particle->lifetime);
        particle->width += dt;
        particle->height += dt;
        if (particle->material)
            particle->material->Update(dt);
    }
}

void SimpleParticleEmitter::IntegrateOnce(float dt)
{
    for (auto& particle : particles) {
        particle->velocity += particle->force * static_cast<float>(dt * particle->inverseMass);
        particle->position += particle->velocity;
    }
}

void SimpleParticleEmitter::Integrate(float dt)
{
    IntegrateOnce(dt);
    for (auto& particle : particles)
        particle->force += force;
    IntegrateOnce(dt);
}

void SimpleParticleEmitter::Sort()
{
    const Matrix4 view = CameraMatrix(camera);
    const size_t n = particles.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        size_t nearest = i;
        float nearestZ = view.TransformPoint(particles[i]->position).z;
        for (size_t j = i + 1; j < n; ++j) {
            const float z = view.TransformPoint(particles[j]->position).z;
            if (z < nearestZ) {
                nearest = j;
                nearestZ = z;
            }
        }
        if (nearest != i)
            std::swap(particles[i], particles[nearest]);
    }
}

void SimpleParticleEmitter::Render()
{
    Sort();
    GfxComponent* gfx = GfxComponent::GetInstance();
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const auto& particle : particles) {
        const Texture* picture = particle->material ? particle->material->GetTexture() : nullptr;
        const float halfWidth = particle->width / 2.0f;
        const float halfHeight = particle->height / 2.0f;
        if (picture)
            gfx->DrawBillboard(picture, particle->colour, particle->position, halfWidth, halfHeight);
        else
            gfx->DrawUntexturedBillboard(particle->colour, particle->position, halfWidth, halfHeight);
    }
    glPopMatrix();
}

void SimpleParticleEmitter::Dump()
{
    if (dumped)
        return;
    dumped = true;
    FILE* file = std::fopen(kDumpFile, "w");
    if (!file)
        return;
    const Matrix4 rotation(camera ? camera->GetOrientation() : Quaternion());
    for (int i = 0; i < particleCount; ++i) {
        const Vec3& p = particles[static_cast<size_t>(i)]->position;
        const Vec3 turned = rotation.TransformPoint(p);
        std::fprintf(file, "particle[%d], (%f, %f, %f), (%f, %f, %f)\n", i, p.x, p.y, p.z, turned.x, turned.y,
                     turned.z);
    }
    std::fclose(file);
}
