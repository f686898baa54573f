// MorvoWorld: the one playing field: morvo simulation, rain, particle
// systems, scene nodes and islands, the boy, the level's triggers, rules and
// census. Loaded once at start-up, prepared per level by the game flow and
// the level reader, advanced by the in-game state.
#pragma once

#include "rainhitcells.h"
#include "rect.h"
#include "triggerset.h"
#include "vec2.h"
#include "vec3.h"

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class AnimatedMaterial;
class AttractorBase;
class Boy;
class Material;
class Model;
class MorvoLJFunc;
class MorvoSimulator;
class MorvoStore;
class OrbitCamera;
class ParticleSystem;
class RainSystem;
class SceneNode;
class IslandModel;
class Texture;
class UniformGrid;
struct CellRect;
struct MorvoRecord;

// Collision hook of the simulator (stored, never called by a step).
using MorvoCollisionFunc = void (*)(MorvoRecord& a, MorvoRecord& b);

// The world's static scene nodes, in load order.
enum WorldNode : int {
    kNodeTrees,
    kNodeWaves,
    kNodeBeach,
    kNodeOcean,
    kNodeShallowWater4,
    kNodeShallowWater5,
    kNodeIslands,
    kNodeOceanBottom,
    kNodeCityVolcano,
    kNodeCityVolcanoBad,
    kNodeCity3big,
    kNodeCity3bigbad,
    kNodeCity3medium,
    kNodeCity3mediumbad,
    kNodeCity3small,
    kNodeCity3smallbad,
    kWorldNodeCount
};

// The four islands, in the order of the level file's "Dirtiness".
enum WorldIsland : int { kIslandVolcano, kIsland3big, kIsland3medium, kIsland3small, kWorldIslandCount };

// Morvos of the current state by colour; every active record counts in total.
struct MorvoCensus {
    int32_t dark = 0;
    int32_t pure = 0;
    int32_t neutral = 0;
    int32_t total = 0;
};

class MorvoWorld {
public:
    static constexpr float kWorldScale = 200.0f;  // world units per simulation unit
    static constexpr float kLayerSpacing = 30.0f;
    static constexpr float kLayerBaseHeight = 150.0f;
    static constexpr int kMorvoTextureCount = 7;
    static constexpr int kLightningModelCount = 3;

    MorvoWorld();
    ~MorvoWorld();
    MorvoWorld(const MorvoWorld&) = delete;
    MorvoWorld& operator=(const MorvoWorld&) = delete;

    // Loads the assets through the game plan and creates the simulation
    // objects; only the first call does anything. Returns true.
    bool Init();
    // The same without a window or assets: the simulation objects, four
    // empty islands, a boy without models and 7 empty morvo-texture slots.
    bool InitHeadless();
    // Deletes the simulation objects, islands and scene nodes and gives the
    // models and textures back; the world can be initialised again.
    void Release();
    bool IsInitialised() const { return initialised_; }

    // One frame: attractor size, simulator steps over the active window (or
    // the whole grid), rain, particle systems, then waves and islands.
    void Update(float dt, bool wholeGrid);

    // Coordinates: simulation x = world x, simulation y = world -z.
    static Vec2 WorldToSim(const Vec3& world);
    static Vec3 WorldToSim3D(const Vec3& world);
    static Vec3 SimToWorld(Vec2 sim, int layer);
    static Vec3 SimToWorld3D(const Vec3& sim, int layer);
    static float GetLayerHeight(int layer);
    // The camera's forward direction on the simulation plane, normalised.
    Vec2 GetCameraDirection2D() const;
    Vec2 GetBoySimPosition() const;

    void SetBounds(float x0, float x1, float y0, float y1);
    const Rect& GetBounds() const { return bounds_; }
    // Edge of the square simulated around the boy; cells made odd.
    void SetActiveWindowSize(float size);
    float GetActiveWindowSize() const { return activeWindowSize_; }
    int32_t GetActiveWindowCells() const { return activeWindowCells_; }
    // The cell rectangle around the boy (not clamped to the grid).
    void GetActiveCellRange(int32_t& x0, int32_t& x1, int32_t& y0, int32_t& y1) const;
    CellRect GetActiveBounds() const;

    // A new morvo; its index, or -1 when the store is full.
    int32_t AddMorvo(float x, float y, int32_t color, float power);
    void RemoveMorvo(int32_t index);
    void ClearMorvos();
    void ClearParticleSystems();

    // The grid forces "Attractor" and "LJ". Set registers only when none is
    // registered (a second one is a violated precondition and is not kept);
    // Remove hands the object back to the caller, who deletes it.
    void SetMorvoAttractorFunc(AttractorBase* attractor);
    AttractorBase* GetMorvoAttractorFunc() const;
    AttractorBase* RemoveMorvoAttractorFunc();
    void SetMorvoLJFunc(MorvoLJFunc* pairForce);
    MorvoLJFunc* GetMorvoLJFunc() const;
    MorvoLJFunc* RemoveMorvoLJFunc();
    // The simulator's collision function (not used by the game).
    void SetMorvoCollisionFunc(MorvoCollisionFunc function);
    MorvoCollisionFunc GetMorvoCollisionFunc() const;

