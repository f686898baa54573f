// MorvoWorld: asset loading, the per-frame update, coordinates, morvo
// bookkeeping, force registration and the census.
#include "morvoworld.h"

#include "animatedmaterial.h"
#include "assetloader.h"
#include "attractor.h"
#include "boy.h"
#include "circlequery.h"
#include "debugbreak.h"
#include "debuglog.h"
#include "islandmodel.h"
#include "matrix4.h"
#include "morvoljfunc.h"
#include "morvosimulator.h"
#include "morvostore.h"
#include "orbitcamera.h"
#include "particlesystem.h"
#include "rainsystem.h"
#include "random15.h"
#include "renderstate.h"
#include "scenenode.h"
#include "uniformgrid.h"

#include <cmath>
#include <iterator>

namespace {

const char* const kAttractorForce = "Attractor";
const char* const kPairForce = "LJ";

// Simulation objects as Init creates them; the level setup resizes them.
constexpr int32_t kInitialStoreCount = 0;
constexpr int32_t kInitialStateBuffers = 1;
constexpr int32_t kInitialDerivativeBuffers = 0;
constexpr int32_t kInitialIntegrator = kIntegratorMidpoint;
constexpr float kInitialDamping = 1.0f;
constexpr float kInitialBound = 1.0f;

// Simulation steps per update for the integrators that need smaller steps.
constexpr int kEulerSubSteps = 4;
constexpr int kHistorySubSteps = 2;

// Attractor sizing: the area of n packed bodies of radius 0.025.
constexpr double kPackedBodyArea = 3.0 * 0.025 * 0.025 / 1.7320508;
constexpr double kPi = 3.1415926535;
constexpr double kAttractorSizeMargin = 1.3;
constexpr float kAttractorEasing = 0.01f;

// Boy's nine animation models, in slot order.
constexpr const char* kBoyModels[] = {
    "MorvoBoyAnim_Idle",     // slot 0
    "MorvoBoyAnim_Slow1",    // slot 1
    "MorvoBoyAnim_Slow2",    // slot 2
    "MorvoBoyAnim_Normal",   // slot 3
    "MorvoBoyAnim_Normal1",  // slot 4
    "MorvoBoyAnim_Normal2",  // slot 5
    "MorvoBoyAnim_Fast",     // slot 6
    "MorvoBoyAnim_Cloth",    // slot 7
    "MorvoBoyAnim_Cloth2",   // slot 8
};

// The static scene nodes loaded first, in WorldNode order.
constexpr const char* kStaticNodes[] = {
    "Trees", "Waves", "Beach", "Ocean", "ShallowWater4", "ShallowWater5", "Islands", "OceanBottom",
};

// One island: its object's name (slot 0), its model slots, its two city nodes.
struct IslandAssets {
    WorldIsland island;
    const char* const* slots;
    size_t slotCount;
    WorldNode city;
    WorldNode cityBad;
};

constexpr const char* kVolcanoSlots[] = {
    "IslandVolcano",        "IslandVolcanoBad",        "TreeVolcano",          "TreeVolcanoBad",
    "WaveVolcano",          "WaveVolcanoBad",          "BeachVolcano",         "BeachVolcanoBad",
    "ShallowWater4Volcano", "ShallowWater4VolcanoBad", "ShallowWater5Volcano", "ShallowWater5VolcanoBad",
    "CityVolcano",          "CityVolcanoBad",
};
constexpr const char* kBigSlots[] = {
    "Island3big",        "Island3bigbad",        "Tree3big",          "Tree3bigbad",
    "Wave3big",          "Wave3bigbad",          "Beach3big",         "Beach3bigbad",
    "ShallowWater43big", "ShallowWater43bigbad", "ShallowWater53big", "ShallowWater53bigbad",
};
constexpr const char* kMediumSlots[] = {
    "Island3medium",  "Island3mediumbad", "Tree3medium",     "Tree3mediumbad",       "Wave3medium",
    "Wave3mediumbad", "Beach3medium",     "Beach3mediumbad", "ShallowWater43medium", "ShallowWater43mediumbad",
};
constexpr const char* kSmallSlots[] = {
    "Island3small",  "Island3smallbad", "Tree3small",     "Tree3smallbad",       "Wave3small",
    "Wave3smallbad", "Beach3small",     "Beach3smallbad", "ShallowWater43small", "ShallowWater43smallbad",
};

constexpr IslandAssets kIslands[] = {
    {kIslandVolcano, kVolcanoSlots, std::size(kVolcanoSlots), kNodeCityVolcano, kNodeCityVolcanoBad},
    {kIsland3big, kBigSlots, std::size(kBigSlots), kNodeCity3big, kNodeCity3bigbad},
    {kIsland3medium, kMediumSlots, std::size(kMediumSlots), kNodeCity3medium, kNodeCity3mediumbad},
    {kIsland3small, kSmallSlots, std::size(kSmallSlots), kNodeCity3small, kNodeCity3smallbad},
};

// Scene-node names of the WorldNode entries after the static nodes.
constexpr const char* kCityNodes[] = {
    "CityVolcano", "CityVolcanoBad", "City3big",   "City3bigbad",
    "City3medium", "City3mediumbad", "City3small", "City3smallbad",
};

constexpr const char* kLightningModels[] = {"Lightning1", "Lightning2", "Lightning3"};
constexpr const char* kMorvoTextures[] = {
    "MorvoTex1", "MorvoTex2", "MorvoTex3", "MorvoTex4", "MorvoTex5", "MorvoTex6", "MorvoTex7",
};

// A world model that does not load (its file damaged or missing) is named
// and left out: the world is drawn without it.
void ReportMissing(const char* name)
{
    DebugLog("ERROR: world asset \"%s\" did not load; it is left out.\n", name);
}

void LoadRequiredNode(const char* name, SceneNode*& node)
{
    if (!AssetLoader::LoadSceneNode(name, node) || node == nullptr || node->model == nullptr) {
        ReportMissing(name);
    }
}

}  // namespace

