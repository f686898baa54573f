// The in-game editor's keys; see leveleditkeys.h.
#include "leveleditkeys.h"

#include "attractor.h"
#include "boy.h"
#include "debuglog.h"
#include "gridset.h"
#include "gridsetdatabase.h"
#include "inputdevice.h"
#include "islandmodel.h"
#include "morvoworld.h"
#include "particlesystem.h"
#include "random15.h"
#include "toolset.h"
#include "trigger.h"
#include "triggerset.h"
#include "uniformgrid.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr float kBrushGrowthPerSecond = 0.025f * 5.0f;
constexpr int kTriggerNameRange = 4096;

// The particle systems the editor makes.
constexpr int32_t kParticleCount = 50;
constexpr float kParticleDamping = 1.0f;
constexpr int32_t kParticleLifetime = 250;
constexpr float kParticleMinSize = 10.0f;
constexpr float kParticleMaxSize = 20.0f;
constexpr float kPlaneBound = 100.0f;

enum class KeyQuery { kDown, kReleased };

void Paint(MorvoWorld& world, Vec2 p, int32_t color)
{
    ToolSet& tools = GetToolSet();
    tools.SetColor(color);
    tools.Apply(&world, 0, p);
}

void PaintCell(MorvoWorld& world, Vec2 p, bool erase)
{
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    RefreshCellPainterTarget();
    painter.SetEraseMode(erase);
    painter.Apply(&world, 0, p);
}

void AddTriggerForPainterSet(MorvoWorld& world)
{
    RefreshCellPainterTarget();
    const CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    if (painter.GetTargetSet() != nullptr) {
        AddEditorTrigger(world, painter.GetSetIndex());
    }
}

struct EditKey {
    int key;
    KeyQuery query;
    void (*action)(MorvoWorld& world, Vec2 p);
};

// Only the first key that applies acts in a frame.
constexpr EditKey kEditKeys[] = {
    {DIK_GRAVE, KeyQuery::kDown, [](MorvoWorld& w, Vec2 p) { GetToolSet().GetEraseTool().Apply(&w, 0, p); }},
    {DIK_1, KeyQuery::kDown, [](MorvoWorld& w, Vec2 p) { Paint(w, p, 1); }},   // pure
    {DIK_2, KeyQuery::kDown, [](MorvoWorld& w, Vec2 p) { Paint(w, p, 0); }},   // neutral
    {DIK_3, KeyQuery::kDown, [](MorvoWorld& w, Vec2 p) { Paint(w, p, -1); }},  // dark
    {DIK_4, KeyQuery::kReleased, [](MorvoWorld& w, Vec2 p) { PickCellSetAt(w, p); }},
    {DIK_5, KeyQuery::kDown, [](MorvoWorld& w, Vec2 p) { PaintCell(w, p, true); }},
    {DIK_6, KeyQuery::kDown, [](MorvoWorld& w, Vec2 p) { PaintCell(w, p, false); }},
    {DIK_7, KeyQuery::kReleased, [](MorvoWorld&, Vec2) { MakeCellSet(); }},
    {DIK_8, KeyQuery::kReleased, [](MorvoWorld& w, Vec2) { AddTriggerForPainterSet(w); }},
    {DIK_9, KeyQuery::kReleased, [](MorvoWorld& w, Vec2) { AddSphericalParticleSystem(w); }},
    {DIK_0, KeyQuery::kReleased, [](MorvoWorld& w, Vec2) { AddPlaneParticleSystem(w); }},
    {DIK_D, KeyQuery::kReleased, [](MorvoWorld& w, Vec2) { ToggleIslandDirt(w); }},
};

bool Applies(const InputDevice& input, const EditKey& editKey)
{
    return editKey.query == KeyQuery::kDown ? input.IsKeyDown(editKey.key) : input.IsKeyReleased(editKey.key);
}

