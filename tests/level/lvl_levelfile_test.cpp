// MorvoFiles: a level written and read back compares equal; hand-written
// files; failed reads leave the world alone; the reader's resets.
#include "levelfiletest.h"
#include "world_headless.h"

#include "animationdatabase.h"
#include "boy.h"
#include "gridset.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "morvofiles.h"
#include "morvostore.h"
#include "particlesystem.h"
#include "planeemitter.h"
#include "gfxmanagers.h"
#include "texture.h"
#include "texturemanager.h"
#include "tgafile.h"
#include "trigger.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct MorvoEntry {
    float x, y;
    int32_t color;
    float power;
    bool operator==(const MorvoEntry& o) const { return x == o.x && y == o.y && color == o.color && power == o.power; }
};

struct TriggerEntry {
    Trigger t;
    bool operator==(const TriggerEntry& o) const
    {
        return t.id == o.t.id && t.condition == o.t.condition && t.visible == o.t.visible && t.gridSet == o.t.gridSet &&
               t.animation == o.t.animation && t.hitPoints == o.t.hitPoints && t.remainingHits == o.t.remainingHits &&
               t.fired == o.t.fired && t.effect == o.t.effect;
    }
};

struct SystemEntry {
    int32_t count, lifetime, emitterType;
    bool emitting;
    float x, y, z, fx, fy, fz, r, g, b, a, ir, ig, ib, ia, minSize, maxSize, damping, speed;
    bool interpolated;
    std::string trigger;
    std::vector<std::string> textures;
    float pa = 0, pb = 0, pc = 0, pd = 0;
    int32_t top = 0, bottom = 0, left = 0, right = 0;
    bool operator==(const SystemEntry& o) const
    {
        return count == o.count && emitting == o.emitting && lifetime == o.lifetime && emitterType == o.emitterType &&
               x == o.x && y == o.y && z == o.z && fx == o.fx && fy == o.fy && fz == o.fz && r == o.r && g == o.g &&
               b == o.b && a == o.a && ir == o.ir && ig == o.ig && ib == o.ib && ia == o.ia && minSize == o.minSize &&
               maxSize == o.maxSize && damping == o.damping && speed == o.speed && interpolated == o.interpolated &&
               trigger == o.trigger && textures == o.textures && pa == o.pa && pb == o.pb && pc == o.pc && pd == o.pd &&
               top == o.top && bottom == o.bottom && left == o.left && right == o.right;
    }
};

// Everything a level file carries, taken from the world and the tables.
struct LevelSnapshot {
    Vec3 boy;
    Vec3 boyStart;
    bool allPure, noDark, noPure, threshold;
    float power;
    std::vector<MorvoEntry> morvos;
    std::vector<std::string> setNames;
    std::vector<std::vector<Vec2>> setCells;
    std::vector<std::string> animationNames;
    std::vector<std::string> animationPaths;
    std::vector<std::string> declaredAnimations;
    std::vector<TriggerEntry> triggers;
    std::vector<SystemEntry> systems;
    std::vector<bool> dirty;
    std::vector<std::string> islandTriggers;

    bool operator==(const LevelSnapshot& o) const
    {
        return boy == o.boy && boyStart == o.boyStart && allPure == o.allPure && noDark == o.noDark &&
               noPure == o.noPure && threshold == o.threshold && power == o.power && morvos == o.morvos &&
               setNames == o.setNames && setCells == o.setCells && animationNames == o.animationNames &&
               animationPaths == o.animationPaths && declaredAnimations == o.declaredAnimations &&
               triggers == o.triggers && systems == o.systems && dirty == o.dirty && islandTriggers == o.islandTriggers;
    }
};

