// MorvoFiles: the "MorvoLevel" XML reader and writer (TinyXML). The reader
// parses and checks the document before it touches the level in the world;
// the writer saves through a temporary file so a failed save never leaves
// a truncated level behind.
#include "morvofiles.h"

#include "animationdatabase.h"
#include "boy.h"
#include "debuglog.h"
#include "emitter.h"
#include "filepath.h"
#include "gfxmanagers.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "mathutil.h"
#include "morvoworld.h"
#include "particlesystem.h"
#include "planeemitter.h"
#include "texturemanager.h"
#include "toolset.h"
#include "trigger.h"
#include "uniformgrid.h"
#include "xmlfile.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kRoot = "MorvoLevel";
const char* const kNoTriggerId = "null";
const char* const kParticleTriggerHint = "if new particle system, insert trigger name here, else delete this line.";

// The islands' elements in "Dirtiness", in file order.
struct IslandElement {
    WorldIsland island;
    const char* element;
};
constexpr IslandElement kIslandElements[] = {
    {kIslandVolcano, "IslandVolcano"},
    {kIsland3big, "Island3Big"},
    {kIsland3medium, "Island3Medium"},
    {kIsland3small, "Island3Small"},
};

// Effect keywords. The writer writes the first form; the reader accepts
// both, so a saved win or lose trigger reads back as written.
struct EffectKeyword {
    int32_t effect;
    const char* written;
    const char* alsoRead;
};
constexpr EffectKeyword kEffectKeywords[] = {
    {EFFECT_WIN, "TRIG_WIN", "WIN"},           {EFFECT_LOSE, "TRIG_LOSE", "LOSE"},
    {EFFECT_PSYS_OFF, "PSYS_OFF", "PSYS_OFF"}, {EFFECT_PSYS_ON, "PSYS_ON", "PSYS_ON"},
    {EFFECT_CLEAN, "CLEAN", "CLEAN"},
};
const char* const kNoAnimationKeyword = "ANIM_FILE_HERE";

const char* const kTrue = "true";
const char* const kFalse = "false";

// ---- reading helpers: a missing attribute reads as 0 or empty text ----

double ReadDouble(const TiXmlElement* element, const char* name, double fallback = 0.0)
{
    double value = fallback;
    if (element == nullptr || element->QueryDoubleAttribute(name, &value) != TIXML_SUCCESS) {
        return fallback;
    }
    return value;
}

float ReadFloat(const TiXmlElement* element, const char* name, float fallback = 0.0f)
{
    return static_cast<float>(ReadDouble(element, name, fallback));
}

int ReadInt(const TiXmlElement* element, const char* name, int fallback = 0)
{
    int value = fallback;
    if (element == nullptr || element->QueryIntAttribute(name, &value) != TIXML_SUCCESS) {
        return fallback;
    }
    return value;
}

std::string ReadText(const TiXmlElement* element, const char* name)
{
    const char* text = element != nullptr ? element->Attribute(name) : nullptr;
    return text != nullptr ? std::string(text) : std::string();
}

const TiXmlElement* Child(const TiXmlElement* element, const char* name)
{
    return element != nullptr ? element->FirstChildElement(name) : nullptr;
}

// ---- writing helpers ----

void WriteDouble(TiXmlElement* element, const char* name, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%f", value);
    element->SetAttribute(name, text);
}

void WriteBool(TiXmlElement* element, const char* name, bool value)
{
    element->SetAttribute(name, value ? kTrue : kFalse);
}

TiXmlElement* AddChild(TiXmlNode* parent, const char* name)
{
    return parent->LinkEndChild(new TiXmlElement(name))->ToElement();
}

// ---- reading ----

// The effect of a trigger's "effect" text; an animation's name also sets
// the trigger's animation.
int32_t ReadEffect(const std::string& text, Trigger* trigger)
{
    for (const EffectKeyword& keyword : kEffectKeywords) {
        if (text == keyword.written || text == keyword.alsoRead) {
            return keyword.effect;
        }
    }
    AnimationDatabase* animations = AnimationDatabase::GetInstance();
    if (text == kNoAnimationKeyword && animations->GetNames().count(text) == 0) {
        // The writer's form for a trigger without an effect (the editor's).
        return 0;
    }
    trigger->animationName = text;
    trigger->animation = static_cast<int32_t>(animations->GetId(text));
    return EFFECT_PLAY_ANIM;
}

