// CameraBase: the camera interface the renderers use (view matrix,
// projection matrix, vertical field of view in radians, aspect).
// OrbitCamera implements it for the in-game state.
#pragma once

#include "matrix4.h"

class CameraBase {
public:
    virtual ~CameraBase() = default;
    virtual Matrix4 GetViewMatrix() const = 0;
    virtual Matrix4 GetProjectionMatrix() const = 0;
    virtual float GetFov() const = 0;
    virtual float GetAspect() const = 0;
};