LevelSnapshot Snapshot()
{
    MorvoWorld& world = GetMorvoWorld();
    LevelSnapshot s;
    s.boy = world.GetBoy()->position;
    s.boyStart = world.GetBoyStart();
    s.allPure = world.GetWinWhenAllPure();
    s.noDark = world.GetWinWhenNoDarkMorvos();
    s.noPure = world.GetLoseWhenNoPureMorvos();
    s.threshold = world.GetWinWhenPurePowerThreshold();
    s.power = world.GetPowerThreshold();
    const MorvoState& state = *world.GetStore()->GetCurrentState();
    for (int32_t i = 0; i < state.GetSize(); ++i) {
        const MorvoRecord& m = state.Get(i);
        if (m.active != 0) {
            s.morvos.push_back({m.position.x, m.position.y, m.color, m.power});
        }
    }
    for (const GridSet& set : GridSetDatabase::GetInstance()->GetGridSets()) {
        s.setNames.push_back(set.GetName());
        s.setCells.push_back(set.GetCells());
    }
    AnimationDatabase* animations = AnimationDatabase::GetInstance();
    for (const auto& [name, index] : animations->GetNames()) {
        s.animationNames.push_back(name + "=" + std::to_string(index));
        s.animationPaths.push_back(animations->Get(index)->GetPath());
    }
    for (const AnimationDatabase::Declared& declared : animations->GetDeclared()) {
        s.declaredAnimations.push_back(declared.name + "=" + declared.path);
    }
    std::sort(s.declaredAnimations.begin(), s.declaredAnimations.end());
    for (const Trigger& t : world.GetTriggers().GetTriggers()) {
        s.triggers.push_back({t});
    }
    for (const ParticleSystem* p : world.GetParticleSystems()) {
        SystemEntry e{};
        e.count = p->GetGivenCount();
        e.emitting = p->IsEmitting();
        e.lifetime = p->GetLifetime();
        e.emitterType = p->GetEmitter()->GetType();
        e.x = p->GetPosition().x;
        e.y = p->GetPosition().y;
        e.z = p->GetPosition().z;
        e.fx = p->GetGivenForce().x;
        e.fy = p->GetGivenForce().y;
        e.fz = p->GetGivenForce().z;
        e.r = p->GetColor().x;
        e.g = p->GetColor().y;
        e.b = p->GetColor().z;
        e.a = p->GetAlpha();
        e.interpolated = p->IsInterpolated();
        if (e.interpolated) {
            e.ir = p->GetInterpToColor().x;
            e.ig = p->GetInterpToColor().y;
            e.ib = p->GetInterpToColor().z;
            e.ia = p->GetInterpToAlpha();
        }
        e.minSize = p->GetMinSize();
        e.maxSize = p->GetMaxSize();
        e.damping = p->GetDamping();
        e.speed = p->GetSpeed();
        e.trigger = p->GetTrigger() != nullptr ? p->GetTrigger()->id : "";
        e.textures = p->GetTextureNames();
        if (const auto* plane = dynamic_cast<const PlaneEmitter*>(p->GetEmitter())) {
            e.pa = plane->GetA();
            e.pb = plane->GetB();
            e.pc = plane->GetC();
            e.pd = plane->GetD();
            e.top = plane->GetTop();
            e.bottom = plane->GetBottom();
            e.left = plane->GetLeft();
            e.right = plane->GetRight();
        }
        s.systems.push_back(e);
    }
    for (int i = 0; i < kWorldIslandCount; ++i) {
        const IslandModel* island = world.GetIsland(static_cast<WorldIsland>(i));
        s.dirty.push_back(island->IsDirty());
        s.islandTriggers.push_back(island->GetTrigger() != nullptr ? island->GetTrigger()->id : "null");
    }
    return s;
}

const char* kParticleHint()
{
    return "if new particle system, insert trigger name here, else delete this line.";
}

const char* const kAnimation = "Object: dot\nKeyframe: 0\nPos: 0, 0\nEnd\nKeyframe: 2\nPos: 100, 100\nEnd\nEnd\n";

