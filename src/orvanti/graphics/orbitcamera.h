// OrbitCamera: follows a target point (the boy) from a distance at a yaw and
// a pitch, eases towards the angles and the distance the in-game controls
// set, keeps its eye at height 5 or more, and leans its look point towards
// the level's start point while the boy steers. The in-game state sets the
// target every frame and calls Update.
#pragma once

#include "camerabase.h"
#include "vec3.h"

// What the camera asks of the followed object on each update.
class OrbitSubject {
public:
    virtual ~OrbitSubject() = default;
    // The boy's flight mode: 0 steer, 1 settle, 2 swoop, 3 orbit.
    virtual int GetFlightMode() const = 0;
    // The level's start point of the boy, in world coordinates.
    virtual Vec3 GetStartPoint() const = 0;
};

class OrbitCamera : public CameraBase {
public:
    static constexpr float kInitialDistance = 20.0f;
    static constexpr float kInitialDistanceTarget = 5.0f;
    static constexpr float kInitialYawDegrees = 225.0f;
    static constexpr float kInitialPitchDegrees = 30.0f;
    static constexpr float kPitchLimitDegrees = 80.0f;
    static constexpr float kMinimumEyeHeight = 5.0f;
    static constexpr float kFovDegrees = 75.0f;
    static constexpr float kNearPlane = 1.0f;
    static constexpr float kFarPlane = 5000.0f;

    // The aspect is the window's width / height at this moment.
    OrbitCamera();

    Matrix4 GetViewMatrix() const override { return view; }
    Matrix4 GetProjectionMatrix() const override;
    float GetFov() const override { return fov; }
    float GetAspect() const override { return aspect; }

    void SetTarget(const Vec3& point) { target = point; }
    // Without a subject the camera behaves as if the boy were not steering.
    void SetSubject(const OrbitSubject* followed) { subject = followed; }
    // target + the offset of the first frame.
    Vec3 GetDefaultEye() const { return target + initialOffset; }
    // Eye back to the default, then an update of 0 s.
    void Reset();
    void Update(float dt);
    // The camera frame at the eye looking at the target (not inverted).
    Matrix4 GetLookAtMatrix() const;
    void SetSpare(const Vec3& value) { spare2 = value; }

    const Vec3& GetEye() const { return eye; }
    const Vec3& GetTarget() const { return target; }
    const Vec3& GetLookPoint() const { return lookPoint; }
    const Vec3& GetEasedLook() const { return easedLook; }
    float GetYaw() const { return yaw; }
    float GetPitch() const { return pitch; }
    float GetNearPlane() const { return nearPlane; }
    float GetFarPlane() const { return farPlane; }

    // Written directly by the in-game controls.
    bool flag = false;  // the mouse turns the camera
    float distance = kInitialDistance;
    float distanceTarget = kInitialDistanceTarget;
    float savedDistance = kInitialDistanceTarget;
    float yawTarget;
    float pitchTarget;

private:
    Vec3 eye;
    Vec3 spare;
    Vec3 target;
    Vec3 easedLook;
    Vec3 lookPoint;
    Vec3 shake;
    Vec3 spare2;
    Vec3 initialOffset;
    Vec3 offset;
    float yaw;
    float pitch;
    float unusedA = 0.0f;
    float unusedB = 0.0f;
    float shakeAmplitude = 0.0f;
    Matrix4 view;
    float unusedOne = 1.0f;
    float unusedTwo = 2.0f;
    float fov;
    float aspect = 1.0f;
    float nearPlane = kNearPlane;
    float farPlane = kFarPlane;
    const OrbitSubject* subject = nullptr;
};

// (r cos a cos b, r sin a cos b, -r sin b).
Vec3 SphericalToCartesian(float radius, float a, float b);
