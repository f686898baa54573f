// Boy: flight, banking, model choice by speed, the tank and his drawing.
#include "boy.h"

#include "attractor.h"
#include "debugbreak.h"
#include "editingflag.h"
#include "gfxmanagers.h"
#include "mathutil.h"
#include "matrix4.h"
#include "model.h"
#include "modelmanager.h"
#include "morvoworld.h"
#include "orbitcamera.h"
#include "quaternion.h"
#include "renderstate.h"

#include <cmath>
#include <iterator>

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2.0f * kPi;
constexpr float kTankCapacity = 500.0f;
constexpr float kTankRadius = 2.0f * 0.025f;

// Steering (mode 0).
constexpr float kSteerGain = 10.0f * 0.9f;
constexpr float kMaxSteerSpeed = 150.0f;
constexpr float kMaxAttractorSpeed = (90.0f + 150.0f) / 2.0f;
constexpr float kBankSpeed = 35.0f;
constexpr float kTurnRange = 150.0f;
constexpr float kAttractorTurnRange = 90.0f;
constexpr float kAttractorLiftFactor = 3.0f;
constexpr float kMaxAveragePower = 20.0f;

// Flying by angles (modes 1-3).
constexpr float kAngleEasing = 3.0f;
constexpr float kCruiseSpeed = 150.0f;
constexpr float kMaxPitch = 80.0f * kPi / 180.0f;
constexpr float kOrbitCatch = 1.0f * kPi / 180.0f;
constexpr float kMinHeight = 10.0f;
constexpr float kTargetLead = 0.9f / 10.0f;

// Model choice by speed: slot for speeds below each limit.
struct SpeedSlot {
    float below;
    int slot;
};
constexpr SpeedSlot kSpeedSlots[] = {
    {5.0f, Boy::kSlotIdle},  // standing still (bobbing)
    {10.0f, Boy::kSlotSlow1},   {20.0f, Boy::kSlotSlow2},   {35.0f, Boy::kSlotNormal},
    {55.0f, Boy::kSlotNormal1}, {90.0f, Boy::kSlotNormal2},
};
constexpr float kBobSpeed = 5.0f;
constexpr float kBobAmplitude = 0.1f;
constexpr float kFastSpeed = 90.0f;
constexpr float kFastPeriodAt90 = 0.06f;
constexpr float kFastPeriodAt150 = 0.03f;
// The fast cycle, one entry per period.
constexpr int kFastCycle[] = {Boy::kSlotFast, Boy::kSlotCloth2, Boy::kSlotCloth, Boy::kSlotCloth2};

// An angle wrapped by fmod into (-2 pi, 2 pi), then into [-pi, pi].
float WrapAngle(float angle)
{
    angle = std::fmod(angle, kTwoPi);
    if (angle > kPi) {
        angle -= kTwoPi;
    } else if (angle < -kPi) {
        angle += kTwoPi;
    }
    return angle;
}

void ScaleToLength(Vec3& v, float length)
{
    v = v.Normalized() * length;
}

}  // namespace

Boy::Boy()
    : tank(kTankCapacity)
{
    tank.SetRadius(kTankRadius);
}

Boy::~Boy()
{
    ModelManager* models = GfxModelManager();
    for (Model*& model : models_) {
        if (model != nullptr && models != nullptr) {
            models->Remove(model);
        }
        model = nullptr;
    }
    this->model = nullptr;
}

void Boy::SetModel(int slot, Model* slotModel)
{
    if (slot < 0 || slot >= kModelSlotCount) {
        DEBUG_BREAK("Boy::SetModel: slot out of range");
        return;
    }
    models_[slot] = slotModel;
}

Model* Boy::GetModel(int slot) const
{
    return (slot >= 0 && slot < kModelSlotCount) ? models_[slot] : nullptr;
}

Vec3 Boy::GetStartPoint() const
{
    return GetMorvoWorld().GetBoyStart();
}

int Boy::SetModelSlot(int slot)
{
    if (slot < 0 || slot >= kModelSlotCount) {
        DEBUG_BREAK("Boy::SetModelSlot: slot out of range");
        return currentSlot_;
    }
    currentSlot_ = slot;
    model = models_[slot];
    return slot;
}

void Boy::Update(float dt)
{
    MorvoWorld& world = GetMorvoWorld();
    if (tank.IsActive()) {
        tank.Apply(&world, 0, MorvoWorld::WorldToSim(position));
    }
    Vec3 target = world.GetBoyStart();
    if (flightMode_ == kModeSteer) {
        UpdateSteering(dt, target);
    } else if (flightMode_ >= kModeSettle && flightMode_ <= kModeOrbit) {
        UpdateAngleFlight(dt, target);
    }
    world.SetBoyStart(target);
    position += velocity_ * dt;
    ChooseModel(dt, velocity_);
}