class LevelFileTest : public LevelFileFixture {
protected:
    // A level using every element of the format.
    void BuildFullLevel()
    {
        MorvoWorld& world = World();
        world.GetBoy()->position = Vec3(10.5f, 160.0f, -20.25f);
        world.SetBoyStart(world.GetBoy()->position);
        world.SetWinWhenAllPure(true);
        world.SetLoseWhenNoPureMorvos(true);
        world.SetPurePowerThreshold(12.5f);
        world.AddMorvo(0.125f, 0.25f, kMorvoPure, 2.5f);
        const int32_t gone = world.AddMorvo(0.5f, 0.5f, kMorvoPure, 1.0f);
        world.AddMorvo(-0.375f, 0.5f, kMorvoDark, 1.25f);
        world.AddMorvo(1.0f, -1.0f, kMorvoNeutral, 3.0f);
        world.RemoveMorvo(gone);

        GridSet alpha;
        alpha.SetName("alpha");
        alpha.AddCell(Vec2(2.0f, 3.0f));
        alpha.AddCell(Vec2(4.0f, 5.0f));
        alpha.AddCell(Vec2(4.0f, 5.0f));
        GridSet beta;
        beta.SetName("beta");
        beta.AddCell(Vec2(7.0f, 8.0f));
        GridSetDatabase::GetInstance()->Add(alpha);
        GridSetDatabase::GetInstance()->Add(beta);

        folder_.Write("intro.txt", kAnimation);
        ASSERT_EQ(AnimationDatabase::GetInstance()->Load(folder_.File("intro.txt"), "intro"), 0u);

        TriggerSet& triggers = world.GetTriggers();
        triggers.Add(MakeTrigger("anim", NO_CONDITION, -1, EFFECT_PLAY_ANIM, 0, true, 2));
        triggers.Add(MakeTrigger("win", BOY_ENTERS, 0, EFFECT_WIN, -1, false, 0));
        triggers.Add(MakeTrigger("lose", RAIN_WITHIN, 1, EFFECT_LOSE, -1, false, 1));
        triggers.Add(MakeTrigger("off", FILLED_WHITE, 0, EFFECT_PSYS_OFF, -1, true, 3));
        triggers.Add(MakeTrigger("on", FILLED_BLACK, 1, EFFECT_PSYS_ON, -1, false, 4));
        triggers.Add(MakeTrigger("clean", START_UP, 0, EFFECT_CLEAN, -1, false, 5));
        // As the editor's new-trigger key makes them: no effect yet.
        triggers.Add(MakeTrigger("newTrig_7", NO_CONDITION, 1, 0, -1, false, 0));

        const std::string texture = folder_.File("spark.tga");
        unsigned char pixels[2 * 2 * 4] = {255, 255, 255, 255, 0, 0, 0, 255, 255, 0, 0, 255, 0, 255, 0, 255};
        ASSERT_TRUE(TgaFile().Write(pixels, 2, 2, texture.c_str(), false));

        auto* plane = new ParticleSystem(20, 0.95f, 30, 4.0f, 8.0f, 0.5f, -0.25f, 0.125f, 0.0f, -10.0f, 0.0f, 1.0f,
                                         0.5f, 0.25f, 0.75f);
        plane->SetPlaneEmitter(0.0f, 0.0f, 2.0f, 2469.1358f, 10.0f, 0.0f, -5.0f, 5.0f);
        plane->AddTexture(GfxTextureManager()->Load(texture.c_str()));
        plane->SetSpeed(2.0f);
        plane->SetInterpolated(true);
        plane->SetInterpToColor(0.0f, 0.5f, 1.0f, 0.0f);
        plane->SetTrigger(triggers.FindByName("off"));
        world.GetParticleSystems().push_back(plane);

        auto* sphere =
            new ParticleSystem(5, 1.0f, 10, 2.0f, 2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        sphere->AddTexture(GfxTextureManager()->Load(texture.c_str()));
        world.GetParticleSystems().push_back(sphere);

        world.GetIsland(kIslandVolcano)->SetDirty(true);
        world.GetIsland(kIslandVolcano)->SetTrigger(triggers.FindByName("clean"));
        world.GetIsland(kIsland3medium)->SetDirty(true);
    }

    bool Load(const std::string& name) { return MorvoFiles::LoadLevel(folder_.File(name)); }
    bool LoadEveryElementLevel();

    TempFolder folder_;
};

TEST_F(LevelFileTest, SavedLevelReadsBackEqual)
{
    BuildFullLevel();
    const LevelSnapshot before = Snapshot();
    ASSERT_EQ(before.morvos.size(), 3u);
    ASSERT_EQ(before.systems.size(), 2u);
    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("level.xml")));

    // Read it into a world that holds something else.
    World().ClearMorvos();
    World().AddMorvo(3.0f, 3.0f, kMorvoDark, 9.0f);
    BreakCounter breaks;
    ASSERT_TRUE(Load("level.xml"));
    EXPECT_EQ(breaks.Count(), 0);
    const LevelSnapshot after = Snapshot();
    EXPECT_TRUE(after == before);
    EXPECT_EQ(after.triggers, before.triggers);
    EXPECT_EQ(after.morvos, before.morvos);
    EXPECT_EQ(after.triggers.size(), before.triggers.size());
    EXPECT_EQ(after.systems.size(), before.systems.size());
    EXPECT_EQ(after.islandTriggers, before.islandTriggers);
    EXPECT_EQ(after.dirty, before.dirty);
    EXPECT_EQ(after.setCells, before.setCells);
    EXPECT_EQ(World().GetTriggers().FindByName("anim")->gridSet, -1) << "an empty set reads back as none";
    EXPECT_EQ(World().GetTriggers().FindByName("win")->effect, EFFECT_WIN);
    EXPECT_EQ(World().GetTriggers().FindByName("lose")->animation, -1);
}

