// MorvoLJFunc: the pair force between morvos (a spring toward the preferred
// distance r plus a viscous term) and, for each touching pair, the exchange
// of the game's rules: equal colours share power, pure converts neutral,
// dark contact drains power, starts rain and lightning and kills. The world
// registers it as the grid force "LJ"; the in-game state reads and clears
// its three counters.
#pragma once

#include <cstdint>
#include <vector>

#include "floatw.h"
#include "gridforce.h"
#include "unaryforce.h"
#include "vec2.h"

class RainHitCells;
class RainSystem;
class UniformGrid;

class MorvoLJFunc : public UnaryForce, public GridForce {
public:
    MorvoLJFunc(float r, float cutoff, float k, float fmax);

    // Where dark contacts report rain: the world's grid (to turn the contact
    // point into a cell), its rain-hit cells and its rain. The world links
    // them when it registers the force; unlinked targets are skipped, the
    // counters count all the same.
    void SetRainTargets(const UniformGrid* grid, RainHitCells* rainHits, RainSystem* rain);

    void SetRadius(float r);
    void SetCutoff(float cutoff);
    void SetMaxForce(float fmax);
    float GetRadius() const { return r_; }
    float GetCutoff() const { return cutoff_; }
    float GetStiffness() const { return k_; }
    float GetMaxForce() const { return fmax_; }
    // Radius of one morvo body: r / 2.
    float GetBodyRadius() const { return r_ * 0.5f; }

    // Spring and viscous forces on two records; true when they touch (within the cutoff).
    bool Pair(MorvoRecord& a, MorvoRecord& b);
    // The rules between two touching records for a step of dt seconds.
    void Exchange(MorvoRecord& a, MorvoRecord& b, float dt);

    // Every pair of active records, forces only.
    void Apply(MorvoState& state, float dt) override;
    // Pairs of neighbouring cells of the rectangle, with exchange.
    void Apply(MorvoState& state, UniformGrid& grid, float dt, int32_t x0, int32_t x1, int32_t y0, int32_t y1) override;

    // Counters the in-game state reads and clears.
    int32_t conversionScore = 0;
    int32_t lightningCount = 0;
    int32_t rainCount = 0;

private:
    // The forces of one touching pair: the spring (or the coincidence push)
    // and the viscous term.
    enum PairKind : int32_t { kCoincide, kSpring, kSpringViscous };
    struct PairForce {
        float fx;
        float fy;
        float vx;
        float vy;
        int32_t kind;
    };
    // The body of Exchange, inlined into the traversal's pair loop.
    inline void ExchangeInline(MorvoRecord& a, MorvoRecord& b, float dt);
    // Adds one pair's forces: to a's force and, opposite, to b's.
    static void AddForce(Vec2& forceA, Vec2& forceB, const PairForce& f, float fmax)
    {
        if (f.kind == kCoincide) {
            forceA.x += fmax;
            forceB.x -= fmax;
            return;
        }
        forceA.x += f.fx;
        forceA.y += f.fy;
        forceB.x -= f.fx;
        forceB.y -= f.fy;
        if (f.kind == kSpringViscous) {
            forceA.x += f.vx;
            forceA.y += f.vy;
            forceB.x -= f.vx;
            forceB.y -= f.vy;
        }
    }

    // The force's constants, one copy in each lane.
    struct ForceConstantsW {
        FloatW negK;
        FloatW r;
        FloatW r2;
        FloatW twoR;
        FloatW twoR2;
        FloatW fmax;
        FloatW fmax2;
        FloatW zero;
        FloatW one;
        FloatW half;
    };
    // The forces of four pairs, lane by lane, with bit masks of the lanes
    // whose two morvos coincide and of those with the viscous term.
    struct PairForceW {
        FloatW fx;
        FloatW fy;
        FloatW vx;
        FloatW vy;
        int coincide;
        int viscous;
    };
    ForceConstantsW ConstantsW() const;
    // Forces for four pairs within the cutoff, b - a = (dx, dy), relative
    // velocity (dvx, dvy).
    static PairForceW ComputeForce(const ForceConstantsW& c, FloatW dx, FloatW dy, FloatW dvx, FloatW dvy);
    // The first lanes of f, as records of one pair each.
    static void StoreForces(const PairForceW& f, int32_t lanes, PairForce* out);

    // One cell's morvos, entries [start, start + count) of the gathered
    // arrays, in list order, with the box around their positions.
    struct CellSpan {
        int32_t start;
        int32_t count;
        float x0;
        float x1;
        float y0;
        float y1;
    };
    void GatherCells(const MorvoState& state, const UniformGrid& grid, int32_t x0, int32_t x1, int32_t y0, int32_t y1);
    void ScatterCells(MorvoState& state);
    MorvoRecord& Entry(MorvoState& state, int32_t k)
    {
        return useCopies_ ? copies_[static_cast<size_t>(k)] : state.Get(ids_[static_cast<size_t>(k)]);
    }
    // False when no entry of a can be within the cutoff of one of b
    // (rounding keeps the order of differences, so no pair is closer than the boxes).
    bool BoxesMayTouch(const CellSpan& a, const CellSpan& b) const
    {
        float dx = b.x0 > a.x1 ? b.x0 - a.x1 : (a.x0 > b.x1 ? a.x0 - b.x1 : 0.0f);
        float dy = b.y0 > a.y1 ? b.y0 - a.y1 : (a.y0 > b.y1 ? a.y0 - b.y1 : 0.0f);
        return !(dx * dx + dy * dy > cutoff2_);
    }
    void PairWithin(MorvoState& state, const CellSpan& cell, float dt);
    void PairAcross(MorvoState& state, const CellSpan& a, const CellSpan& b, float dt);
    void PairAcrossIfNear(MorvoState& state, const CellSpan& a, const CellSpan& b, float dt)
    {
        if (a.count > 0 && b.count > 0 && BoxesMayTouch(a, b)) {
            PairAcross(state, a, b, dt);
        }
    }
    // Gathered entries j of [begin, end) within the cutoff of entry i, in
    // order, into touching_ (the same test Pair starts with); returns how many.
    int32_t CollectTouching(int32_t i, int32_t begin, int32_t end);
    // Forces of entry i with its n touching entries into forces_ (positions
    // and velocities don't change during a traversal).
    void ComputeTouchingForces(int32_t i, int32_t n);
    // Those forces and each pair's exchange, in order. Returns true when n > 0.
    bool PairTouching(MorvoState& state, int32_t i, int32_t n, float dt);

    float r_ = 0.0f;
    float r2_ = 0.0f;
    float cutoff_ = 0.0f;
    float cutoff2_ = 0.0f;
    float k_ = 0.0f;
    float fmax_ = 0.0f;
    float fmax2_ = 0.0f;

    const UniformGrid* rainGrid_ = nullptr;
    RainHitCells* rainHits_ = nullptr;
    RainSystem* rain_ = nullptr;

    // Scratch of the grid traversal, reused from step to step. The records
    // of the visited cells are worked on as contiguous copies (written back
    // afterwards) unless an index is listed twice.
    std::vector<CellSpan> spans_;
    std::vector<int32_t> ids_;
    std::vector<float> xs_;
    std::vector<float> ys_;
    std::vector<float> vxs_;
    std::vector<float> vys_;
    std::vector<MorvoRecord> copies_;
    std::vector<uint32_t> seen_;
    uint32_t visit_ = 0;
    bool useCopies_ = false;
    std::vector<int32_t> touching_;
    std::vector<PairForce> forces_;
};
