// The free camera; see camera.h.
#include "camera.h"

#include "renderstate.h"

Camera::Camera()
{
    ExtractFrustum(frustum);
}

Camera::Camera(float fovDegrees, const Vec3& point, int widthPixels, int heightPixels, float nearDistance,
               float farDistance, float heading, float pitch, float roll)
    : position(point),
      orientation(heading, pitch, roll),
      fov(fovDegrees),
      height(heightPixels),
      width(widthPixels),
      nearPlane(nearDistance),
      farPlane(farDistance)
{
    ExtractFrustum(frustum);
}

Camera& Camera::operator=(const Camera& other)
{
    position = other.position;
    orientation = other.orientation;
    fov = other.fov;
    height = other.height;
    width = other.width;
    nearPlane = other.nearPlane;
    farPlane = other.farPlane;
    unusedZero = 0.0f;
    ExtractFrustum(frustum);
    return *this;
}

Matrix4 Camera::GetMatrix() const
{
    Matrix4 matrix(orientation);
    matrix.m[12] += position.x;
    matrix.m[13] += position.y;
    matrix.m[14] += position.z;
    return matrix;
}

void Camera::SetPosition(const Vec3& point)
{
    position = point;
    ExtractWhenAuto();
}

void Camera::SetPosition(float x, float y, float z)
{
    SetPosition(Vec3(x, y, z));
}

void Camera::SetOrientation(float heading, float pitch, float roll)
{
    orientation = Quaternion(heading, pitch, roll);
    ExtractWhenAuto();
}

void Camera::MoveForward(float amount)
{
    position += orientation.Rotate(Vec3(0.0f, 0.0f, -1.0f)) * amount;
}

void Camera::MoveUp(float amount)
{
    position += orientation.Rotate(Vec3(0.0f, 1.0f, 0.0f)) * amount;
}

void Camera::MoveRight(float amount)
{
    position += orientation.Rotate(Vec3(1.0f, 0.0f, 0.0f)) * amount;
}

void Camera::LookAt(const Vec3& point)
{
    Matrix4 frame;
    frame.MakeLookAt(position, point, Vec3(0.0f, 1.0f, 0.0f));
    orientation = orientation * Quaternion(frame);
}

void Camera::ExtractWhenAuto()
{
    if (autoFrustum) {
        ExtractFrustum(frustum);
    }
}
