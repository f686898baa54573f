// Camera: a free camera with a position, a quaternion orientation and the
// view frustum taken from the current GL matrices. The viewport draws
// through it; the game itself uses the orbit camera instead.
#pragma once

#include "frustum.h"
#include "matrix4.h"
#include "quaternion.h"
#include "vec3.h"

class Camera {
public:
    // The size, field of view and planes are 0 until set.
    Camera();
    // fov in degrees (for gluPerspective); heading, pitch and roll in radians.
    Camera(float fovDegrees, const Vec3& position, int width, int height, float nearPlane, float farPlane,
           float heading, float pitch, float roll);
    Camera(const Camera& other) = default;
    virtual ~Camera() = default;
    // Copies position, orientation, fov, size and planes, then extracts the frustum.
    Camera& operator=(const Camera& other);

    virtual Quaternion GetOrientation() const { return orientation; }
    virtual Vec3 GetPosition() const { return position; }
    // The orientation's rotation with the position as translation.
    virtual Matrix4 GetMatrix() const;

    void SetFov(float fovDegrees) { fov = fovDegrees; }
    void SetPosition(const Vec3& point);
    void SetPosition(float x, float y, float z);
    void SetOrientation(float heading, float pitch, float roll);
    // While on, every position or orientation change re-extracts the frustum.
    void SetAutoFrustum(bool on) { autoFrustum = on; }

    void MoveForward(float amount);
    void MoveUp(float amount);
    void MoveRight(float amount);
    // Turns towards the target (composed onto the current orientation).
    void LookAt(const Vec3& point);

    float GetFov() const { return fov; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    float GetNearPlane() const { return nearPlane; }
    float GetFarPlane() const { return farPlane; }
    const Frustum& GetFrustum() const { return frustum; }

private:
    void ExtractWhenAuto();

    Vec3 position;
    Quaternion orientation;
    float fov = 0.0f;
    int height = 0;
    int width = 0;
    float nearPlane = 0.0f;
    float farPlane = 0.0f;
    float unusedZero = 0.0f;
    float unusedTenth = 0.1f;
    bool autoFrustum = false;
    Frustum frustum;
};
