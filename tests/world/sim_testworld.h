// A headless stand-in for the world's simulation part: store, simulator,
// grid, rain, rain hits and pair force wired as the level setup wires them,
// with AddMorvo / RemoveMorvo done the way the world does them.
#pragma once

#include <memory>

#include "attractor.h"
#include "morvoljfunc.h"
#include "morvosimulator.h"
#include "morvostore.h"
#include "rainhitcells.h"
#include "rainsystem.h"
#include "random15.h"
#include "uniformgrid.h"

struct SimTestWorld {
    static constexpr float kBound = 8.7625f;
    static constexpr int32_t kCells = 116;
    // The world keeps seven morvo textures; AddMorvo draws one of them.
    static constexpr int kMorvoTextureCount = 7;

    explicit SimTestWorld(int32_t capacity = 1000, int32_t cells = kCells, float bound = kBound)
        : store(0, 1, 0),
          simulator(&store, kIntegratorMidpoint, 1.0f),
          grid(1, 1, -1.0f, 1.0f, -1.0f, 1.0f),
          pairForce(0.05f, 0.07f, 15.0f, 30.0f)
    {
        simulator.SetGrid(&grid);
        grid.SetBounds(Rect(-bound, bound, -bound, bound));
        store.SetCapacity(capacity);
        store.ResetHistory();
        pairForce.SetRainTargets(&grid, &rainHits, &rain);
        simulator.SetGridForce("LJ", &pairForce);
        simulator.SetDamping(0.9f);
        grid.Resize(cells, cells);
        grid.Rebuild(&store, 0.05f);
    }

    MorvoState& State() { return *store.GetCurrentState(); }
    MorvoRecord& Record(int32_t i) { return State().Get(i); }

    int32_t AddMorvo(float x, float y, int32_t color, float power)
    {
        return grid.PlaceMorvo(State(), x, y, color, power, kMorvoTextureCount);
    }

    void RemoveMorvo(int32_t i)
    {
        MorvoRecord& r = State().Get(i);
        r.active = 0;
        grid.RemoveFromCellAt(r.position, i);
    }

    void StepWhole(float dt) { simulator.Step(dt, 0, grid.GetWidth(), 0, grid.GetHeight()); }

    MorvoStore store;
    MorvoSimulator simulator;
    UniformGrid grid;
    RainSystem rain;
    RainHitCells rainHits;
    MorvoLJFunc pairForce;
};