void ClearLevelState(MorvoWorld& world)
{
    AnimationDatabase::GetInstance()->Clear();
    GridSetDatabase::GetInstance()->Clear();
    world.GetTriggers().Clear();
    MorvoFiles::ForgetLevelPointers();
    // Rain of the previous level must not count towards this level's triggers.
    world.GetRainHits().Clear();
    world.ClearParticleSystems();
    world.SetWinWhenAllPure(false);
    world.SetWinWhenNoDarkMorvos(false);
    world.SetLoseWhenNoPureMorvos(false);
    world.SetWinWhenPurePowerThreshold(false);
    for (int i = 0; i < kWorldIslandCount; ++i) {
        IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i));
        if (island != nullptr) {
            island->SetDirty(false);
        }
    }
}

void ReadMorvos(MorvoWorld& world, const char* path, const TiXmlElement* morvos)
{
    int read = 0;
    int leftOut = 0;
    for (const TiXmlElement* morvo = morvos->FirstChildElement("morvo"); morvo != nullptr;
         morvo = morvo->NextSiblingElement("morvo")) {
        ++read;
        if (world.AddMorvo(ReadFloat(morvo, "x"), ReadFloat(morvo, "y"), ReadInt(morvo, "color"),
                           ReadFloat(morvo, "power")) < 0) {
            ++leftOut;
        }
    }
    if (leftOut > 0) {
        // A full store takes no more; a save would lose them.
        DebugLog("(MorvoFiles) Warning: %s: %d of its %d morvos do not fit in the world and are left out.\n", path,
                 leftOut, read);
    }
    UniformGrid* grid = world.GetGrid();
    if (grid != nullptr) {
        grid->Rebuild(world.GetStore(), grid->GetRadius());
    }
}

void ReadGridSets(const TiXmlElement* gridElement)
{
    for (const TiXmlElement* setElement = gridElement->FirstChildElement("GridSet"); setElement != nullptr;
         setElement = setElement->NextSiblingElement("GridSet")) {
        GridSet set;
        for (const TiXmlElement* cell = setElement->FirstChildElement("GridCell"); cell != nullptr;
             cell = cell->NextSiblingElement("GridCell")) {
            set.AddCell(Vec2(static_cast<float>(ReadInt(cell, "x")), static_cast<float>(ReadInt(cell, "y"))));
        }
        set.SetName(ReadText(setElement, "name"));
        GridSetDatabase::GetInstance()->Add(set);
    }
}

void ReadAnimations(const TiXmlElement* animations)
{
    for (const TiXmlElement* animation = animations->FirstChildElement("Animation"); animation != nullptr;
         animation = animation->NextSiblingElement("Animation")) {
        AnimationDatabase::GetInstance()->Load(ReadText(animation, "path"), ReadText(animation, "name"));
    }
}

void ReadTriggers(MorvoWorld& world, const TiXmlElement* triggers)
{
    for (const TiXmlElement* element = triggers->FirstChildElement("Trigger"); element != nullptr;
         element = element->NextSiblingElement("Trigger")) {
        Trigger trigger;
        trigger.id = ReadText(element, "id");
        TriggerConditionFromKeyword(ReadText(element, "type"), &trigger.condition);
        const char* set = element->Attribute("set");
        if (set != nullptr) {
            // An empty name is the writer's form for "no grid set".
            trigger.gridSetName = set;
            trigger.gridSet = set[0] == '\0' ? -1 : static_cast<int32_t>(GridSetDatabase::GetInstance()->GetId(set));
        }
        const char* effect = element->Attribute("effect");
        if (effect != nullptr) {
            trigger.effect = ReadEffect(effect, &trigger);
        }
        const char* visible = element->Attribute("visible");
        if (visible != nullptr) {
            trigger.visible = std::strcmp(visible, kTrue) == 0;
        }
        trigger.hitPoints = ReadInt(element, "hitpoints");
        trigger.remainingHits = trigger.hitPoints;
        world.GetTriggers().Add(trigger);
    }
}