// Every element and attribute the reader takes, with systems it holds
// inert (a texture that is missing, lifetime 0, a flat rectangle), an
// animation that does not load, a trigger naming it and editor triggers
// without an effect.
std::string EveryElementLevel(const TempFolder& folder)
{
    return R"(<MorvoLevel>
  <Boy x="10.5" y="160" z="-20.25"/>
  <WinWhenPurePowerThreshold power="12.5"/>
  <WinWhenAllPure/><WinWhenNoDarkMorvos/><LoseWhenNoPureMorvos/>
  <MorvoLayer layer="0"><Morvos>
    <morvo x="0.125" y="0.25" color="1" power="2.5"/>
    <morvo x="-0.375" y="0.5" color="-1" power="1.25"/>
    <morvo x="1" y="-1" color="0" power="3"/>
  </Morvos></MorvoLayer>
  <Grid>
    <GridSet name="alpha"><GridCell x="2" y="3"/><GridCell x="4" y="5"/><GridCell x="4" y="5"/></GridSet>
    <GridSet name="beta"><GridCell x="7" y="8"/></GridSet>
  </Grid>
  <EmbeddedAnimations>
    <Animation path=")" +
           folder.File("intro.txt") + R"(" name="intro"/>
    <Animation path=")" +
           folder.File("gone.txt") + R"(" name="gone"/>
  </EmbeddedAnimations>
  <TriggerSet>
    <Trigger id="anim" type="NO_CONDITION" set="alpha" effect="intro" visible="true" hitpoints="2"/>
    <Trigger id="lost" type="BOY_ENTERS" set="beta" effect="gone" visible="false" hitpoints="1"/>
    <Trigger id="win" type="BOY_ENTERS" set="alpha" effect="WIN" visible="false" hitpoints="0"/>
    <Trigger id="lose" type="RAIN_WITHIN" set="beta" effect="LOSE" visible="false" hitpoints="1"/>
    <Trigger id="off" type="FILLED_WHITE" set="alpha" effect="PSYS_OFF" visible="true" hitpoints="3"/>
    <Trigger id="on" type="FILLED_BLACK" set="beta" effect="PSYS_ON" visible="false" hitpoints="4"/>
    <Trigger id="clean" type="START_UP" set="alpha" effect="CLEAN" visible="false" hitpoints="5"/>
    <Trigger id="newTrig_7" type="NO_CONDITION" set="beta" effect="ANIM_FILE_HERE" visible="false" hitpoints="0"/>
    <Trigger id="newTrig_8" type="NO_CONDITION" set="" effect="ANIM_FILE_HERE" visible="false" hitpoints="0"/>
    <Trigger id="astray" type="BOY_ENTERS" set="nowhere" effect="WIN" visible="false" hitpoints="1"/>
  </TriggerSet>
  <ParticleSystems>
    <ParticleSystem count="20" x="0.5" y="-0.25" z="0.125">
      <Trigger id="off"/>
      <Force fx="0" fy="-10" fz="0"/>
      <Color r="1" g="0.5" b="0.25" a="0.75" interpolated="true"/>
      <InterpToColor r="0" g="0.5" b="1" a="0"/>
      <BillboardSize minSize="4" maxSize="8"/>
      <Damping d="0.95"/><Lifetime l="30"/><Speed s="2"/>
      <Emitter type="PLANE_EMITTER"><Plane a="0" b="0" c="2" d="2469.1358"/>
        <Bounds top="10" bottom="0" left="-5" right="5"/></Emitter>
      <TextureList><Texture path=")" +
           folder.File("spark.tga") + R"("/><Texture path=")" + folder.File("mist.tga") + R"("/><Texture path=")" +
           folder.File("lost.tga") + R"("/></TextureList>
    </ParticleSystem>
    <ParticleSystem count="5" x="0" y="0" z="0">
      <Force fx="0" fy="0" fz="1"/>
      <Color r="1" g="1" b="1" a="1" interpolated="false"/>
      <BillboardSize minSize="2" maxSize="2"/>
      <Damping d="1"/><Lifetime l="10"/><Speed s="1"/>
      <Emitter type="SPHERICAL_EMITTER"/>
      <TextureList><Texture path=")" +
           folder.File("spark.tga") + R"("/></TextureList>
    </ParticleSystem>
    <ParticleSystem count="7" x="1" y="2" z="3">
      <Trigger id="on"/>
      <Force fx="0" fy="0" fz="2"/>
      <Color r="0.5" g="0.5" b="0.5" a="0.5" interpolated="false"/>
      <BillboardSize minSize="3" maxSize="6"/>
      <Damping d="0.5"/><Lifetime l="40"/><Speed s="3"/>
      <Emitter type="SPHERICAL_EMITTER"/>
      <TextureList><Texture path=")" +
           folder.File("missing.tga") + R"("/></TextureList>
    </ParticleSystem>
    <ParticleSystem count="8" x="0" y="0" z="0">
      <Force fx="0" fy="0" fz="0"/>
      <Color r="1" g="1" b="1" a="1" interpolated="false"/>
      <BillboardSize minSize="1" maxSize="1"/>
      <Damping d="1"/><Lifetime l="0"/><Speed s="1"/>
      <Emitter type="SPHERICAL_EMITTER"/>
      <TextureList><Texture path=")" +
           folder.File("spark.tga") + R"("/></TextureList>
    </ParticleSystem>
    <ParticleSystem count="9" x="0" y="0" z="0">
      <Force fx="0" fy="0" fz="0"/>
      <Color r="1" g="1" b="1" a="1" interpolated="false"/>
      <BillboardSize minSize="1" maxSize="1"/>
      <Damping d="1"/><Lifetime l="10"/><Speed s="1"/>
      <Emitter type="PLANE_EMITTER"><Plane a="0" b="0" c="1" d="0"/>
        <Bounds top="50" bottom="50" left="-100" right="100"/></Emitter>
      <TextureList><Texture path=")" +
           folder.File("spark.tga") + R"("/></TextureList>
    </ParticleSystem>
  </ParticleSystems>
  <Dirtiness>
    <IslandVolcano IsDirty="1" trigger="clean"/>
    <Island3Big IsDirty="1" trigger="null"/>
    <Island3Medium IsDirty="0" trigger="lose"/>
    <Island3Small IsDirty="0" trigger="null"/>
  </Dirtiness>
</MorvoLevel>
)";
}

bool LevelFileTest::LoadEveryElementLevel()
{
    folder_.Write("intro.txt", kAnimation);
    folder_.Write("spark.tga", SolidTga(255, 255, 255, 2, 2));
    folder_.Write("mist.tga", SolidTga(128, 128, 255, 2, 2));
    folder_.Write("level.xml", EveryElementLevel(folder_));
    return Load("level.xml");
}