MorvoWorld::MorvoWorld() = default;

MorvoWorld::~MorvoWorld()
{
    ClearParticleSystems();
}

bool MorvoWorld::Init()
{
    if (initialised_) {
        DebugLog("Warning: tried to initialize MorvoWorld multiple times.");
        return true;
    }
    DebugLog("Initializing MorvoWorld...\n");

    for (int i = 0; i < static_cast<int>(std::size(kStaticNodes)); ++i) {
        LoadRequiredNode(kStaticNodes[i], nodes_[i]);
    }
    for (const IslandAssets& assets : kIslands) {
        for (size_t slot = 0; slot < assets.slotCount; ++slot) {
            if (!AssetLoader::LoadIslandModel(assets.slots[slot], static_cast<int>(slot), islands_[assets.island])) {
                ReportMissing(assets.slots[slot]);
            }
        }
        const int city = assets.city - kNodeCityVolcano;
        LoadRequiredNode(kCityNodes[city], nodes_[assets.city]);
        LoadRequiredNode(kCityNodes[city + 1], nodes_[assets.cityBad]);
    }

    boy_ = std::make_unique<Boy>();
    for (int slot = 0; slot < Boy::kModelSlotCount; ++slot) {
        Model* model = nullptr;
        if (!AssetLoader::LoadModel(kBoyModels[slot], model) || model == nullptr) {
            ReportMissing(kBoyModels[slot]);
        }
        boy_->SetModel(slot, model);
    }
    boy_->SetModelSlot(0);

    lightningModels_.assign(kLightningModelCount, nullptr);
    for (int i = 0; i < kLightningModelCount; ++i) {
        AssetLoader::LoadModel(kLightningModels[i], lightningModels_[i]);
    }
    AssetLoader::LoadAnimatedTexture("LightningBolt", lightningBolt_);
    morvoTextures_.assign(kMorvoTextureCount, nullptr);
    for (int i = 0; i < kMorvoTextureCount; ++i) {
        AssetLoader::LoadTexture(kMorvoTextures[i], morvoTextures_[i]);
    }
    AssetLoader::LoadTexture("TempTexture", tempTexture_);
    UnbindTexture();

    CreateSimulationObjects();
    initialised_ = true;
    return true;
}

bool MorvoWorld::InitHeadless()
{
    if (initialised_) {
        DebugLog("Warning: tried to initialize MorvoWorld multiple times.");
        return true;
    }
    DebugLog("Initializing MorvoWorld...\n");
    for (IslandModel*& island : islands_) {
        island = new IslandModel();
    }
    boy_ = std::make_unique<Boy>();
    boy_->SetModelSlot(0);
    lightningModels_.assign(kLightningModelCount, nullptr);
    morvoTextures_.assign(kMorvoTextureCount, nullptr);
    CreateSimulationObjects();
    initialised_ = true;
    return true;
}

