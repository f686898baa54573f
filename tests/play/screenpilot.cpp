// The screen-only pilot; see screenpilot.h.
#include "screenpilot.h"

#include "application.h"
#include "boy.h"
#include "morvodemoappstate.h"
#include "morvorecord.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "stateindex.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace {

// The in-game fog runs from 500 to 1000 units; past this depth a glow
// keeps less than a third of itself.
constexpr float kFogSight = 850.0f;
constexpr float kLeadDistance = 12.0f;  // how far ahead of the boy the steering point goes
constexpr int kSearchCounts = 6;        // mouse counts a frame while turning (0.6 degrees each)
// The game's steering: world units a mouse count moves the point.
constexpr float kSteerPerCount = MorvoDemoAppstate::kMouseSensitivity * 0.01f;

MorvoDemoAppstate* Game(AppState* state)
{
    return dynamic_cast<MorvoDemoAppstate*>(state);
}

// Where the world point lands in the window: true when it is in front of
// the camera, inside the window and short of the fog.
bool InSight(const OrbitCamera& camera, const Vec3& world)
{
    const Vec3 eye = camera.GetViewMatrix().TransformPoint(world);
    const float depth = -eye.z;
    if (depth < camera.GetNearPlane() || depth > kFogSight) {
        return false;
    }
    const Vec3 ndc = camera.GetProjectionMatrix().TransformPoint(eye);
    return std::fabs(ndc.x) <= 1.0f && std::fabs(ndc.y) <= 1.0f;
}

// The mouse motion that moves the boy's steering point (the 3D cursor) to
// (wantX, wantZ) world units from the boy.
void SteerBoy(float wantX, float wantZ)
{
    MorvoDemoAppstate* game = Game(Application::GetInstance()->GetCurrentState());
    if (game == nullptr || game->GetCamera() == nullptr) {
        return;
    }
    MorvoWorld& world = GetMorvoWorld();
    const Vec3 offset = world.GetBoyStart() - world.GetBoy()->position;
    Vec3 toward = game->GetCamera()->GetTarget() - game->GetCamera()->GetEye();
    toward.y = 0.0f;
    toward.Normalize();
    const Vec3 right(toward.z, 0.0f, -toward.x);
    // Past its near reach the point runs ahead faster: ask for less.
    const float boost = 1.0f + std::sqrt(wantX * wantX + wantZ * wantZ) / 20.0f;
    const Vec3 move((wantX - offset.x) / boost, 0.0f, (wantZ - offset.z) / boost);
    const int countX = static_cast<int>(std::lround(-move.Dot(right) / kSteerPerCount));
    const int countY = static_cast<int>(std::lround(-move.Dot(toward) / kSteerPerCount));
    if (countX != 0 || countY != 0) {
        PlayDriver::Move(countX, countY);
    }
}

}  // namespace

ScreenPilot::ScreenPilot(unsigned prey, std::string firstFrame)
    : prey_(prey),
      firstFrame_(std::move(firstFrame))
{}

void ScreenPilot::Frame()
{
    ScriptDriver::Frame();
    MorvoDemoAppstate* game = Game(State());
    if (CurrentState() != StateIndex::kInGame || game == nullptr || game->GetCamera() == nullptr) {
        return;
    }
    if (FramesInState() < kFadeFrames) {
        return;
    }
    if (startFrame_ < 0) {
        // The frame last presented is the first one without the fade.
        startFrame_ = FrameNumber();
        std::printf("%s%.4f\n", kWhiteShareLine, LastFrameShareAtLeast(kNearWhite));
        SaveFrame(firstFrame_);
    }
    if (game->IsWinShown()) {
        if (!won_) {
            won_ = true;
            std::printf("%s%.1f\n", kWonLine, (FrameNumber() - startFrame_) * kPlayFrameSeconds);
        }
        return;
    }
    if (!holding_) {
        Hold(SDL_BUTTON_LEFT);  // the light stays on
        holding_ = true;
    }
    Fly();
}

void ScreenPilot::Fly()
{
    const MorvoWorld& world = GetMorvoWorld();
    const OrbitCamera& camera = *Game(State())->GetCamera();
    const Vec3 at = world.GetBoy()->position;
    const MorvoState* state = world.GetStore()->GetCurrentState();
    auto wanted = [&](int32_t i) {
        if (i < 0 || i >= state->GetSize()) {
            return false;
        }
        const MorvoRecord& m = state->Get(i);
        const unsigned kind = m.color < 0 ? kDark : (m.color == 0 ? kGrey : 0u);
        return m.active != 0 && (kind & prey_) != 0 && InSight(camera, MorvoWorld::SimToWorld(m.position, 0));
    };
    auto flatDistance = [&](int32_t i) {
        const Vec3 p = MorvoWorld::SimToWorld(state->Get(i).position, 0);
        return std::hypot(p.x - at.x, p.z - at.z);
    };
    if (!wanted(target_)) {
        target_ = -1;
        float best = 1e30f;
        for (int32_t i = 0; i < state->GetSize(); ++i) {
            if (wanted(i) && flatDistance(i) < best) {
                best = flatDistance(i);
                target_ = i;
            }
        }
    }
    if (target_ < 0) {
        Search();
        return;
    }
    if (turning_) {
        Release(SDL_BUTTON_RIGHT);
        turning_ = false;
    }
    const Vec3 p = MorvoWorld::SimToWorld(state->Get(target_).position, 0);
    const float dx = p.x - at.x;
    const float dz = p.z - at.z;
    const float distance = std::hypot(dx, dz);
    const float lead = std::fmin(distance, kLeadDistance);
    if (distance > 0.0f) {
        SteerBoy(dx / distance * lead, dz / distance * lead);
    } else {
        SteerBoy(0.0f, 0.0f);
    }
}

void ScreenPilot::Search()
{
    if (!turning_) {
        Hold(SDL_BUTTON_RIGHT);
        turning_ = true;
    }
    Move(kSearchCounts, 0);
}