TEST_F(LevelFileTest, LoadSaveLoadKeepsEveryElementAndAttribute)
{
    ASSERT_TRUE(LoadEveryElementLevel());
    const LevelSnapshot read = Snapshot();
    ASSERT_EQ(read.systems.size(), 5u) << "systems that cannot emit are kept";
    EXPECT_EQ(read.systems[0].textures.size(), 3u);
    EXPECT_TRUE(read.systems[0].emitting) << "it emits with the textures that loaded";
    EXPECT_EQ(read.systems[2].textures, std::vector<std::string>{folder_.File("missing.tga")});
    EXPECT_EQ(read.systems[2].trigger, "on");
    for (size_t i = 2; i < 5; ++i) {
        EXPECT_FALSE(read.systems[i].emitting) << "system " << i << " is held inert";
    }
    EXPECT_FLOAT_EQ(read.systems[0].pd, 1234.5679f);
    ASSERT_EQ(read.declaredAnimations.size(), 2u) << "the animation that did not load is kept";
    const Trigger* lost = World().GetTriggers().FindByName("lost");
    EXPECT_EQ(lost->effect, EFFECT_PLAY_ANIM);
    EXPECT_EQ(lost->animation, 9999);
    EXPECT_EQ(World().GetTriggers().FindByName("astray")->gridSet, 9999);
    for (const char* id : {"newTrig_7", "newTrig_8"}) {
        EXPECT_EQ(World().GetTriggers().FindByName(id)->effect, 0) << id;
        EXPECT_EQ(World().GetTriggers().FindByName(id)->animation, -1) << id;
    }

    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("saved.xml")));
    LogCapture log;
    ASSERT_TRUE(Load("saved.xml"));
    EXPECT_FALSE(log.Contains("ANIM_FILE_HERE")) << log.All();
    const LevelSnapshot again = Snapshot();
    EXPECT_EQ(again.morvos, read.morvos);
    EXPECT_EQ(again.setCells, read.setCells);
    EXPECT_EQ(again.declaredAnimations, read.declaredAnimations);
    EXPECT_EQ(again.triggers, read.triggers);
    EXPECT_EQ(again.systems, read.systems);
    EXPECT_EQ(again.dirty, read.dirty);
    EXPECT_EQ(again.islandTriggers, read.islandTriggers);
    EXPECT_TRUE(again == read);

    // Saving what was read back writes the same file again.
    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("again.xml")));
    EXPECT_EQ(ReadFileText(folder_.File("again.xml")), ReadFileText(folder_.File("saved.xml")));
}

TEST_F(LevelFileTest, InertSystemsNeitherEmitNorFade)
{
    ASSERT_TRUE(LoadEveryElementLevel());
    Trigger* on = World().GetTriggers().FindByName("on");
    on->effect = EFFECT_PSYS_OFF;
    on->remainingHits = 1;
    std::vector<ParticleSystem*> systems(World().GetParticleSystems().begin(), World().GetParticleSystems().end());
    ASSERT_EQ(systems.size(), 5u);
    for (int step = 0; step < 5; ++step) {
        for (ParticleSystem* system : systems) {
            system->Update(0.0f, 0.01f);
        }
    }
    for (size_t i = 2; i < systems.size(); ++i) {
        for (int32_t k = 0; k < systems[i]->GetCount(); ++k) {
            EXPECT_EQ(systems[i]->GetParticles()->Get(k).active, 0) << "system " << i;
        }
    }
    EXPECT_FLOAT_EQ(systems[2]->GetAlpha(), 0.5f) << "held as read";
}

TEST_F(LevelFileTest, DirtinessNamesMissingAndUnknownIslands)
{
    folder_.Write("islands.xml", "<MorvoLevel><Boy x=\"0\" y=\"0\" z=\"0\"/><MorvoLayer><Morvos/></MorvoLayer>"
                                 "<Dirtiness><IslandVolcano IsDirty=\"1\" trigger=\"null\"/>"
                                 "<Island3big IsDirty=\"1\" trigger=\"null\"/>"
                                 "<Island3Medium IsDirty=\"1\" trigger=\"null\"/>"
                                 "<Island3Small IsDirty=\"0\" trigger=\"null\"/></Dirtiness></MorvoLevel>");
    LogCapture log;
    ASSERT_TRUE(Load("islands.xml"));
    EXPECT_TRUE(log.Contains("Island3big")) << log.All();
    EXPECT_TRUE(log.Contains("Island3Big")) << log.All();
    EXPECT_EQ(Snapshot().dirty, (std::vector<bool>{true, false, true, false}));
}

TEST_F(LevelFileTest, MorvosBeyondTheStoreAreNamedInTheLog)
{
    World().GetStore()->SetCapacity(3);
    std::string level = "<MorvoLevel><Boy x=\"0\" y=\"0\" z=\"0\"/><MorvoLayer><Morvos>";
    for (int i = 0; i < 5; ++i) {
        level += "<morvo x=\"0." + std::to_string(i) + "\" y=\"0\" color=\"1\" power=\"1\"/>";
    }
    folder_.Write("crowded.xml", level + "</Morvos></MorvoLayer></MorvoLevel>");
    LogCapture log;
    ASSERT_TRUE(Load("crowded.xml"));
    EXPECT_EQ(World().GetStore()->GetCount(), 3);
    EXPECT_TRUE(log.Contains("2 of its 5 morvos")) << log.All();
}