// The boy's position when the file's is refused: the game flow's start.
const Vec3 kDefaultBoyStart(0.0f, 0.0f, 0.0f);

// The boy must stand in the world's box: over the rectangle of its bounds,
// and no further above or below the sea than half its longer side. NaN and
// the infinities fail these comparisons too.
bool BoyInsideWorld(const MorvoWorld& world, double x, double y, double z)
{
    const Rect& bounds = world.GetBounds();
    const double scale = MorvoWorld::kWorldScale;
    const double halfSide = std::max(bounds.x1 - bounds.x0, bounds.y1 - bounds.y0) / 2.0 * scale;
    const double simX = x / scale;
    const double simY = -z / scale;
    return simX >= bounds.x0 && simX <= bounds.x1 && simY >= bounds.y0 && simY <= bounds.y1 && std::fabs(y) <= halfSide;
}

// The boy's start from "Boy"; a position that is not a finite number inside
// the world is refused.
Vec3 ReadBoy(const MorvoWorld& world, const TiXmlElement* boy, const char* path)
{
    const double x = ReadDouble(boy, "x");
    const double y = ReadDouble(boy, "y");
    const double z = ReadDouble(boy, "z");
    if (!BoyInsideWorld(world, x, y, z)) {
        DebugLog("(MorvoFiles) Warning: Boy x=\"%s\" y=\"%s\" z=\"%s\" in %s is out of range; the default start "
                 "is used.\n",
                 ReadText(boy, "x").c_str(), ReadText(boy, "y").c_str(), ReadText(boy, "z").c_str(), path);
        return kDefaultBoyStart;
    }
    return Vec3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// The speed is stored as a whole number: one that cannot be is refused.
float ReadSpeed(const TiXmlElement* speed, const char* path)
{
    const float value = ReadFloat(speed, "s");
    int32_t whole = 0;
    if (!ToInt32(value, &whole)) {
        DebugLog("(MorvoFiles) Warning: Speed s=\"%s\" in %s is out of range; 0 is used.\n",
                 ReadText(speed, "s").c_str(), path);
        return 0.0f;
    }
    return value;
}

void InstallEmitter(ParticleSystem& system, const TiXmlElement* emitter)
{
    const std::string type = ReadText(emitter, "type");
    if (type == "PLANE_EMITTER") {
        const TiXmlElement* plane = Child(emitter, "Plane");
        const TiXmlElement* bounds = Child(emitter, "Bounds");
        system.SetPlaneEmitter(
            ReadFloat(plane, "a"), ReadFloat(plane, "b"), ReadFloat(plane, "c"), ReadFloat(plane, "d"),
            static_cast<float>(ReadInt(bounds, "top")), static_cast<float>(ReadInt(bounds, "bottom")),
            static_cast<float>(ReadInt(bounds, "left")), static_cast<float>(ReadInt(bounds, "right")));
    } else {
        system.SetSphericalEmitter();
    }
}

void ReadParticleSystems(MorvoWorld& world, const char* path, const TiXmlElement* systems)
{
    for (const TiXmlElement* element = systems->FirstChildElement("ParticleSystem"); element != nullptr;
         element = element->NextSiblingElement("ParticleSystem")) {
        const std::string triggerId = ReadText(Child(element, "Trigger"), "id");
        const TiXmlElement* force = Child(element, "Force");
        const TiXmlElement* color = Child(element, "Color");
        const bool interpolated = ReadText(color, "interpolated") == kTrue;
        const TiXmlElement* interpTo = Child(element, "InterpToColor");
        const TiXmlElement* size = Child(element, "BillboardSize");

        auto* system = new ParticleSystem(ReadInt(element, "count"), ReadFloat(Child(element, "Damping"), "d"),
                                          ReadInt(Child(element, "Lifetime"), "l"), ReadFloat(size, "minSize"),
                                          ReadFloat(size, "maxSize"), ReadFloat(element, "x"), ReadFloat(element, "y"),
                                          ReadFloat(element, "z"), ReadFloat(force, "fx"), ReadFloat(force, "fy"),
                                          ReadFloat(force, "fz"), ReadFloat(color, "r"), ReadFloat(color, "g"),
                                          ReadFloat(color, "b"), ReadFloat(color, "a"));
        InstallEmitter(*system, Child(element, "Emitter"));

        const TiXmlElement* textures = Child(element, "TextureList");
        TextureManager* textureManager = GfxTextureManager();
        for (const TiXmlElement* texture = Child(textures, "Texture"); texture != nullptr;
             texture = texture->NextSiblingElement("Texture")) {
            const std::string texturePath = ReadText(texture, "path");
            system->AddTexture(textureManager != nullptr ? textureManager->Load(texturePath.c_str()) : nullptr,
                               texturePath);
        }
        system->SetSpeed(ReadSpeed(Child(element, "Speed"), path));
        system->SetInterpolated(interpolated);
        if (interpolated) {
            system->SetInterpToColor(ReadFloat(interpTo, "r"), ReadFloat(interpTo, "g"), ReadFloat(interpTo, "b"),
                                     ReadFloat(interpTo, "a"));
        }
        if (system->CheckUsable()) {
            system->EmitAll();
        } else {
            // Kept so that saving the level writes it back as it was read.
            DebugLog("(MorvoFiles) Warning: a particle system of %s cannot emit; it is kept inert.\n", path);
        }
        Trigger* trigger = world.GetTriggers().FindByName(triggerId);
        if (trigger != nullptr) {
            system->SetTrigger(trigger);
        }
        world.GetParticleSystems().push_back(system);
    }
}

bool IsIslandElement(const char* name)
{
    for (const IslandElement& entry : kIslandElements) {
        if (std::strcmp(name, entry.element) == 0) {
            return true;
        }
    }
    return false;
}

void ReadDirtiness(MorvoWorld& world, const char* path, const TiXmlElement* dirtiness)
{
    for (const TiXmlElement* element = dirtiness->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        if (!IsIslandElement(element->Value())) {
            DebugLog("(MorvoFiles) Warning: \"Dirtiness\" of %s names an unknown island \"%s\".\n", path,
                     element->Value());
        }
    }
    for (const IslandElement& entry : kIslandElements) {
        const TiXmlElement* element = dirtiness->FirstChildElement(entry.element);
        if (element == nullptr) {
            DebugLog("(MorvoFiles) Warning: \"Dirtiness\" of %s has no \"%s\" element.\n", path, entry.element);
            continue;
        }
        IslandModel* island = world.GetIsland(entry.island);
        if (island == nullptr) {
            continue;
        }
        island->SetDirty(ReadInt(element, "IsDirty") != 0);
        const std::string triggerId = ReadText(element, "trigger");
        island->SetTrigger(triggerId == kNoTriggerId ? nullptr : world.GetTriggers().FindByName(triggerId));
    }
}

// ---- writing ----

void WriteTrigger(TiXmlElement* parent, const Trigger& trigger, const std::vector<GridSet>& sets)
{
    TiXmlElement* element = AddChild(parent, "Trigger");
    element->SetAttribute("id", trigger.id.c_str());
    const char* condition = TriggerConditionKeyword(trigger.condition);
    element->SetAttribute("type", condition != nullptr ? condition : "");
    if (trigger.gridSet == -1) {
        element->SetAttribute("set", "");
    } else if (trigger.gridSet >= 0 && static_cast<size_t>(trigger.gridSet) < sets.size()) {
        element->SetAttribute("set", sets[static_cast<size_t>(trigger.gridSet)].GetName().c_str());
    } else if (!trigger.gridSetName.empty()) {
        element->SetAttribute("set", trigger.gridSetName.c_str());
    }
    if (trigger.animation != -1) {
        const char* effect = trigger.animationName.empty() ? nullptr : trigger.animationName.c_str();
        for (const auto& [name, index] : AnimationDatabase::GetInstance()->GetNames()) {
            if (static_cast<int32_t>(index) == trigger.animation) {
                effect = name.c_str();
                break;
            }
        }
        if (effect != nullptr) {
            element->SetAttribute("effect", effect);
        }
    } else {
        const char* keyword = kNoAnimationKeyword;
        for (const EffectKeyword& entry : kEffectKeywords) {
            if (entry.effect == trigger.effect) {
                keyword = entry.written;
            }
        }
        element->SetAttribute("effect", keyword);
    }
    WriteBool(element, "visible", trigger.visible);
    element->SetAttribute("hitpoints", trigger.hitPoints);
}

void WriteParticleSystem(TiXmlElement* parent, const ParticleSystem& system)
{
    TiXmlElement* element = AddChild(parent, "ParticleSystem");
    element->SetAttribute("count", system.GetGivenCount());
    WriteDouble(element, "x", system.GetPosition().x);
    WriteDouble(element, "y", system.GetPosition().y);
    WriteDouble(element, "z", system.GetPosition().z);

    const Trigger* trigger = system.GetTrigger();
    AddChild(element, "Trigger")->SetAttribute("id", trigger != nullptr ? trigger->id.c_str() : kParticleTriggerHint);

    TiXmlElement* force = AddChild(element, "Force");
    WriteDouble(force, "fx", system.GetGivenForce().x);
    WriteDouble(force, "fy", system.GetGivenForce().y);
    WriteDouble(force, "fz", system.GetGivenForce().z);

    TiXmlElement* color = AddChild(element, "Color");
    WriteDouble(color, "r", system.GetColor().x);
    WriteDouble(color, "g", system.GetColor().y);
    WriteDouble(color, "b", system.GetColor().z);
    WriteDouble(color, "a", system.GetAlpha());
    WriteBool(color, "interpolated", system.IsInterpolated());
    if (system.IsInterpolated()) {
        TiXmlElement* interpTo = AddChild(element, "InterpToColor");
        WriteDouble(interpTo, "r", system.GetInterpToColor().x);
        WriteDouble(interpTo, "g", system.GetInterpToColor().y);
        WriteDouble(interpTo, "b", system.GetInterpToColor().z);
        WriteDouble(interpTo, "a", system.GetInterpToAlpha());
    }

    TiXmlElement* size = AddChild(element, "BillboardSize");
    WriteDouble(size, "minSize", system.GetMinSize());
    WriteDouble(size, "maxSize", system.GetMaxSize());
    WriteDouble(AddChild(element, "Damping"), "d", system.GetDamping());
    AddChild(element, "Lifetime")->SetAttribute("l", system.GetLifetime());
    // The speed is stored as a whole number.
    AddChild(element, "Speed")->SetAttribute("s", ToInt32Clamped(system.GetSpeed()));
    if (system.GetEmitter() != nullptr) {
        system.GetEmitter()->Save(element);
    }
    TiXmlElement* textures = AddChild(element, "TextureList");
    for (const std::string& name : system.GetTextureNames()) {
        AddChild(textures, "Texture")->SetAttribute("path", name.c_str());
    }
}

void BuildDocument(MorvoWorld& world, TiXmlDocument& document)
{
    TiXmlElement* root = AddChild(&document, kRoot);

    TiXmlElement* boyElement = AddChild(root, "Boy");
    const Boy* boy = world.GetBoy();
    const Vec3 boyPosition = boy != nullptr ? boy->position : Vec3();
    WriteDouble(boyElement, "x", boyPosition.x);
    WriteDouble(boyElement, "y", boyPosition.y);
    WriteDouble(boyElement, "z", boyPosition.z);

    if (world.GetWinWhenPurePowerThreshold()) {
        WriteDouble(AddChild(root, "WinWhenPurePowerThreshold"), "power", world.GetPowerThreshold());
    }
    if (world.GetWinWhenAllPure()) {
        AddChild(root, "WinWhenAllPure");
    }
    if (world.GetWinWhenNoDarkMorvos()) {
        AddChild(root, "WinWhenNoDarkMorvos");
    }
    if (world.GetLoseWhenNoPureMorvos()) {
        AddChild(root, "LoseWhenNoPureMorvos");
    }

    TiXmlElement* layer = AddChild(root, "MorvoLayer");
    layer->SetAttribute("layer", 0);
    TiXmlElement* morvos = AddChild(layer, "Morvos");
    if (world.GetStore() != nullptr) {
        const MorvoState& state = *world.GetStore()->GetCurrentState();
        for (int32_t i = 0; i < state.GetSize(); ++i) {
            const MorvoRecord& record = state.Get(i);
            if (record.active == 0) {
                continue;
            }
            TiXmlElement* morvo = AddChild(morvos, "morvo");
            WriteDouble(morvo, "x", record.position.x);
            WriteDouble(morvo, "y", record.position.y);
            morvo->SetAttribute("color", record.color);
            WriteDouble(morvo, "power", record.power);
        }
    }

    const std::vector<GridSet> sets = GridSetDatabase::GetInstance()->GetGridSets();
    if (!sets.empty()) {
        std::vector<const GridSet*> byName;
        for (const GridSet& set : sets) {
            byName.push_back(&set);
        }
        std::stable_sort(byName.begin(), byName.end(),
                         [](const GridSet* a, const GridSet* b) { return a->GetName() < b->GetName(); });
        TiXmlElement* grid = AddChild(root, "Grid");
        for (const GridSet* set : byName) {
            TiXmlElement* setElement = AddChild(grid, "GridSet");
            setElement->SetAttribute("name", set->GetName().c_str());
            for (const Vec2& cell : set->GetCells()) {
                TiXmlElement* cellElement = AddChild(setElement, "GridCell");
                cellElement->SetAttribute("x", ToInt32Clamped(cell.x));
                cellElement->SetAttribute("y", ToInt32Clamped(cell.y));
            }
        }
    }

    // Every animation the level named, also those that did not load.
    std::vector<AnimationDatabase::Declared> declared = AnimationDatabase::GetInstance()->GetDeclared();
    if (!declared.empty()) {
        std::stable_sort(declared.begin(), declared.end(),
                         [](const auto& a, const auto& b) { return a.name < b.name; });
        TiXmlElement* embedded = AddChild(root, "EmbeddedAnimations");
        for (const AnimationDatabase::Declared& animation : declared) {
            TiXmlElement* element = AddChild(embedded, "Animation");
            element->SetAttribute("path", animation.path.c_str());
            element->SetAttribute("name", animation.name.c_str());
        }
    }

    if (world.GetTriggers().GetCount() > 0) {
        TiXmlElement* triggers = AddChild(root, "TriggerSet");
        for (const Trigger& trigger : world.GetTriggers().GetTriggers()) {
            WriteTrigger(triggers, trigger, sets);
        }
    }

    if (!world.GetParticleSystems().empty()) {
        TiXmlElement* systems = AddChild(root, "ParticleSystems");
        for (const ParticleSystem* system : world.GetParticleSystems()) {
            WriteParticleSystem(systems, *system);
        }
    }

    TiXmlElement* dirtiness = AddChild(root, "Dirtiness");
    for (const IslandElement& entry : kIslandElements) {
        TiXmlElement* element = AddChild(dirtiness, entry.element);
        const IslandModel* island = world.GetIsland(entry.island);
        element->SetAttribute("IsDirty", island != nullptr && island->IsDirty() ? 1 : 0);
        const Trigger* trigger = island != nullptr ? island->GetTrigger() : nullptr;
        element->SetAttribute("trigger", trigger != nullptr ? trigger->id.c_str() : kNoTriggerId);
    }
}

}  // namespace