void Boy::UpdateSteering(float dt, Vec3& target)
{
    MorvoWorld& world = GetMorvoWorld();
    const AttractorBase* attractor = world.GetMorvoAttractorFunc();
    float lift = 0.0f;
    if (attractor != nullptr) {
        const float average = attractor->GetAveragePower();
        if (average > 0.0f && average < kMaxAveragePower) {
            lift = kAttractorLiftFactor * average;
        }
    }
    position.y += (MorvoWorld::GetLayerHeight(layer_) + hoverHeight_ + lift - position.y) * dt;
    target.y = position.y;

    const float dx = target.x - position.x;
    const float dz = target.z - position.z;
    pitch_ = 0.0f;
    yaw_ = std::fmod(std::atan2(dz, -dx) + kPi / 2.0f, kTwoPi);

    velocity_ = Vec3(kSteerGain * dx, 0.0f, kSteerGain * dz);
    if (velocity_.Length() > kMaxSteerSpeed) {
        ScaleToLength(velocity_, kMaxSteerSpeed);
    }
    float turn = (velocity_.Length() - kBankSpeed) / kTurnRange;
    if (attractor != nullptr && attractor->IsEnabled()) {
        turn = (velocity_.Length() - kBankSpeed) / kAttractorTurnRange;
        if (velocity_.Length() > kMaxAttractorSpeed) {
            ScaleToLength(velocity_, kMaxAttractorSpeed);
        }
    }

    OrbitCamera* camera = world.GetCamera();
    if (!tank.IsActive() && !IsEditingEnabled()) {
        if (velocity_.Length() < kBankSpeed) {
            roll_ = 0.0f;
        } else if (camera != nullptr) {
            const float delta = WrapAngle(kPi - yaw_ - camera->yawTarget);
            if (!camera->flag) {
                camera->yawTarget += turn * delta * dt;
                roll_ = std::sin(-delta) * turn * kPi / 2.0f;
            } else {
                roll_ += (std::sin(-delta) * kPi / 2.0f - roll_) * turn * dt;
            }
        }
    }
    if (followTarget_) {
        target.x += velocity_.x * dt;
        target.z += velocity_.z * dt;
    }
}

void Boy::UpdateAngleFlight(float dt, Vec3& target)
{
    OrbitCamera* camera = GetMorvoWorld().GetCamera();
    if (flightMode_ == kModeSettle) {
        roll_ -= roll_ * dt * kAngleEasing;
        pitch_ -= pitch_ * dt * kAngleEasing;
        speed_ -= speed_ * dt * kAngleEasing;
    } else if (camera != nullptr) {
        const float delta = WrapAngle(kPi - camera->GetYaw() - yaw_);
        yaw_ += delta * dt * kAngleEasing;
        roll_ = delta;
        if (flightMode_ == kModeSwoop) {
            pitch_ += (-camera->GetPitch() - pitch_) * dt;
            speed_ += (kCruiseSpeed - speed_) * dt;
            if (std::fabs(std::fmod(camera->pitchTarget + pitch_, kTwoPi)) < kOrbitCatch) {
                flightMode_ = kModeOrbit;
            }
        } else {
            camera->pitchTarget = std::fmod(-pitch_, kTwoPi);
            speed_ += (kCruiseSpeed - speed_) * dt;
        }
    }
    pitch_ = ClampFloat(pitch_, -kMaxPitch, kMaxPitch);

    velocity_ = Vec3(std::cos(yaw_ - kPi / 2.0f) * (-speed_ * std::cos(pitch_)), std::sin(pitch_) * speed_,
                     std::sin(yaw_ - kPi / 2.0f) * speed_ * std::cos(pitch_));
    if (velocity_.y < 0.0f && position.y <= kMinHeight) {
        velocity_.y = 0.0f;
    }
    velocity_ = velocity_.Normalized() * speed_;
    target = Vec3(position.x + velocity_.x * kTargetLead, position.y, position.z + velocity_.z * kTargetLead);
}

void Boy::ChooseModel(float dt, Vec3 velocity)
{
    const float speed = velocity.Length();
    if (speed < kBobSpeed) {
        bobPhase_ += dt;
        hoverOffset_ = std::sin(bobPhase_) * kBobAmplitude;
    } else {
        bobPhase_ = 0.0f;
        hoverOffset_ = 0.0f;
    }
    for (const SpeedSlot& entry : kSpeedSlots) {
        if (speed < entry.below) {
            SetModelSlot(entry.slot);
            return;
        }
    }
    const float period =
        kFastPeriodAt90 + (kFastPeriodAt150 - kFastPeriodAt90) * (speed - kFastSpeed) / (kCruiseSpeed - kFastSpeed);
    animationTimer_ += dt;
    for (int i = 0; i < static_cast<int>(std::size(kFastCycle)); ++i) {
        if (animationTimer_ < period * static_cast<float>(i + 1)) {
            SetModelSlot(kFastCycle[i]);
            return;
        }
    }
    animationTimer_ = 0.0f;  // the cycle starts again; this frame keeps its slot
}

void Boy::Render()
{
    Matrix4 translation;
    translation.MakeTranslation(position.x, position.y + hoverOffset_, position.z);
    Matrix4 scaling;
    scaling.MakeScale(scale.x, scale.y, scale.z);
    orientation.SetAxisAngle(yaw_, 0.0f, 1.0f, 0.0f);
    Matrix4 yawRotation;
    yawRotation.MakeRotation(orientation);
    orientation.SetAxisAngle(pitch_, 1.0f, 0.0f, 0.0f);
    Matrix4 pitchRotation;
    pitchRotation.MakeRotation(orientation);
    orientation.SetAxisAngle(roll_, 0.0f, 0.0f, 1.0f);
    Matrix4 rollRotation;
    rollRotation.MakeRotation(orientation);
    const Matrix4 transform = translation * scaling * yawRotation * pitchRotation * rollRotation;
    PushMatrix(transform);
    if (visible && !hidden && model != nullptr) {
        model->Render(mode, GfxMaterialManager());
    }
    for (RefHandle<SceneNode>& child : children) {
        child->Render();
    }
    PopMatrix();
}
