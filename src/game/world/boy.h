// Boy: the player's figure, a scene node that flies over the ocean. He
// steers at the world's start point (mode 0) or flies by angles with the
// camera (modes 1-3), hovers above the morvo layer, banks into turns, picks
// one of nine animation models by speed and carries the power tank.
// MorvoWorld::Init makes the one boy; the in-game state updates him and
// switches his mode; the scene renderer draws him; the orbit camera follows him.
#pragma once

#include "orbitcamera.h"
#include "powertank.h"
#include "scenenode.h"
#include "vec3.h"

#include <cstdint>

class Model;

class Boy : public SceneNode, public OrbitSubject {
public:
    static constexpr int kModelSlotCount = 9;
    // Model slots by name.
    static constexpr int kSlotIdle = 0;
    static constexpr int kSlotSlow1 = 1;
    static constexpr int kSlotSlow2 = 2;
    static constexpr int kSlotNormal = 3;
    static constexpr int kSlotNormal1 = 4;
    static constexpr int kSlotNormal2 = 5;
    static constexpr int kSlotFast = 6;
    static constexpr int kSlotCloth = 7;
    static constexpr int kSlotCloth2 = 8;

    // Flight modes.
    static constexpr int32_t kModeSteer = 0;
    static constexpr int32_t kModeSettle = 1;
    static constexpr int32_t kModeSwoop = 2;
    static constexpr int32_t kModeOrbit = 3;

    Boy();
    // Gives the model slots back to the model manager.
    ~Boy() override;

    void Update(float dt) override;
    void Render() override;

    // Picks the model slot by the speed; bobs while standing still.
    void ChooseModel(float dt, Vec3 velocity);
    // Model pointer = the slot's model; returns the slot.
    int SetModelSlot(int slot);
    int GetModelSlot() const { return currentSlot_; }
    // Fills a slot (not owned; given back to the model manager by the destructor).
    void SetModel(int slot, Model* model);
    Model* GetModel(int slot) const;

    // What the orbit camera follows: the flight mode and the world's start point.
    int GetFlightMode() const override { return flightMode_; }
    Vec3 GetStartPoint() const override;
    void SetFlightMode(int32_t mode) { flightMode_ = mode; }
    const Vec3& GetVelocity() const { return velocity_; }
    float GetYaw() const { return yaw_; }
    float GetPitch() const { return pitch_; }
    // Radians; the orbit mode's mouse turns it.
    void SetPitch(float pitch) { pitch_ = pitch; }
    float GetRoll() const { return roll_; }
    float GetSpeed() const { return speed_; }
    float GetHoverOffset() const { return hoverOffset_; }
    bool GetFollowTarget() const { return followTarget_; }
    void SetFollowTarget(bool follow) { followTarget_ = follow; }
    int32_t GetLayer() const { return layer_; }
    void SetLayer(int32_t layer) { layer_ = layer; }
    float GetHoverHeight() const { return hoverHeight_; }
    // Height above the layer; the in-game controls ease it back to 5.
    void SetHoverHeight(float height) { hoverHeight_ = height; }

    // The boy's tank; callers test IsActive and drive it directly.
    PowerTank tank;

private:
    void UpdateSteering(float dt, Vec3& target);
    void UpdateAngleFlight(float dt, Vec3& target);

    Vec3 velocity_;
    float yaw_ = 0.0f;
    float pitch_ = 0.0f;
    float roll_ = 0.0f;
    float speed_ = 0.0f;
    float hoverOffset_ = 0.0f;
    float bobPhase_ = 0.0f;
    bool followTarget_ = true;
    int32_t flightMode_ = kModeSteer;
    int32_t layer_ = 0;
    float hoverHeight_ = 5.0f;  // 200 x 0.025 above the layer
    float animationTimer_ = 0.0f;
    Model* models_[kModelSlotCount] = {};
    int currentSlot_ = kSlotIdle;
};
