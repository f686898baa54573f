// The chapter pilot; see playpilot.h.
#include "playpilot.h"

#include "application.h"
#include "boy.h"
#include "morvodemoappstate.h"
#include "morvorecord.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "stateindex.h"

#include <cmath>

namespace {

constexpr float kReachedDistance = 8.0f;
constexpr float kCircleReach = 35.0f;
constexpr float kCircleWait = 0.5f;
constexpr float kCloudWait = 3.0f;
constexpr float kGatherWait = 3.0f;
constexpr float kChaseWait = 1.0f;
constexpr float kLeadDistance = 18.0f;  // how far ahead of the boy the steering point goes
// The game's steering: world units a mouse count moves the point.
constexpr float kSteerPerCount = MorvoDemoAppstate::kMouseSensitivity * 0.01f;
constexpr float kHere = 1e9f;

// The nearest morvo that keeps the level's rule from holding: a dark one,
// or a grey one when every morvo must be pure.
bool NearestUnwanted(const MorvoWorld& world, const Vec3& from, Vec3* out)
{
    const MorvoState* state = world.GetStore()->GetCurrentState();
    float best = 1e30f;
    for (int32_t i = 0; i < state->GetSize(); ++i) {
        const MorvoRecord& m = state->Get(i);
        const bool unwanted = m.color < 0 || (m.color == 0 && world.GetWinWhenAllPure());
        if (m.active == 0 || !unwanted) {
            continue;
        }
        const Vec3 p = MorvoWorld::SimToWorld(m.position, 0);
        const float d = (p.x - from.x) * (p.x - from.x) + (p.z - from.z) * (p.z - from.z);
        if (d < best) {
            best = d;
            *out = p;
        }
    }
    return best < 1e30f;
}

}  // namespace

void SteerBoy(float wantX, float wantZ)
{
    auto* game = dynamic_cast<MorvoDemoAppstate*>(Application::GetInstance()->GetCurrentState());
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

void PilotDriver::PlanVisits(const std::vector<std::pair<float, float>>& clouds)
{
    route_.push_back({kHere, kHere, kGatherWait});
    const float around[4][2] = {{kCircleReach, 0}, {0, kCircleReach}, {-kCircleReach, 0}, {0, -kCircleReach}};
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [x, z] : clouds) {
            for (const auto& o : around) {
                route_.push_back({x + o[0], z + o[1], kCircleWait});
            }
            route_.push_back({x, z, kCloudWait});
        }
    }
}

void PilotDriver::Frame()
{
    ScriptDriver::Frame();
    if (CurrentState() != StateIndex::kInGame || FramesInState() < kFadeFrames) {
        return;
    }
    if (!holding_) {
        // Down and never up: the light stays on.
        Hold(SDL_BUTTON_LEFT);
        holding_ = true;
    }
    Fly();
}

void PilotDriver::Fly()
{
    MorvoWorld& world = GetMorvoWorld();
    const Vec3 at = world.GetBoy()->position;
    if (!startPlaced_) {
        for (Waypoint& w : route_) {
            if (w.x == kHere) {
                w.x = at.x;
                w.z = at.z;
            }
        }
        startPlaced_ = true;
    }
    if (next_ >= route_.size()) {
        Vec3 prey;
        if (NearestUnwanted(world, at, &prey)) {
            route_.push_back({prey.x, prey.z, kChaseWait});
        } else {
            route_.push_back({at.x, at.z, kChaseWait});
        }
    }
    const Waypoint& w = route_[next_];
    const float dx = w.x - at.x;
    const float dz = w.z - at.z;
    const float distance = std::sqrt(dx * dx + dz * dz);
    if (distance < kReachedDistance && ++waited_ * kPlayFrameSeconds > w.waitSeconds) {
        ++next_;
        waited_ = 0;
    }
    const float lead = std::min(distance, kLeadDistance);
    if (distance > 0.0f) {
        SteerBoy(dx / distance * lead, dz / distance * lead);
    } else {
        SteerBoy(0.0f, 0.0f);
    }
}
