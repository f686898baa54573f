// The in-game state's keyboard and mouse controls: steering point, camera
// turning and zoom, flight modes, the boy's tank and the attractor, menus,
// help, screenshots, render modes and the editing switch. The editing keys
// themselves are in leveleditkeys.cpp.
#include "morvodemoappstate.h"

#include "application.h"
#include "attractor.h"
#include "boy.h"
#include "debugbreak.h"
#include "editingflag.h"
#include "gameflow.h"
#include "inputdevice.h"
#include "leveleditkeys.h"
#include "mathutil.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "rendermode.h"
#include "screenshot.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;
constexpr int kMiddleButton = 2;

// Steering point: world units per mouse count and sensitivity unit; beyond
// the near reach the point runs ahead faster, and never beyond the far reach.
constexpr float kSteerPerCount = 0.01f;
constexpr float kSteerNearReach = 5.0f;
constexpr float kSteerFarReach = 20.0f;

// Camera turning, degrees per mouse count and sensitivity unit.
constexpr double kYawPerCount = 30.0 * 0.01;
constexpr double kPitchPerCount = 20.0 * 0.01;        // steering
constexpr double kSwoopPitchPerCount = 20.0 * 0.005;  // settling and swooping
constexpr double kBoyPitchPerCount = 20.0 * 0.003;    // orbiting: the boy's own pitch
constexpr double kTwoPi = 6.283185307179586;

constexpr float kSwoopDistance = 2.0f;
constexpr float kAttractorResetRadius = 0.025f;
constexpr float kZoomFactor = 0.5f;
constexpr float kAttractorViewShare = 0.3f;  // the attractor fills at most this share of the view distance
constexpr float kHoverHeight = 5.0f;
constexpr float kHoverEasing = 50.0f;
constexpr float kMinPressPitchDegrees = 30.0f;
constexpr float kMinDistance = 2.0f;
constexpr float kMaxDistance = 200.0f;

const char* const kMeshInfoFile = "meshinfo.txt";
constexpr int kCycledRenderModes = 3;  // Tab runs through points, disks and glow

float TurnBy(float angle, double degrees)
{
    return static_cast<float>(angle + DegToRad(degrees));
}

}  // namespace

void MorvoDemoAppstate::HandleInput(float dt)
{
    if (GameFlow::GetInstance()->GetInGame() == 0) {
        DEBUG_BREAK("MorvoDemoAppstate::HandleInput outside a game");
    }
    MorvoWorld& world = GetMorvoWorld();
    Boy* boy = world.GetBoy();

    input_->PollKeyboard();
    if (input_->IsKeyDown(DIK_BACKSLASH)) {
        application_->RequestState(StateIndex::kEditDialog);
    }
    input_->PollMouse();
    int dx = 0;
    int dy = 0;
    int dz = 0;
    input_->GetMouseDelta(dx, dy, dz);
    SteerAndTurn(dx, dy);

    boy->SetFollowTarget(!(input_->IsKeyHeld(DIK_SPACE) ||
                           (input_->IsMouseButtonHeld(kLeftButton) && input_->IsMouseButtonHeld(kRightButton))));
    if (input_->IsMouseButtonHeld(kMiddleButton)) {
        if (boy->GetFlightMode() < Boy::kModeSwoop) {
            boy->SetFlightMode(Boy::kModeSwoop);
            if (camera_ != nullptr) {
                camera_->distanceTarget = kSwoopDistance;
            }
        }
    } else if (boy->GetFlightMode() != Boy::kModeSteer) {
        boy->SetFlightMode(Boy::kModeSettle);
    }

    if (input_->IsKeyDown(DIK_ESCAPE)) {
        Leave(StateIndex::kPause);
    }
    if (input_->IsKeyDown(DIK_K)) {
        Leave(StateIndex::kEndingMenu);
    }
    if (input_->IsKeyPressed(DIK_H)) {
        helpShown_ = true;
        helpAnimation_.Play();
    }
    UseTankAndAttractor();
    HandleKeys();
    if (IsEditingEnabled()) {
        ApplyEditingKeys(*input_, world, dt);
    } else {
        world.SetAttractorAutoSize(true);
    }
    Zoom(dz, dt);
}

Vec3 MorvoDemoAppstate::MoveSteeringOffset(Vec3 offset, const Vec3& move)
{
    offset += move;
    const float length = offset.Length();
    if (length > kSteerNearReach) {
        offset += move * (length / kSteerFarReach);
        if (offset.Length() > kSteerFarReach) {
            offset = offset.Normalized() * kSteerFarReach;
        }
    }
    return offset;
}