void MorvoWorld::CreateSimulationObjects()
{
    store_ = std::make_unique<MorvoStore>(kInitialStoreCount, kInitialStateBuffers, kInitialDerivativeBuffers);
    simulator_ = std::make_unique<MorvoSimulator>(store_.get(), kInitialIntegrator, kInitialDamping);
    grid_ = std::make_unique<UniformGrid>(1, 1, -kInitialBound, kInitialBound, -kInitialBound, kInitialBound);
    simulator_->SetGrid(grid_.get());
    rain_ = std::make_unique<RainSystem>();  // a pool of 100 drops
    SetBounds(-kInitialBound, kInitialBound, -kInitialBound, kInitialBound);
    activeWindowSize_ = 0.0f;
    activeWindowCells_ = 0;
}

void MorvoWorld::Release()
{
    DebugLog("Creating objects...\n");
    ClearParticleSystems();
    triggers_.Clear();
    rainHits_.Clear();
    // Forces still registered belong to the level; give them back first.
    delete RemoveMorvoLJFunc();
    delete RemoveMorvoAttractorFunc();
    grid_.reset();
    simulator_.reset();
    store_.reset();
    rain_.reset();
    boy_.reset();
    for (IslandModel*& island : islands_) {
        delete island;
        island = nullptr;
    }
    for (SceneNode*& node : nodes_) {
        AssetLoader::ReleaseSceneNode(node);
    }
    for (Texture*& texture : morvoTextures_) {
        if (texture != nullptr) {
            AssetLoader::ReleaseTexture(texture);
        }
    }
    morvoTextures_.clear();
    for (Model*& model : lightningModels_) {
        AssetLoader::ReleaseModel(model);
    }
    lightningModels_.clear();
    if (lightningBolt_ != nullptr) {
        AssetLoader::ReleaseAnimatedTexture(lightningBolt_);
        lightningBolt_ = nullptr;
    }
    if (tempTexture_ != nullptr) {
        AssetLoader::ReleaseTexture(tempTexture_);
    }
    camera_ = nullptr;
    initialised_ = false;
}

void MorvoWorld::Update(float dt, bool wholeGrid)
{
    if (!initialised_) {
        DEBUG_BREAK("MorvoWorld::Update before Init");
        return;
    }
    if (attractorAutoSize_) {
        UpdateAttractorSize();
    }
    CellRect rect = wholeGrid ? CellRect{0, grid_->GetWidth(), 0, grid_->GetHeight()} : GetActiveBounds();
    if (dt >= 0.0f) {
        int steps = 1;
        if (simulator_->GetIntegrator() == kIntegratorEuler) {
            steps = kEulerSubSteps;
        } else if (simulator_->GetIntegrator() == kIntegratorHistory) {
            steps = kHistorySubSteps;
        }
        const float h = dt / static_cast<float>(steps);
        for (int i = 0; i < steps; ++i) {
            simulator_->Step(h, rect.x0, rect.x1, rect.y0, rect.y1);
            rain_->Update(dt, h);
            for (ParticleSystem* system : particleSystems_) {
                system->Update(dt, h);
            }
        }
    }
    if (nodes_[kNodeWaves] != nullptr) {
        nodes_[kNodeWaves]->Update(dt);
    }
    for (IslandModel* island : islands_) {
        if (island != nullptr) {
            island->Update(dt);
        }
    }
}

void MorvoWorld::UpdateAttractorSize()
{
    AttractorBase* attractor = GetMorvoAttractorFunc();
    if (attractor == nullptr) {
        return;
    }
    if (!attractor->IsEnabled()) {
        attractor->SetSize(attractorBaseSize_);
        return;
    }
    const Vec2 boy = GetBoySimPosition();
    const float size = attractor->GetSize();
    const MorvoState& state = *store_->GetCurrentState();
    const int32_t count = CountColorInCircle(*grid_, state, boy, size, kMorvoPure);
    attractor->SetAveragePower(AveragePowerInCircle(*grid_, state, boy, size, kMorvoPure));
    const float target =
        static_cast<float>(std::sqrt(count * kPackedBodyArea / kPi) * kAttractorSizeMargin) + attractorBaseSize_;
    attractor->SetSize(size + (target - size) * kAttractorEasing);
}

AnimatedMaterial* MorvoWorld::GetLightningBoltAnimation() const
{
    // The asset loader makes every animated texture as an AnimatedMaterial.
    return static_cast<AnimatedMaterial*>(lightningBolt_);
}

Vec2 MorvoWorld::WorldToSim(const Vec3& world)
{
    return Vec2(world.x / kWorldScale, -world.z / kWorldScale);
}

Vec3 MorvoWorld::WorldToSim3D(const Vec3& world)
{
    return Vec3(world.x, -world.z, world.y - kLayerBaseHeight) / kWorldScale;
}

