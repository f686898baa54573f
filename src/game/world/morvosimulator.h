// MorvoSimulator: advances the morvos of a cell rectangle by one step with
// the Euler, history or midpoint integrator, under the unary and grid forces
// registered by name, then re-bins the grid. Owned by the world, which
// steps it once per frame over the window around the boy.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "constantforce.h"
#include "gridforce.h"
#include "morvostore.h"
#include "unaryforce.h"
#include "uniformgrid.h"

constexpr int32_t kIntegratorEuler = 0;
constexpr int32_t kIntegratorHistory = 1;
constexpr int32_t kIntegratorMidpoint = 2;
constexpr int32_t kIntegratorReserved = 3;

// Collision hook: stored and handed back, never called by a step.
using MorvoCollisionFunc = void (*)(MorvoRecord& a, MorvoRecord& b);

class MorvoSimulator {
public:
    MorvoSimulator(MorvoStore* store, int32_t kind, float damping);
    ~MorvoSimulator();

    MorvoSimulator(const MorvoSimulator&) = delete;
    MorvoSimulator& operator=(const MorvoSimulator&) = delete;

    // Sizes the store's buffers for kinds 0..3; other kinds are only stored.
    void SetIntegrator(int32_t kind);
    int32_t GetIntegrator() const { return kind_; }
    // Clamped to [0, 1].
    void SetDamping(float c);
    float GetDamping() const { return damping_; }

    void SetGrid(UniformGrid* grid) { grid_ = grid; }
    UniformGrid* GetGrid() const { return grid_; }
    void SetCollisionFunc(MorvoCollisionFunc f) { collisionFunc_ = f; }
    MorvoCollisionFunc GetCollisionFunc() const { return collisionFunc_; }

    // Forces are borrowed. A null force erases the name; a second one replaces silently.
    void SetGridForce(const std::string& name, GridForce* force);
    GridForce* FindGridForce(const std::string& name) const;
    // Erases and returns the force (null when absent); the caller owns it.
    GridForce* RemoveGridForce(const std::string& name);
    void SetUnaryForce(const std::string& name, UnaryForce* force);
    UnaryForce* FindUnaryForce(const std::string& name) const;
    UnaryForce* RemoveUnaryForce(const std::string& name);

    void SetConstantForceEnabled(bool on) { constantForceEnabled_ = on; }
    bool IsConstantForceEnabled() const { return constantForceEnabled_; }
    ConstantForce* GetConstantForce() { return constantForce_.get(); }

    // One step of dt seconds over cells [x0, x1) x [y0, y1) (clamped to the grid).
    void Step(float dt, int32_t x0, int32_t x1, int32_t y0, int32_t y1);

private:
    // Grid forces get gridRect.
    void EvaluateForces(MorvoState& state, float h, const CellRect& gridRect);
    // Lists the indices of the rectangle's cells (windowIds_) and of the
    // column and row just past it (edgeIds_), cells row by row, each in list order.
    void ListIds(const CellRect& rect, const CellRect& reach);
    void ShiftHistory();
    void MidpointPass(MorvoState& base, MorvoState& source, MorvoState& destination, float h);
    void EulerPass(MorvoState& state, float h);
    void HistoryPass(MorvoState& oldest, MorvoState& previous, MorvoState& out, float h);

    MorvoStore* store_;
    int32_t kind_ = kIntegratorMidpoint;
    bool constantForceEnabled_ = false;
    std::unique_ptr<ConstantForce> constantForce_;
    std::map<std::string, UnaryForce*> unaryForces_;
    std::map<std::string, GridForce*> gridForces_;
    MorvoCollisionFunc collisionFunc_ = nullptr;
    float damping_ = 1.0f;
    UniformGrid* grid_ = nullptr;
    std::vector<int32_t> windowIds_;
    std::vector<int32_t> edgeIds_;
};