void MorvoDemoAppstate::SteerAndTurn(int dx, int dy)
{
    if (camera_ == nullptr) {
        return;
    }
    MorvoWorld& world = GetMorvoWorld();
    Boy* boy = world.GetBoy();
    Vec3 toward = camera_->GetTarget() - camera_->GetEye();
    toward.y = 0.0f;
    toward.Normalize();
    const Vec3 right(toward.z, 0.0f, -toward.x);

    // The flag as the previous frame left it.
    if (!camera_->flag) {
        const Vec3 move =
            -(right * static_cast<float>(dx) + toward * static_cast<float>(dy)) * (mouseSensitivity_ * kSteerPerCount);
        world.SetBoyStart(boy->position + MoveSteeringOffset(world.GetBoyStart() - boy->position, move));
    }

    camera_->flag = input_->IsMouseButtonHeld(kRightButton);
    if (!camera_->flag && boy->GetFlightMode() == Boy::kModeSteer) {
        return;
    }
    if (mouseInvert_) {
        dy = -dy;
    }
    const double s = mouseSensitivity_;
    camera_->yawTarget = TurnBy(camera_->yawTarget, dx * kYawPerCount * s);
    switch (boy->GetFlightMode()) {
        case Boy::kModeOrbit:
            boy->SetPitch(TurnBy(boy->GetPitch(), -dy * kBoyPitchPerCount * s));
            break;
        case Boy::kModeSteer:
            camera_->pitchTarget = TurnBy(camera_->pitchTarget, dy * kPitchPerCount * s);
            break;
        default:
            camera_->pitchTarget =
                static_cast<float>(std::fmod(camera_->pitchTarget + DegToRad(dy * kSwoopPitchPerCount * s), kTwoPi));
            break;
    }
}

void MorvoDemoAppstate::UseTankAndAttractor()
{
    MorvoWorld& world = GetMorvoWorld();
    Boy* boy = world.GetBoy();
    PowerTank& tank = boy->tank;
    AttractorBase* attractor = world.GetMorvoAttractorFunc();
    if (input_->IsMouseButtonHeld(kLeftButton) && !input_->IsMouseButtonHeld(kRightButton)) {
        boy->SetFlightMode(Boy::kModeSteer);
        const bool ctrl = input_->IsKeyDown(DIK_LCONTROL) || input_->IsKeyDown(DIK_RCONTROL);
        const bool shift = input_->IsKeyDown(DIK_LSHIFT) || input_->IsKeyDown(DIK_RSHIFT);
        bool attract = true;
        if (ctrl && !shift) {
            tank.SetActive(true);
            tank.SetMode(PowerTank::kModeRelease);
            attract = false;
        } else if (shift && !ctrl) {
            tank.SetActive(true);
            tank.SetMode(PowerTank::kModeAbsorb);
            if (attractorRadiusResetPending_ && attractor != nullptr) {
                attractor->SetRadius(kAttractorResetRadius);
                attractorRadiusResetPending_ = false;
            }
        } else {
            tank.SetActive(false);
            attractorRadiusResetPending_ = true;
        }
        if (attractor != nullptr) {
            attractor->SetEnabled(attract);
        }
    } else if (input_->IsMouseButtonReleased(kLeftButton)) {
        tank.SetActive(false);
        if (attractor != nullptr) {
            attractor->SetEnabled(false);
        }
    }
    if (attractor != nullptr) {
        attractor->SetCenter(world.GetBoySimPosition());
    }
}

void MorvoDemoAppstate::HandleKeys()
{
    if (input_->IsKeyPressed(DIK_BACK)) {
        SetEditingEnabled(!IsEditingEnabled());
    }
    if (input_->IsKeyPressed(DIK_F12)) {
        SaveScreenshot(nullptr, nullptr);
        screenshotShown_ = true;
        screenshotAnimation_.Play();
    }
    if (input_->IsKeyPressed(DIK_F11)) {
        DumpMeshInfo(kMeshInfoFile);
    }
    if (input_->IsKeyPressed(DIK_Q) && input_->IsKeyHeld(DIK_LCONTROL)) {
        Quit();
    }
    if (input_->IsKeyPressed(DIK_TAB)) {
        renderModeCounter_ = (renderModeCounter_ + 1) % kCycledRenderModes;
        SetRenderMode(renderModeCounter_);
    }
    if (input_->IsKeyPressed(DIK_R)) {
        ToggleDebugDraw();
    }
}

void MorvoDemoAppstate::Zoom(int dz, float dt)
{
    MorvoWorld& world = GetMorvoWorld();
    Boy* boy = world.GetBoy();
    const bool editing = IsEditingEnabled();
    if (camera_ != nullptr) {
        if (dz > 0) {
            camera_->distanceTarget -= camera_->distanceTarget * kZoomFactor;
        } else if (dz < 0) {
            camera_->distanceTarget += camera_->distanceTarget * kZoomFactor;
        }
    }
    const AttractorBase* attractor = world.GetMorvoAttractorFunc();
    const bool attracting = attractor != nullptr && attractor->IsEnabled();
    if ((attracting || boy->tank.IsActive()) && !editing) {
        if (camera_ != nullptr && attractor != nullptr) {
            const float reach = attractor->GetSize() * MorvoWorld::kWorldScale;
            if (kAttractorViewShare * camera_->distanceTarget < reach) {
                camera_->distanceTarget = reach / kAttractorViewShare;
            }
        }
        if (boy->GetHoverHeight() != kHoverHeight) {
            boy->SetHoverHeight(boy->GetHoverHeight() + (kHoverHeight - boy->GetHoverHeight()) * kHoverEasing * dt);
        }
    }
    if (camera_ == nullptr || editing) {
        return;
    }
    if (input_->IsMouseButtonPressed(kLeftButton)) {
        camera_->savedDistance = camera_->distance;
        camera_->pitchTarget = std::max(camera_->pitchTarget, DegToRad(kMinPressPitchDegrees));
    }
    if (input_->IsMouseButtonReleased(kLeftButton)) {
        camera_->distanceTarget = camera_->savedDistance;
    }
    camera_->distanceTarget = ClampFloat(camera_->distanceTarget, kMinDistance, kMaxDistance);
}