Vec3 MorvoWorld::SimToWorld(Vec2 sim, int layer)
{
    return Vec3(sim.x * kWorldScale, GetLayerHeight(layer), -sim.y * kWorldScale);
}

Vec3 MorvoWorld::SimToWorld3D(const Vec3& sim, int layer)
{
    return Vec3(sim.x, sim.z, -sim.y) * kWorldScale + Vec3(0.0f, GetLayerHeight(layer), 0.0f);
}

float MorvoWorld::GetLayerHeight(int layer)
{
    return static_cast<float>(layer) * kLayerSpacing + kLayerBaseHeight;
}

Vec2 MorvoWorld::GetCameraDirection2D() const
{
    if (camera_ == nullptr) {
        return Vec2(0.0f, 0.0f);
    }
    Matrix4 frame = camera_->GetLookAtMatrix();
    frame.SetTranslation(0.0f, 0.0f, 0.0f);
    const Vec3 forward = frame.TransformPoint(Vec3(0.0f, 0.0f, -1.0f));
    return Vec2(forward.x, -forward.z).Normalize();
}

Vec2 MorvoWorld::GetBoySimPosition() const
{
    if (!boy_) {
        return Vec2(0.0f, 0.0f);
    }
    return WorldToSim(boy_->position);
}

void MorvoWorld::SetBounds(float x0, float x1, float y0, float y1)
{
    bounds_ = Rect(x0, x1, y0, y1);
    if (grid_) {
        grid_->SetBounds(bounds_);
    }
}

void MorvoWorld::SetActiveWindowSize(float size)
{
    if (!initialised_) {
        DEBUG_BREAK("MorvoWorld::SetActiveWindowSize before Init");
        return;
    }
    activeWindowSize_ = size;
    activeWindowCells_ = static_cast<int32_t>(size / grid_->GetCellWidth());
    if (activeWindowCells_ % 2 == 0) {
        ++activeWindowCells_;
    }
}

void MorvoWorld::GetActiveCellRange(int32_t& x0, int32_t& x1, int32_t& y0, int32_t& y1) const
{
    if (!grid_) {
        x0 = x1 = y0 = y1 = 0;
        return;
    }
    const Vec2 boy = GetBoySimPosition();
    const float half = activeWindowSize_ / 2.0f;
    x0 = grid_->ToCellX(boy.x - half) + 1;
    x1 = x0 + activeWindowCells_;
    y0 = grid_->ToCellY(boy.y - half) + 1;
    y1 = y0 + activeWindowCells_;
}

CellRect MorvoWorld::GetActiveBounds() const
{
    CellRect rect{0, 0, 0, 0};
    if (!initialised_) {
        DEBUG_BREAK("MorvoWorld::GetActiveBounds before Init");
        return rect;
    }
    GetActiveCellRange(rect.x0, rect.x1, rect.y0, rect.y1);
    return rect;
}

int32_t MorvoWorld::AddMorvo(float x, float y, int32_t color, float power)
{
    if (!initialised_) {
        DEBUG_BREAK("MorvoWorld::AddMorvo before Init");
        return -1;
    }
    return grid_->PlaceMorvo(*store_->GetCurrentState(), x, y, color, power, static_cast<int>(morvoTextures_.size()));
}

void MorvoWorld::RemoveMorvo(int32_t index)
{
    if (!initialised_ || index < 0 || index >= store_->GetCount()) {
        DEBUG_BREAK("MorvoWorld::RemoveMorvo: no such morvo");
        return;
    }
    MorvoRecord& morvo = store_->GetCurrentState()->Get(index);
    morvo.active = 0;
    grid_->RemoveFromCellAt(morvo.position, index);
}

void MorvoWorld::ClearMorvos()
{
    if (!initialised_) {
        return;
    }
    MorvoState& state = *store_->GetCurrentState();
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        state.Get(i).active = 0;
    }
    grid_->ClearCells();
}

void MorvoWorld::ClearParticleSystems()
{
    for (ParticleSystem* system : particleSystems_) {
        delete system;
    }
    particleSystems_.clear();
}

void MorvoWorld::SetMorvoAttractorFunc(AttractorBase* attractor)
{
    if (!simulator_) {
        DEBUG_BREAK("MorvoWorld::SetMorvoAttractorFunc before Init");
        return;
    }
    if (simulator_->FindGridForce(kAttractorForce) != nullptr) {
        DEBUG_BREAK("MorvoWorld::SetMorvoAttractorFunc: an attractor is already registered");
        DebugLog("WARNING: MorvoWorld::SetMorvoAttractorFunc -- leaking memory.\n");
        return;
    }
    simulator_->SetGridForce(kAttractorForce, attractor);
}