TEST_F(LevelFileTest, WriterKeepsTheStoredFormat)
{
    BuildFullLevel();
    World().GetParticleSystems().front()->SetSpeed(2.75f);
    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("level.xml")));
    const std::string text = ReadFileText(folder_.File("level.xml"));
    EXPECT_NE(text.find("effect=\"TRIG_WIN\""), std::string::npos);
    EXPECT_NE(text.find("effect=\"TRIG_LOSE\""), std::string::npos);
    EXPECT_NE(text.find("set=\"\""), std::string::npos);
    EXPECT_NE(text.find("<Speed s=\"2\""), std::string::npos) << "the speed is written whole";
    EXPECT_NE(text.find("power=\"12.500000\""), std::string::npos);
    EXPECT_NE(text.find("<Plane a="), std::string::npos);
    EXPECT_NE(text.find("trigger=\"null\""), std::string::npos);
    EXPECT_NE(text.find(kParticleHint()), std::string::npos);
    EXPECT_EQ(text.find("WinWhenNoDarkMorvos"), std::string::npos);
    EXPECT_EQ(text.find("power=\"1.000000\""), std::string::npos) << "the removed morvo is not written";
    ASSERT_TRUE(Load("level.xml"));
    EXPECT_FLOAT_EQ(World().GetParticleSystems().front()->GetSpeed(), 2.0f);
}

TEST_F(LevelFileTest, MinimalFileLoadsAnEmptyCleanLevel)
{
    BuildFullLevel();
    World().SetWinWhenNoDarkMorvos(true);
    CellPaintTool& painter = GetToolSet().GetCellPaintTool();
    painter.SetTargetSet(GridSetDatabase::GetInstance()->Get(0));
    painter.SetSetIndex(0);
    folder_.Write("minimal.xml",
                  "<MorvoLevel>\r\n<Boy x=\"1\" y=\"2\" z=\"3\"/>\r\n<MorvoLayer layer=\"7\"><Morvos/></MorvoLayer>\r\n"
                  "</MorvoLevel>\r\n");
    ASSERT_TRUE(Load("minimal.xml"));
    const LevelSnapshot s = Snapshot();
    EXPECT_TRUE(s.morvos.empty());
    EXPECT_TRUE(s.triggers.empty());
    EXPECT_TRUE(s.systems.empty());
    EXPECT_TRUE(s.setNames.empty());
    EXPECT_TRUE(s.animationNames.empty());
    EXPECT_EQ(s.dirty, std::vector<bool>(4, false));
    EXPECT_EQ(s.islandTriggers, std::vector<std::string>(4, "null"));
    EXPECT_FALSE(s.allPure);
    EXPECT_FALSE(s.noDark);
    EXPECT_FALSE(s.noPure);
    EXPECT_FALSE(s.threshold) << "the threshold rule is off after every load";
    EXPECT_EQ(s.boy, Vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(s.boyStart, Vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(painter.GetTargetSet(), nullptr);
    EXPECT_EQ(painter.GetSetIndex(), -1);
}

TEST_F(LevelFileTest, LoadForgetsThePreviousLevelsRain)
{
    BuildFullLevel();
    World().GetRainHits().AddCell(7, 8);
    World().GetRainHits().AddCell(-3, 2);
    folder_.Write("minimal.xml",
                  "<MorvoLevel><Boy x=\"0\" y=\"0\" z=\"0\"/><MorvoLayer><Morvos/></MorvoLayer></MorvoLevel>");
    ASSERT_TRUE(Load("minimal.xml"));
    EXPECT_TRUE(World().GetRainHits().IsEmpty());
    EXPECT_FALSE(World().GetRainHits().Contains(Vec2(7.0f, 8.0f)));
}

TEST_F(LevelFileTest, TriggerAttributesReadAsTheyAreWritten)
{
    folder_.Write("anim.txt", kAnimation);
    folder_.Write(
        "triggers.xml",
        "<MorvoLevel><Boy x=\"0\" y=\"0\" z=\"0\"/><MorvoLayer><Morvos/></MorvoLayer>"
        "<Grid><GridSet name=\"s\"><GridCell x=\"2\" y=\"3\"/></GridSet></Grid>"
        "<EmbeddedAnimations><Animation path=\"" +
            folder_.File("anim.txt") +
            "\" name=\"a\"/></EmbeddedAnimations>"
            "<TriggerSet>"
            "<Trigger id=\"t1\" type=\"BOY_ENTERS\" set=\"s\" effect=\"WIN\" visible=\"True\" hitpoints=\"2\"/>"
            "<Trigger id=\"t2\" type=\"MYSTERY\" effect=\"a\" visible=\"true\" hitpoints=\"0\"/>"
            "<Trigger id=\"t3\" type=\"FILLED_WHITE\" set=\"nope\" effect=\"LOSE\" hitpoints=\"1\"/>"
            "</TriggerSet></MorvoLevel>");
    LogCapture log;
    ASSERT_TRUE(Load("triggers.xml"));
    const TriggerSet& triggers = World().GetTriggers();
    ASSERT_EQ(triggers.GetCount(), 3);
    const Trigger* t1 = triggers.FindByName("t1");
    EXPECT_EQ(t1->condition, BOY_ENTERS);
    EXPECT_EQ(t1->gridSet, 0);
    EXPECT_EQ(t1->effect, EFFECT_WIN);
    EXPECT_FALSE(t1->visible) << "only \"true\" counts";
    EXPECT_EQ(t1->remainingHits, 2);
    const Trigger* t2 = triggers.FindByName("t2");
    EXPECT_EQ(t2->condition, NO_CONDITION);
    EXPECT_EQ(t2->gridSet, -1);
    EXPECT_EQ(t2->effect, EFFECT_PLAY_ANIM);
    EXPECT_EQ(t2->animation, 0);
    EXPECT_TRUE(t2->visible);
    const Trigger* t3 = triggers.FindByName("t3");
    EXPECT_EQ(t3->gridSet, 9999);
    EXPECT_FALSE(t3->visible);
    EXPECT_TRUE(log.Contains("GridSetDatabase: Trying to get an invalid ID: nope\n"));
}

TEST_F(LevelFileTest, GridCellsAreWrittenAsWholeNumbers)
{
    GridSet set;
    set.SetName("s");
    set.AddCell(Vec2(2.7f, 3.9f));
    GridSetDatabase::GetInstance()->Add(set);
    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("cells.xml")));
    EXPECT_NE(ReadFileText(folder_.File("cells.xml")).find("<GridCell x=\"2\" y=\"3\""), std::string::npos);
}

