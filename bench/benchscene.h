// The scene of the frame benchmark, also drawn by the render tests: the
// demo game's world set up for a level, a layout of morvos over the boy's
// window (a dark cloud on the far side, pure and neutral ones mixed over the
// rest), rain, an attractor and two particle systems as the demo levels'
// sparks and smoke, seen from the orbit camera's starting view behind the
// boy. Needs a GL window and the generated demo data.
#pragma once

#include "attractor.h"
#include "boy.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "particlesystem.h"
#include "random15.h"
#include "rendermode.h"
#include "renderscene.h"
#include "texturemanager.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

class BenchScene {
public:
    static constexpr int kMorvoCount = 3800;
    static constexpr float kDt = 1.0f / 60.0f;

    // Loads the demo game from the run folder (which becomes the working
    // folder) and lays out the standard count; false without the data.
    bool Load(const std::string& runFolder)
    {
        if (chdir(runFolder.c_str()) != 0) {
            std::fprintf(stderr, "no run folder %s\n", runFolder.c_str());
            return false;
        }
        if (!GamePlan::GetInstance()->Load("../game", "GamePlan.xml")) {
            return false;
        }
        MorvoWorld& world = GetMorvoWorld();
        world.Init();
        LoadSkyboxFaces();
        GameFlow::GetInstance()->SetupWorldForLevel();
        auto* attractor = new Attractor(1000.0f, 0.0f, 0.05f, 0.5f);
        attractor->SetEnabled(true);
        world.SetMorvoAttractorFunc(attractor);
        world.GetBoy()->position = Vec3(0.0f, kBoyHeight, 0.0f);
        AddParticleSystem(kSparks);
        AddParticleSystem(kSmoke);
        camera_ = OrbitCamera();
        camera_.SetTarget(world.GetBoy()->position);
        camera_.Reset();
        world.SetCamera(&camera_);
        SetRenderMode(kRenderModeGlow);
        Layout(kMorvoCount);
        return true;
    }

    // Morvos spread afresh, then a few steps so that the rain and the
    // particles are under way. More than the standard count cover a larger
    // square at the same density.
    void Layout(int count)
    {
        MorvoWorld& world = GetMorvoWorld();
        world.ClearMorvos();
        if (count > world.GetStore()->GetCount()) {
            world.GetStore()->SetCapacity(count);
            world.GetStore()->ResetHistory();
        }
        SeedRand15(7);
        const float half = kWindowHalf * std::sqrt(static_cast<float>(count) / static_cast<float>(kMorvoCount));
        const float darkEdge = kDarkEdge * half / kWindowHalf;
        for (int i = 0; i < count; ++i) {
            const float x = Uniform(-half, half);
            const float y = Uniform(-half, half);
            const bool dark = x > darkEdge && y > darkEdge;
            const int32_t color = dark ? kMorvoDark : (i % 3 == 0 ? kMorvoNeutral : kMorvoPure);
            world.AddMorvo(x, y, color, Uniform(0.5f, 8.0f));
        }
        for (int i = 0; i < kSettleSteps; ++i) {
            Step();
        }
        frames_ = 0;
    }

    void Step()
    {
        GetMorvoWorld().Update(kDt, false);
        camera_.Update(kDt);
    }

    // Counts a frame; true when the layout is due again.
    bool NextFrame() { return ++frames_ >= kFramesPerLayout; }

    OrbitCamera& Camera() { return camera_; }

private:
    static constexpr float kWindowHalf = 1.5f;  // the active window is 3.0 simulation units wide
    static constexpr float kDarkEdge = 0.5f;    // the dark cloud's corner of the window
    static constexpr int kFramesPerLayout = 300;
    static constexpr int kSettleSteps = 30;
    static constexpr float kBoyHeight = 155.0f;  // hovering 5 above the morvo layer

    static float Uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Rand15()) / 32767.0f; }

    // As the demo levels' sparks and smoke.
    struct SystemSetup {
        int32_t count;
        Vec3 position;
        Vec3 force;
        float color[4];
        float interpTo[4];
        float minSize;
        float maxSize;
        float damping;
        int32_t lifetime;
        float speed;
        const char* texture;
    };
    static inline const SystemSetup kSparks = {60,
                                               Vec3(0.6f, 0.8f, -0.55f),
                                               Vec3(0.0f, 0.0f, 8.0f),
                                               {0.8f, 0.95f, 1.0f, 0.9f},
                                               {1.0f, 1.0f, 1.0f, 0.0f},
                                               8.0f,
                                               20.0f,
                                               0.99f,
                                               200,
                                               20.0f,
                                               "../game/data/textures/spark.tga"};
    static inline const SystemSetup kSmoke = {120,
                                              Vec3(-0.8f, 1.0f, -0.275f),
                                              Vec3(3.0f, 0.0f, 40.0f),
                                              {0.32f, 0.3f, 0.29f, 0.85f},
                                              {0.62f, 0.6f, 0.58f, 0.0f},
                                              14.0f,
                                              80.0f,
                                              0.97f,
                                              240,
                                              12.0f,
                                              "../game/data/textures/smoke.tga"};

    static void AddParticleSystem(const SystemSetup& s)
    {
        auto* system = new ParticleSystem(s.count, s.damping, s.lifetime, s.minSize, s.maxSize, s.position.x,
                                          s.position.y, s.position.z, s.force.x, s.force.y, s.force.z, s.color[0],
                                          s.color[1], s.color[2], s.color[3]);
        system->AddTexture(GfxComponent::GetInstance()->textures->Load(s.texture), s.texture);
        system->SetInterpToColor(s.interpTo[0], s.interpTo[1], s.interpTo[2], s.interpTo[3]);
        system->SetInterpolated(true);
        system->SetSpeed(s.speed);
        system->EmitAll();
        GetMorvoWorld().GetParticleSystems().push_back(system);
    }

    OrbitCamera camera_;
    int frames_ = 0;
};