AttractorBase* MorvoWorld::GetMorvoAttractorFunc() const
{
    if (!simulator_) {
        return nullptr;
    }
    return static_cast<AttractorBase*>(simulator_->FindGridForce(kAttractorForce));
}

AttractorBase* MorvoWorld::RemoveMorvoAttractorFunc()
{
    if (!simulator_) {
        return nullptr;
    }
    return static_cast<AttractorBase*>(simulator_->RemoveGridForce(kAttractorForce));
}

void MorvoWorld::SetMorvoLJFunc(MorvoLJFunc* pairForce)
{
    if (!simulator_) {
        DEBUG_BREAK("MorvoWorld::SetMorvoLJFunc before Init");
        return;
    }
    if (simulator_->FindGridForce(kPairForce) != nullptr) {
        DEBUG_BREAK("MorvoWorld::SetMorvoLJFunc: a pair force is already registered");
        DebugLog("WARNING: MorvoWorld::SetMorvoLJFunc -- leaking memory.\n");
        return;
    }
    if (pairForce != nullptr) {
        pairForce->SetRainTargets(grid_.get(), &rainHits_, rain_.get());
    }
    simulator_->SetGridForce(kPairForce, pairForce);
}

MorvoLJFunc* MorvoWorld::GetMorvoLJFunc() const
{
    if (!simulator_) {
        return nullptr;
    }
    return static_cast<MorvoLJFunc*>(simulator_->FindGridForce(kPairForce));
}

MorvoLJFunc* MorvoWorld::RemoveMorvoLJFunc()
{
    if (!simulator_) {
        return nullptr;
    }
    return static_cast<MorvoLJFunc*>(simulator_->RemoveGridForce(kPairForce));
}

void MorvoWorld::SetMorvoCollisionFunc(MorvoCollisionFunc function)
{
    if (!simulator_) {
        DEBUG_BREAK("MorvoWorld::SetMorvoCollisionFunc before Init");
        return;
    }
    if (simulator_->GetCollisionFunc() != nullptr) {
        DEBUG_BREAK("MorvoWorld::SetMorvoCollisionFunc: a collision function is already set");
        DebugLog("WARNING: MorvoWorld::SetMorvoCollisionFunc -- leaking memory.\n");
        return;
    }
    simulator_->SetCollisionFunc(function);
}

MorvoCollisionFunc MorvoWorld::GetMorvoCollisionFunc() const
{
    return simulator_ ? simulator_->GetCollisionFunc() : nullptr;
}

void MorvoWorld::SetAttractorBaseSize(float size)
{
    attractorBaseSize_ = size < 0.0f ? 0.0f : size;
}

void MorvoWorld::SetAttractorAutoSize(bool on)
{
    AttractorBase* attractor = GetMorvoAttractorFunc();
    if (attractorAutoSize_ && !on && attractor != nullptr) {
        savedAttractorSize_ = attractor->GetSize();
    } else if (!attractorAutoSize_ && on && attractor != nullptr) {
        attractor->SetSize(savedAttractorSize_);
    }
    attractorAutoSize_ = on;
}

void MorvoWorld::CountMorvos()
{
    census_ = MorvoCensus();
    if (!store_) {
        return;
    }
    const MorvoState& state = *store_->GetCurrentState();
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        const MorvoRecord& morvo = state.Get(i);
        if (morvo.active == 0) {
            continue;
        }
        if (morvo.color == kMorvoPure) {
            ++census_.pure;
        } else if (morvo.color == kMorvoDark) {
            ++census_.dark;
        } else if (morvo.color == kMorvoNeutral) {
            ++census_.neutral;
        }
        ++census_.total;
    }
}

bool MorvoWorld::HasOnlyPureMorvos() const
{
    return census_.pure == census_.total;
}

bool MorvoWorld::HasNoDarkMorvos() const
{
    return census_.dark < 1;
}

bool MorvoWorld::HasNoPureMorvos() const
{
    constexpr float kEmptyTank = 1.0f;
    const float stored = boy_ ? boy_->tank.GetStoredPower() : 0.0f;
    return stored < kEmptyTank && census_.pure < 1;
}

void MorvoWorld::SetPurePowerThreshold(float power)
{
    powerThreshold_ = power;
    winWhenPurePowerThreshold_ = true;
}

MorvoWorld& GetMorvoWorld()
{
    static MorvoWorld world;
    return world;
}