namespace MorvoFiles {

void ForgetLevelPointers()
{
    MorvoWorld& world = GetMorvoWorld();
    for (int i = 0; i < kWorldIslandCount; ++i) {
        if (IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i))) {
            island->SetTrigger(nullptr);
        }
    }
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetTargetSet(nullptr);
    painter.SetSetIndex(-1);
}

void ClearLevel()
{
    MorvoWorld& world = GetMorvoWorld();
    if (!world.IsInitialised()) {
        return;
    }
    ClearLevelState(world);
    world.ClearMorvos();
    UniformGrid* grid = world.GetGrid();
    if (grid != nullptr) {
        grid->Rebuild(world.GetStore(), grid->GetRadius());
    }
}

bool LoadLevel(const std::string& path)
{
    DebugLog("Reading morvo level file \"%s\"...\n", path.c_str());
    // Everything is checked before the level in the world is touched.
    TiXmlDocument document;
    std::string why;
    if (!LoadXmlFile(path, document, &why)) {
        DebugLog("(MorvoFiles) Warning: could not read %s: %s.\n", path.c_str(), why.c_str());
        return false;
    }
    const TiXmlElement* root = document.FirstChildElement(kRoot);
    if (root == nullptr) {
        DebugLog("(MorvoFiles) Warning: failed to find \"MorvoLevel\" root node in file %s.\n", path.c_str());
        return false;
    }
    const TiXmlElement* boy = root->FirstChildElement("Boy");
    const TiXmlElement* morvos = Child(root->FirstChildElement("MorvoLayer"), "Morvos");
    if (boy == nullptr || morvos == nullptr) {
        DebugLog("(MorvoFiles) Warning: file %s has no \"%s\" element.\n", path.c_str(),
                 boy == nullptr ? "Boy" : "Morvos");
        return false;
    }
    MorvoWorld& world = GetMorvoWorld();
    if (!world.IsInitialised()) {
        DebugLog("(MorvoFiles) Warning: the world is not initialised; %s not read.\n", path.c_str());
        return false;
    }

    ClearLevelState(world);
    world.ClearMorvos();

    const Vec3 boyPosition = ReadBoy(world, boy, path.c_str());
    world.GetBoy()->position = boyPosition;
    world.SetBoyStart(boyPosition);

    const TiXmlElement* threshold = root->FirstChildElement("WinWhenPurePowerThreshold");
    if (threshold != nullptr) {
        world.SetPurePowerThreshold(ReadFloat(threshold, "power"));
    }
    if (root->FirstChildElement("WinWhenAllPure") != nullptr) {
        world.SetWinWhenAllPure(true);
    }
    if (root->FirstChildElement("WinWhenNoDarkMorvos") != nullptr) {
        world.SetWinWhenNoDarkMorvos(true);
    }
    if (root->FirstChildElement("LoseWhenNoPureMorvos") != nullptr) {
        world.SetLoseWhenNoPureMorvos(true);
    }

    ReadMorvos(world, path.c_str(), morvos);
    // Grid sets and animations before the triggers that name them, triggers
    // before the particle systems and islands that name them.
    if (const TiXmlElement* grid = root->FirstChildElement("Grid")) {
        ReadGridSets(grid);
    }
    if (const TiXmlElement* animations = root->FirstChildElement("EmbeddedAnimations")) {
        ReadAnimations(animations);
    }
    if (const TiXmlElement* triggers = root->FirstChildElement("TriggerSet")) {
        ReadTriggers(world, triggers);
    }
    if (const TiXmlElement* systems = root->FirstChildElement("ParticleSystems")) {
        ReadParticleSystems(world, path.c_str(), systems);
    }
    if (const TiXmlElement* dirtiness = root->FirstChildElement("Dirtiness")) {
        ReadDirtiness(world, path.c_str(), dirtiness);
    }
    return true;
}

bool SaveLevel(const std::string& path)
{
    DebugLog("Saving morvo level file \"%s\"...\n", path.c_str());
    TiXmlDocument document;
    BuildDocument(GetMorvoWorld(), document);

    std::string why;
    if (!SaveXmlFile(document, path, &why)) {
        DebugLog("(MorvoFiles) Warning: the level was not saved: %s.\n", why.c_str());
        return false;
    }
    return true;
}

}  // namespace MorvoFiles