struct BadFile {
    const char* name;
    const char* content;  // null: no file at all
    const char* logLine;  // expected in the log, or null
};

class LevelFileFailureTest : public LevelFileTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(LevelFileFailureTest, LeavesTheWorldUnchanged)
{
    BuildFullLevel();
    World().GetRainHits().AddCell(7, 8);
    const LevelSnapshot before = Snapshot();
    if (GetParam().content != nullptr) {
        folder_.Write(GetParam().name, GetParam().content);
    }
    LogCapture log;
    EXPECT_FALSE(Load(GetParam().name));
    EXPECT_TRUE(Snapshot() == before);
    EXPECT_EQ(World().GetRainHits().GetCount(), 1u) << "the level's rain stays with it";
    if (GetParam().logLine != nullptr) {
        EXPECT_TRUE(log.Contains(GetParam().logLine)) << log.All();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, LevelFileFailureTest,
    ::testing::Values(BadFile{"missing.xml", nullptr, "Reading morvo level file"},
                      BadFile{"broken.xml", "<MorvoLevel><Boy x=\"1\"", nullptr},
                      BadFile{"other.xml", "<OtherLevel/>", "failed to find \"MorvoLevel\" root node"},
                      BadFile{"noboy.xml", "<MorvoLevel><MorvoLayer><Morvos/></MorvoLayer></MorvoLevel>", "Boy"},
                      BadFile{"nomorvos.xml", "<MorvoLevel><Boy x=\"0\" y=\"0\" z=\"0\"/></MorvoLevel>", "Morvos"}),
    CaseName());

TEST_F(LevelFileTest, FailedSaveKeepsTheOldFile)
{
    const std::string path = folder_.File("keep.xml");
    ASSERT_TRUE(MorvoFiles::SaveLevel(path));
    const std::string old = ReadFileText(path);
    ASSERT_NE(old.find("<MorvoLevel>"), std::string::npos);

    // A bigger level on a disk that takes only a few hundred bytes more.
    for (int i = 0; i < 2000; ++i) {
        World().AddMorvo(0.001f * static_cast<float>(i), 0.5f, kMorvoPure, 1.0f);
    }
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = old.size() + 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedOk = MorvoFiles::SaveLevel(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(ReadFileText(path), old);
    EXPECT_EQ(FilesIn(folder_.Path()), std::vector<std::string>{"keep.xml"}) << "nothing left behind";
    EXPECT_FALSE(MorvoFiles::SaveLevel(folder_.File("no/such/folder/level.xml")));
}

// The disk fills at the very last byte (a file-size limit in a child): the
// save reports failure and why, the old level stays, no temporary is left.
TEST_F(LevelFileTest, SaveFailingAtTheLastByteKeepsTheOldLevel)
{
    const std::string path = folder_.File("level.xml");
    ASSERT_TRUE(MorvoFiles::SaveLevel(path));
    const std::string old = ReadFileText(path);
    BuildFullLevel();
    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("full.xml")));
    const rlim_t lastByte = ReadFileText(folder_.File("full.xml")).size() - 1;
    const int result = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit cap = {lastByte, lastByte};
        ::setrlimit(RLIMIT_FSIZE, &cap);
        LogCapture log;
        const bool saved = MorvoFiles::SaveLevel(path);
        return !saved && log.Contains("the level was not saved: could not write") ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileText(path), old);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path + ".saving")));
}

// Where no "<path>.saving" can be made, the log says so, not that a stale
// one could not be removed: a folder that cannot be searched (as a user;
// root drops to nobody in a child), a file in place of the folder. A stale
// one that is there and will not go (a folder) is named as such.
TEST_F(LevelFileTest, SaveWhereNothingCanBeWrittenSaysWhatFailed)
{
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0755), 0);
    const std::string locked = folder_.File("locked");
    ASSERT_TRUE(std::filesystem::create_directory(locked));
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    folder_.Write("file", "a file");
    ASSERT_TRUE(std::filesystem::create_directories(folder_.File("stuck.xml.saving/inside")));
    const struct {
        std::string path;
        std::string failure;
    } cases[] = {{locked + "/level.xml", "could not create " + locked + "/level.xml.saving: Permission denied"},
                 {folder_.File("file/level.xml"),
                  "could not create " + folder_.File("file/level.xml") + ".saving: Not a directory"},
                 {folder_.File("stuck.xml"), "could not remove the stale " + folder_.File("stuck.xml") + ".saving: "}};
    for (const auto& c : cases) {
        const int result = RunInChild([&] {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                return 2;
            }
            LogCapture log;
            const bool saved = MorvoFiles::SaveLevel(c.path);
            if (saved || !log.Contains("the level was not saved: " + c.failure)) {
                std::fprintf(stderr, "%s\n", log.All().c_str());
                return 1;
            }
            return 0;
        });
        EXPECT_EQ(result, 0) << c.path;
    }
    ::chmod(locked.c_str(), 0755);
}