// The editor's particle system at the boy, before its emitter is chosen;
// null (with a warning) when the world has no particle texture.
std::unique_ptr<ParticleSystem> NewParticleSystem(const MorvoWorld& world)
{
    if (world.GetTempTexture() == nullptr) {
        DebugLog("Warning: no particle texture (\"TempTexture\"); the new particle system is not added.\n");
        return nullptr;
    }
    const Vec3 q = MorvoWorld::WorldToSim3D(world.GetBoy()->position);
    return std::make_unique<ParticleSystem>(kParticleCount, kParticleDamping, kParticleLifetime, kParticleMinSize,
                                            kParticleMaxSize, q.x, q.y, q.z, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
}

// Fades to transparent black, textured, all particles out.
void FinishParticleSystem(const MorvoWorld& world, ParticleSystem& system)
{
    system.SetInterpToColor(0.0f, 0.0f, 0.0f, 0.0f);
    system.SetInterpolated(true);
    system.AddTexture(world.GetTempTexture());
    system.EmitAll();
}

}  // namespace

void ApplyEditingKeys(const InputDevice& input, MorvoWorld& world, float dt)
{
    ToolSet& tools = GetToolSet();
    if (input.IsKeyDown(DIK_MINUS)) {
        tools.SetRadius(tools.GetRadius() - kBrushGrowthPerSecond * dt);
    }
    if (input.IsKeyDown(DIK_EQUALS)) {
        tools.SetRadius(tools.GetRadius() + kBrushGrowthPerSecond * dt);
    }
    world.SetAttractorAutoSize(false);
    if (AttractorBase* attractor = world.GetMorvoAttractorFunc()) {
        attractor->SetRadius(tools.GetRadius());
    }
    const Vec2 p = world.GetBoySimPosition();
    for (const EditKey& editKey : kEditKeys) {
        if (Applies(input, editKey)) {
            editKey.action(world, p);
            return;
        }
    }
}

void PickCellSetAt(const MorvoWorld& world, Vec2 p)
{
    const UniformGrid& grid = *world.GetGrid();
    const float x = static_cast<float>(grid.ToCellX(p.x));
    const float y = static_cast<float>(grid.ToCellY(p.y));
    GridSetDatabase* sets = GridSetDatabase::GetInstance();
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetTargetSet(sets->FindSetContaining(x, y));
    painter.SetSetIndex(sets->FindSetIndexContaining(x, y));
}

void MakeCellSet()
{
    unsigned int index = 0;
    GridSet* set = GridSetDatabase::GetInstance()->NewSet(&index);
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetTargetSet(set);
    painter.SetSetIndex(static_cast<int32_t>(index));
}

void RefreshCellPainterTarget()
{
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    const int32_t index = painter.GetSetIndex();
    painter.SetTargetSet(index >= 0 ? GridSetDatabase::GetInstance()->Get(static_cast<unsigned int>(index)) : nullptr);
}

void AddEditorTrigger(MorvoWorld& world, int gridSet)
{
    char name[32];
    std::snprintf(name, sizeof(name), "newTrig_%d", Rand15() % kTriggerNameRange);
    Trigger trigger;
    trigger.id = name;
    trigger.gridSet = gridSet;
    world.GetTriggers().Add(trigger);
}

bool AddSphericalParticleSystem(MorvoWorld& world)
{
    std::unique_ptr<ParticleSystem> system = NewParticleSystem(world);
    if (system != nullptr) {
        system->SetSphericalEmitter();
        FinishParticleSystem(world, *system);
    }
    // The trigger comes either way; it is not linked to the system.
    AddEditorTrigger(world, -1);
    if (system == nullptr) {
        return false;
    }
    world.GetParticleSystems().push_back(system.release());
    return true;
}

bool AddPlaneParticleSystem(MorvoWorld& world)
{
    std::unique_ptr<ParticleSystem> system = NewParticleSystem(world);
    if (system == nullptr) {
        return false;
    }
    system->SetPlaneEmitter(0.0f, 0.0f, 1.0f, 0.0f, kPlaneBound, -kPlaneBound, -kPlaneBound, kPlaneBound);
    FinishParticleSystem(world, *system);
    world.GetParticleSystems().push_back(system.release());
    return true;
}

void ToggleIslandDirt(MorvoWorld& world)
{
    for (int i = 0; i < kWorldIslandCount; ++i) {
        if (IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i))) {
            island->SetDirty(!island->IsDirty());
        }
    }
}
