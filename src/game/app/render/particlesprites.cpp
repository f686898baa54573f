// Particle-system sprites; see particlesprites.h.
#include "particlesprites.h"

#include "debugbreak.h"
#include "morvoworld.h"
#include "particlesystem.h"
#include "quadbatch.h"

#include <GL/glew.h>

#include <algorithm>

namespace {

// Refilled every frame; its storage is kept.
std::vector<SpriteRecord> sprites;
QuadBatch spriteQuads;
SpriteDrawer spriteDrawer = nullptr;

SpriteRecord MakeSprite(const ParticleSystem& system, const Particle& particle, const Vec3& sim,
                        const Vec3& eyeRelative)
{
    SpriteRecord sprite;
    sprite.simPosition = sim;
    sprite.eyeRelative = eyeRelative;
    const float t = static_cast<float>(particle.life) / static_cast<float>(system.GetLifetime());
    Vec3 color = system.GetColor();
    float alpha = system.GetAlpha();
    if (system.IsInterpolated()) {
        color = color * t + system.GetInterpToColor() * (1.0f - t);
        alpha = t * alpha + (1.0f - t) * system.GetInterpToAlpha();
    }
    sprite.r = color.x;
    sprite.g = color.y;
    sprite.b = color.z;
    sprite.a = alpha;
    sprite.halfSize = system.GetMinHalfSize() + (1.0f - t) * (system.GetMaxHalfSize() - system.GetMinHalfSize());
    sprite.texture = particle.textureId;
    sprite.order = 0;
    return sprite;
}

}  // namespace

void GatherParticleSprites(const std::list<ParticleSystem*>& systems, const BillboardView& view,
                           std::vector<SpriteRecord>& out)
{
    out.clear();
    for (const ParticleSystem* system : systems) {
        if (system == nullptr || !system->IsEmitting() || system->GetParticles() == nullptr) {
            continue;
        }
        const Particle* particles = system->GetParticles()->Records();
        const int32_t count = system->GetCount();
        for (int32_t i = 0; i < count; ++i) {
            const Particle& particle = particles[i];
            if (particle.active == 0) {
                continue;
            }
            const Vec3 sim = system->GetPosition() + particle.position;
            const Vec3 eyeRelative = MorvoWorld::SimToWorld3D(sim, 0) - view.eye;
            const float depth = view.forward.Dot(eyeRelative);
            if (!(depth >= 0.0f && depth < kBillboardFarDepth)) {
                continue;
            }
            out.push_back(MakeSprite(*system, particle, sim, eyeRelative));
            out.back().order = static_cast<int32_t>(out.size());
        }
    }
    const FarthestFirst<Vec3> farther(view.forward);
    std::sort(out.begin(), out.end(), [&farther](const SpriteRecord& a, const SpriteRecord& b) {
        const float ka = farther.Key(a.eyeRelative);
        const float kb = farther.Key(b.eyeRelative);
        return ka > kb || (ka == kb && a.order < b.order);
    });
}

void DrawParticleSprites(MorvoWorld& world)
{
    if (world.GetCamera() == nullptr) {
        DEBUG_BREAK("DrawParticleSprites without a camera");
        return;
    }
    GatherParticleSprites(world.GetParticleSystems(), GetBillboardView(*world.GetCamera()), sprites);
    (spriteDrawer != nullptr ? spriteDrawer : DrawSpriteRecords)(sprites);
}

void DrawSpriteRecords(const std::vector<SpriteRecord>& records)
{
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const Matrix4 billboard = ReadBillboardMatrix();
    spriteQuads.Clear();
    spriteQuads.ReadScreen();
    spriteQuads.SetAxes(billboard.GetRight(), billboard.GetUp());
    for (const SpriteRecord& sprite : records) {
        spriteQuads.Add(GL_ONE_MINUS_SRC_ALPHA, sprite.texture, sprite.simPosition, sprite.halfSize, UvRect(),
                        QuadColor{sprite.r, sprite.g, sprite.b, sprite.a});
    }
    // The pass starts unbound; the last sprite's texture stays bound.
    glBindTexture(GL_TEXTURE_2D, 0);
    spriteQuads.Draw(0, spriteQuads.RunCount(), QuadBatch::Shading::kSmooth);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

void SetSpriteDrawer(SpriteDrawer drawer)
{
    spriteDrawer = drawer;
}

int GetSpriteDrawCount()
{
    return spriteQuads.RunCount();
}
