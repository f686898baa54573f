// Puts the orbit camera's eye at a chosen point looking at a target, for
// the suites that draw the world from a known view. Header only (the
// suites that use it link the graphics library).
#pragma once

#include "orbitcamera.h"
#include "vec3.h"

#include <cmath>

// Distance and angles for the eye, then one update of half a second, which
// takes the eased angles all the way (without a subject the camera turns at rate 1).
inline void AimOrbitCamera(OrbitCamera& camera, const Vec3& eye, const Vec3& target)
{
    constexpr float kSettleTime = 0.5f;
    const Vec3 offset = eye - target;
    const float distance = offset.Length();
    camera.SetTarget(target);
    camera.distance = distance;
    camera.distanceTarget = distance;
    camera.pitchTarget = std::asin(offset.y / distance);
    camera.yawTarget = std::atan2(offset.x, -offset.z);
    camera.Update(kSettleTime);
}
