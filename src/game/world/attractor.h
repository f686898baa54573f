// AttractorBase and Attractor: the force with which the boy gathers morvos,
// pulling those in the ring between its size and its radius toward its
// centre. The in-game state registers one as the grid force "Attractor" and
// moves it with the boy; the world sizes it and stores the average power
// that the boy reads; the renderers draw its ring.
#pragma once

#include <cstdint>
#include <list>

#include "gridforce.h"
#include "unaryforce.h"
#include "vec2.h"

class AttractorBase : public GridForce, public UnaryForce {
public:
    AttractorBase(float radius, float ratio);
    ~AttractorBase() override = default;

    void SetRadius(float r) { radius_ = r; }
    float GetRadius() const { return radius_; }
    float GetRatio() const { return ratio_; }
    void SetCenter(Vec2 centre) { centre_ = centre; }
    Vec2 GetCenter() const { return centre_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool IsEnabled() const { return enabled_; }

    // Inner edge of the ring: radius * ratio.
    float GetSize() const { return radius_ * ratio_; }
    void SetSize(float s) { radius_ = s / ratio_; }

    // Mean power of the pure morvos gathered (written by the world's sizing; 0 at first).
    float GetAveragePower() const { return averagePower_; }
    void SetAveragePower(float p) { averagePower_ = p; }

protected:
    float ratio_;
    float radius_;
    float averagePower_ = 0.0f;
    Vec2 centre_{0.0f, 0.0f};
    bool enabled_ = false;
};

class Attractor : public AttractorBase {
public:
    Attractor(float strength, float secondCoefficient, float radius, float ratio);

    // Pulls the morvos of the cells near the centre.
    void Apply(MorvoState& state, UniformGrid& grid, float dt, int32_t x0, int32_t x1, int32_t y0, int32_t y1) override;
    // Pulls every active morvo, whatever its colour.
    void Apply(MorvoState& state, float dt) override;

    // Pulls the listed morvos: all while editing, else only pure ones.
    void ApplyToIds(MorvoState& state, const std::list<int32_t>& ids, float dt);
    // Constant pull of strength * dt toward the centre within the ring.
    void ApplyOne(MorvoRecord& record, float dt);

    float GetStrength() const { return strength_; }

private:
    float strength_;
    float secondCoefficient_;
};