    // Base size of the attractor (negative gives 0) and its automatic sizing.
    void SetAttractorBaseSize(float size);
    float GetAttractorBaseSize() const { return attractorBaseSize_; }
    void SetAttractorAutoSize(bool on);
    bool IsAttractorAutoSize() const { return attractorAutoSize_; }

    // Census and the judging predicates.
    void CountMorvos();
    const MorvoCensus& GetCensus() const { return census_; }
    bool HasOnlyPureMorvos() const;
    bool HasNoDarkMorvos() const;
    // No pure morvos and less than 1.0 in the boy's tank.
    bool HasNoPureMorvos() const;

    // Win and lose rules of the level.
    bool GetWinWhenAllPure() const { return winWhenAllPure_; }
    void SetWinWhenAllPure(bool on) { winWhenAllPure_ = on; }
    bool GetWinWhenNoDarkMorvos() const { return winWhenNoDarkMorvos_; }
    void SetWinWhenNoDarkMorvos(bool on) { winWhenNoDarkMorvos_ = on; }
    bool GetLoseWhenNoPureMorvos() const { return loseWhenNoPureMorvos_; }
    void SetLoseWhenNoPureMorvos(bool on) { loseWhenNoPureMorvos_ = on; }
    bool GetWinWhenPurePowerThreshold() const { return winWhenPurePowerThreshold_; }
    void SetWinWhenPurePowerThreshold(bool on) { winWhenPurePowerThreshold_ = on; }
    // Sets the threshold and switches its rule on.
    void SetPurePowerThreshold(float power);
    float GetPowerThreshold() const { return powerThreshold_; }

    // Simulation objects (null before Init).
    MorvoStore* GetStore() const { return store_.get(); }
    MorvoSimulator* GetSimulator() const { return simulator_.get(); }
    UniformGrid* GetGrid() const { return grid_.get(); }
    RainSystem* GetRain() const { return rain_.get(); }

    Boy* GetBoy() const { return boy_.get(); }
    // The point the boy steers at; set to his position when a level starts.
    const Vec3& GetBoyStart() const { return boyStart_; }
    void SetBoyStart(const Vec3& start) { boyStart_ = start; }
    // The in-game state's camera (not owned); null outside a level.
    OrbitCamera* GetCamera() const { return camera_; }
    void SetCamera(OrbitCamera* camera) { camera_ = camera; }

    SceneNode* GetSceneNode(WorldNode node) const { return nodes_[node]; }
    IslandModel* GetIsland(WorldIsland island) const { return islands_[island]; }
    const std::vector<Texture*>& GetMorvoTextures() const { return morvoTextures_; }
    const std::vector<Model*>& GetLightningModels() const { return lightningModels_; }
    // The bolt as the asset loader made it, and as the animation it is.
    Material* GetLightningBolt() const { return lightningBolt_; }
    AnimatedMaterial* GetLightningBoltAnimation() const;
    Texture* GetTempTexture() const { return tempTexture_; }

    TriggerSet& GetTriggers() { return triggers_; }
    const TriggerSet& GetTriggers() const { return triggers_; }
    // Grid cells (column, row) where rain started in this level, each once.
    RainHitCells& GetRainHits() { return rainHits_; }
    const RainHitCells& GetRainHits() const { return rainHits_; }
    // Owned by the world.
    std::list<ParticleSystem*>& GetParticleSystems() { return particleSystems_; }
    const std::list<ParticleSystem*>& GetParticleSystems() const { return particleSystems_; }

private:
    void CreateSimulationObjects();
    void UpdateAttractorSize();

    std::unique_ptr<MorvoStore> store_;
    std::unique_ptr<MorvoSimulator> simulator_;
    std::unique_ptr<UniformGrid> grid_;
    std::unique_ptr<RainSystem> rain_;
    SceneNode* nodes_[kWorldNodeCount] = {};
    IslandModel* islands_[kWorldIslandCount] = {};
    std::unique_ptr<Boy> boy_;
    OrbitCamera* camera_ = nullptr;
    Vec3 boyStart_;
    std::vector<Texture*> morvoTextures_;
    std::vector<Model*> lightningModels_;
    Material* lightningBolt_ = nullptr;
    TriggerSet triggers_;
    RainHitCells rainHits_;
    std::list<ParticleSystem*> particleSystems_;
    Texture* tempTexture_ = nullptr;
    bool initialised_ = false;
    Rect bounds_;
    float activeWindowSize_ = 0.0f;
    int32_t activeWindowCells_ = 0;
    bool attractorAutoSize_ = true;
    float savedAttractorSize_ = 0.0f;
    float attractorBaseSize_ = 0.0f;
    bool winWhenPurePowerThreshold_ = false;
    float powerThreshold_ = 0.0f;
    bool winWhenAllPure_ = false;
    bool winWhenNoDarkMorvos_ = false;
    bool loseWhenNoPureMorvos_ = false;
    MorvoCensus census_;
};

// The program's one world, built on first use and destroyed at exit.
MorvoWorld& GetMorvoWorld();