// A "<path>.saving" left by an interrupted save (here a link to another
// file) is removed, not written through.
TEST_F(LevelFileTest, StaleTemporaryFileIsRemovedFirst)
{
    const std::string path = folder_.File("level.xml");
    folder_.Write("other.txt", "other");
    std::filesystem::create_symlink(folder_.File("other.txt"), path + ".saving");
    ASSERT_TRUE(MorvoFiles::SaveLevel(path));
    EXPECT_EQ(ReadFileText(folder_.File("other.txt")), "other");
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_NE(ReadFileText(path).find("<MorvoLevel>"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path + ".saving")));
}

// The boy stands in the world's box: over its bounds (edges included) and
// no further from the sea than half the bounds' longer side, in world units
// (200 a simulation unit). Outside it, the file's position is refused with a
// log line and the boy starts at the origin.
TEST_F(LevelFileTest, BoyOutsideTheWorldStartsAtTheOrigin)
{
    const struct {
        const char* name;
        float halfWidth, halfDepth;  // the bounds, in simulation units
        const char *x, *y, *z;
        bool inside;
    } cases[] = {
        {"far corner", 1, 2, "200", "400", "-400", true},
        {"near corner", 1, 2, "-200", "-400", "400", true},
        {"east", 1, 2, "200.5", "0", "0", false},
        {"west", 1, 2, "-200.5", "0", "0", false},
        {"north", 1, 2, "0", "0", "-400.5", false},
        {"south", 1, 2, "0", "0", "400.5", false},
        {"too high", 1, 2, "0", "400.5", "0", false},
        {"too deep", 1, 2, "0", "-400.5", "0", false},
        {"high, wide world", 2, 1, "400", "400", "-200", true},
        {"too high, wide world", 2, 1, "0", "400.5", "0", false},
        {"NaN", 1, 2, "0", "nan", "0", false},
        {"infinity", 1, 2, "0", "0", "inf", false},
    };
    for (const auto& c : cases) {
        World().SetBounds(-c.halfWidth, c.halfWidth, -c.halfDepth, c.halfDepth);
        World().GetBoy()->position = Vec3(1.0f, 2.0f, 3.0f);
        folder_.Write("boy.xml", std::string("<MorvoLevel><Boy x=\"") + c.x + "\" y=\"" + c.y + "\" z=\"" + c.z +
                                     "\"/><MorvoLayer><Morvos/></MorvoLayer></MorvoLevel>");
        LogCapture log;
        ASSERT_TRUE(Load("boy.xml")) << c.name;
        const Vec3 expected = c.inside ? Vec3(std::stof(c.x), std::stof(c.y), std::stof(c.z)) : Vec3();
        EXPECT_EQ(World().GetBoy()->position, expected) << c.name;
        EXPECT_EQ(World().GetBoyStart(), expected) << c.name;
        const std::string line = std::string("Boy x=\"") + c.x + "\" y=\"" + c.y + "\" z=\"" + c.z + "\" in " +
                                 folder_.File("boy.xml") + " is out of range; the default start is used.";
        EXPECT_EQ(log.Contains(line), !c.inside) << c.name << "\n" << log.All();
    }
}

// The speed is stored as a whole number: one that cannot be reads as 0.
TEST_F(LevelFileTest, SpeedOutOfTheWholeNumberRangeReadsAsZero)
{
    const std::string texture = folder_.File("spark.tga");
    unsigned char pixel[4] = {255, 255, 255, 255};
    ASSERT_TRUE(TgaFile().Write(pixel, 1, 1, texture.c_str(), false));
    for (const char* speed : {"1e30", "nan", "-inf"}) {
        folder_.Write("speed.xml", std::string("<MorvoLevel><Boy/><MorvoLayer><Morvos/></MorvoLayer><ParticleSystems>"
                                               "<ParticleSystem count=\"1\"><Lifetime l=\"5\"/><Speed s=\"") +
                                       speed + "\"/><TextureList><Texture path=\"" + texture +
                                       "\"/></TextureList></ParticleSystem></ParticleSystems></MorvoLevel>");
        LogCapture log;
        ASSERT_TRUE(Load("speed.xml"));
        EXPECT_TRUE(log.Contains(std::string("Speed s=\"") + speed + "\"")) << log.All();
        ASSERT_EQ(World().GetParticleSystems().size(), 1u);
        EXPECT_EQ(World().GetParticleSystems().front()->GetSpeed(), 0.0f);
        ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("saved.xml")));
        EXPECT_NE(ReadFileText(folder_.File("saved.xml")).find("<Speed s=\"0\" />"), std::string::npos);
    }
}

}  // namespace
