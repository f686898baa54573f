// The in-game follow camera; see orbitcamera.h.
#include "orbitcamera.h"

#include <cmath>

#include "gfxcomponent.h"
#include "mathutil.h"

namespace {

constexpr float kSteerTurnRate = 5.0f;
constexpr float kSteerZoomRate = 1.0f;
constexpr float kTurnRate = 1.0f;
constexpr float kZoomRate = 5.0f;
constexpr float kAngleEase = 2.0f;
constexpr float kLeanDistance = 100.0f;  // lean = distance / this, then capped
constexpr float kMaximumLean = 0.3f;
constexpr int kSteerMode = 0;
constexpr int kModeWithoutSubject = 1;

Vec3 OrbitOffset(float distance, float yaw, float pitch)
{
    return Vec3(std::sin(yaw) * std::cos(pitch), std::sin(pitch), -std::cos(yaw) * std::cos(pitch)) * distance;
}

float Length(const Vec3& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

}  // namespace

OrbitCamera::OrbitCamera()
    : yawTarget(DegToRad(kInitialYawDegrees)),
      pitchTarget(DegToRad(kInitialPitchDegrees)),
      yaw(DegToRad(kInitialYawDegrees)),
      pitch(DegToRad(kInitialPitchDegrees)),
      fov(DegToRad(kFovDegrees))
{
    initialOffset = OrbitOffset(distance, yaw, pitch);
    offset = initialOffset;
    shake = initialOffset * shakeAmplitude;
    easedLook = target;
    GfxComponent* gfx = GfxComponent::GetInstance();
    // Before any window exists the height is 0; keep a square aspect then.
    if (gfx->GetWindowHeight() > 0) {
        aspect = static_cast<float>(gfx->GetWindowWidth()) / static_cast<float>(gfx->GetWindowHeight());
    }
}

Matrix4 OrbitCamera::GetProjectionMatrix() const
{
    Matrix4 projection;
    projection.MakePerspective(fov, aspect, nearPlane, farPlane);
    return projection;
}

void OrbitCamera::Reset()
{
    eye = GetDefaultEye();
    Update(0.0f);
}

void OrbitCamera::Update(float dt)
{
    const int mode = subject ? subject->GetFlightMode() : kModeWithoutSubject;
    float turn = kTurnRate;
    float zoom = kZoomRate;
    if (mode == kSteerMode) {
        turn = kSteerTurnRate;
        if (distanceTarget == savedDistance) {
            zoom = kSteerZoomRate;
        }
    }
    const float d = distance + (distanceTarget - distance) * dt * zoom;

    pitchTarget = ClampFloat(pitchTarget, DegToRad(-kPitchLimitDegrees), DegToRad(kPitchLimitDegrees));
    pitch += kAngleEase * (pitchTarget - pitch) * dt * turn;
    yaw += kAngleEase * (yawTarget - yaw) * dt * turn;

    Vec3 o = OrbitOffset(d, yaw, pitch);
    eye = target + o;
    if (eye.y < kMinimumEyeHeight) {
        if (o.y != 0.0f) {
            // Slide along the same ray up to the minimum height.
            o = o * (o.y - (eye.y - kMinimumEyeHeight)) / o.y;
        } else {
            // A level ray never reaches it: lift the eye straight up.
            o.y = kMinimumEyeHeight - target.y;
        }
        distance = Length(o);
        eye = target + o;
    } else {
        distance = d;
    }

    const float r1 = RandomUnitFloat();
    const float r2 = RandomUnitFloat();
    const float r3 = RandomUnitFloat();
    shake = Vec3(2.0f * r1 - 1.0f, 2.0f * r2 - 1.0f, 2.0f * r3 - 1.0f) * shakeAmplitude;

    const float k = ClampFloat(distance / kLeanDistance, 0.0f, kMaximumLean);
    if (mode <= kSteerMode) {
        const Vec3 start = subject ? subject->GetStartPoint() : Vec3();
        lookPoint = (target + shake) * (1.0f - k) + start * k;
    } else {
        lookPoint = target + shake;
    }
    easedLook += (lookPoint - easedLook) * dt;

    view.MakeLookAt(eye, lookPoint, Vec3(0.0f, 1.0f, 0.0f));
    view.InvertRigid();
}

Matrix4 OrbitCamera::GetLookAtMatrix() const
{
    Matrix4 frame;
    frame.MakeLookAt(eye, target, Vec3(0.0f, 1.0f, 0.0f));
    return frame;
}

Vec3 SphericalToCartesian(float radius, float a, float b)
{
    return Vec3(radius * std::cos(a) * std::cos(b), radius * std::sin(a) * std::cos(b), -radius * std::sin(b));
}
