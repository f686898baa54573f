// The level writer's exact text for a small level that holds every element
// kind: rules, morvos (one removed), grid sets out of name order, an
// animation, triggers of every condition and effect keyword, a plane and a
// spherical particle system, and the four islands.
#include "levelfiletest.h"
#include "world_headless.h"

#include "animationdatabase.h"
#include "boy.h"
#include "gfxmanagers.h"
#include "gridset.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "morvofiles.h"
#include "particlesystem.h"
#include "texturemanager.h"
#include "trigger.h"

#include <string>

namespace {

class LevelText : public LevelFileFixture {
protected:
    static void AddTrigger(const char* id, int32_t condition, int32_t gridSet, int32_t effect, int32_t animation,
                           bool visible, int32_t hitPoints)
    {
        GetMorvoWorld().GetTriggers().Add(MakeTrigger(id, condition, gridSet, effect, animation, visible, hitPoints));
    }

    TempFolder folder_;
};

TEST_F(LevelText, SmallLevelWithEveryElementKindIsWrittenAsItsText)
{
    MorvoWorld& world = World();
    world.GetBoy()->position = Vec3(1.5f, 160.0f, -2.25f);
    world.SetWinWhenAllPure(true);
    world.SetWinWhenNoDarkMorvos(true);
    world.SetLoseWhenNoPureMorvos(true);
    world.SetPurePowerThreshold(12.5f);
    world.AddMorvo(0.125f, 0.25f, kMorvoPure, 2.5f);
    world.RemoveMorvo(world.AddMorvo(0.5f, 0.5f, kMorvoPure, 1.0f));
    world.AddMorvo(-0.375f, 0.5f, kMorvoDark, 1.25f);

    GridSet beta;
    beta.SetName("beta");
    beta.AddCell(Vec2(2.7f, 3.9f));
    GridSet alpha;
    alpha.SetName("alpha");
    alpha.AddCell(Vec2(4.0f, 5.0f));
    alpha.AddCell(Vec2(6.0f, 7.0f));
    GridSetDatabase::GetInstance()->Add(beta);   // index 0
    GridSetDatabase::GetInstance()->Add(alpha);  // index 1

    const std::string intro = folder_.File("intro.txt");
    folder_.Write("intro.txt", "Object: dot\nKeyframe: 0\nPos: 0, 0\nEnd\nEnd\n");
    ASSERT_EQ(AnimationDatabase::GetInstance()->Load(intro, "intro"), 0u);

    AddTrigger("anim", NO_CONDITION, -1, EFFECT_PLAY_ANIM, 0, true, 2);
    AddTrigger("win", BOY_ENTERS, 1, EFFECT_WIN, -1, false, 0);
    AddTrigger("lose", RAIN_WITHIN, 0, EFFECT_LOSE, -1, false, 1);
    AddTrigger("off", FILLED_WHITE, 1, EFFECT_PSYS_OFF, -1, true, 3);
    AddTrigger("on", FILLED_BLACK, 0, EFFECT_PSYS_ON, -1, false, 4);
    AddTrigger("clean", START_UP, 1, EFFECT_CLEAN, -1, false, 5);
    AddTrigger("newTrig_7", NO_CONDITION, 0, 0, -1, false, 0);

    const std::string spark = folder_.File("spark.tga");
    folder_.Write("spark.tga", SolidTga(255, 255, 255, 2, 2));
    auto* plane = new ParticleSystem(20, 0.5f, 30, 4.0f, 8.0f, 0.5f, -0.25f, 0.125f, 0.0f, -10.0f, 0.0f, 1.0f, 0.5f,
                                     0.25f, 0.75f);
    plane->SetPlaneEmitter(0.0f, 0.0f, 1.0f, 2.5f, 10.0f, 0.0f, -5.0f, 5.0f);
    plane->AddTexture(GfxTextureManager()->Load(spark.c_str()));
    plane->SetSpeed(2.75f);
    plane->SetInterpolated(true);
    plane->SetInterpToColor(0.0f, 0.5f, 1.0f, 0.0f);
    plane->SetTrigger(world.GetTriggers().FindByName("off"));
    world.GetParticleSystems().push_back(plane);
    auto* sphere =
        new ParticleSystem(5, 1.0f, 10, 2.0f, 2.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    sphere->AddTexture(GfxTextureManager()->Load(spark.c_str()));
    world.GetParticleSystems().push_back(sphere);

    world.GetIsland(kIslandVolcano)->SetDirty(true);
    world.GetIsland(kIslandVolcano)->SetTrigger(world.GetTriggers().FindByName("clean"));
    world.GetIsland(kIsland3medium)->SetDirty(true);

    ASSERT_TRUE(MorvoFiles::SaveLevel(folder_.File("level.xml")));
    const std::string dir = folder_.Path() + "/";
    EXPECT_EQ(
        ReadFileText(folder_.File("level.xml")),
        "<MorvoLevel>\n"
        "    <Boy x=\"1.500000\" y=\"160.000000\" z=\"-2.250000\" />\n"
        "    <WinWhenPurePowerThreshold power=\"12.500000\" />\n"
        "    <WinWhenAllPure />\n"
        "    <WinWhenNoDarkMorvos />\n"
        "    <LoseWhenNoPureMorvos />\n"
        "    <MorvoLayer layer=\"0\">\n"
        "        <Morvos>\n"
        "            <morvo x=\"0.125000\" y=\"0.250000\" color=\"1\" power=\"2.500000\" />\n"
        "            <morvo x=\"-0.375000\" y=\"0.500000\" color=\"-1\" power=\"1.250000\" />\n"
        "        </Morvos>\n"
        "    </MorvoLayer>\n"
        "    <Grid>\n"
        "        <GridSet name=\"alpha\">\n"
        "            <GridCell x=\"4\" y=\"5\" />\n"
        "            <GridCell x=\"6\" y=\"7\" />\n"
        "        </GridSet>\n"
        "        <GridSet name=\"beta\">\n"
        "            <GridCell x=\"2\" y=\"3\" />\n"
        "        </GridSet>\n"
        "    </Grid>\n"
        "    <EmbeddedAnimations>\n"
        "        <Animation path=\"" +
            dir +
            "intro.txt\" name=\"intro\" />\n"
            "    </EmbeddedAnimations>\n"
            "    <TriggerSet>\n"
            "        <Trigger id=\"anim\" type=\"NO_CONDITION\" set=\"\" effect=\"intro\" visible=\"true\" "
            "hitpoints=\"2\" />\n"
            "        <Trigger id=\"win\" type=\"BOY_ENTERS\" set=\"alpha\" effect=\"TRIG_WIN\" visible=\"false\" "
            "hitpoints=\"0\" />\n"
            "        <Trigger id=\"lose\" type=\"RAIN_WITHIN\" set=\"beta\" effect=\"TRIG_LOSE\" visible=\"false\" "
            "hitpoints=\"1\" />\n"
            "        <Trigger id=\"off\" type=\"FILLED_WHITE\" set=\"alpha\" effect=\"PSYS_OFF\" visible=\"true\" "
            "hitpoints=\"3\" />\n"
            "        <Trigger id=\"on\" type=\"FILLED_BLACK\" set=\"beta\" effect=\"PSYS_ON\" visible=\"false\" "
            "hitpoints=\"4\" />\n"
            "        <Trigger id=\"clean\" type=\"START_UP\" set=\"alpha\" effect=\"CLEAN\" visible=\"false\" "
            "hitpoints=\"5\" />\n"
            "        <Trigger id=\"newTrig_7\" type=\"NO_CONDITION\" set=\"beta\" effect=\"ANIM_FILE_HERE\" "
            "visible=\"false\" hitpoints=\"0\" />\n"
            "    </TriggerSet>\n"
            "    <ParticleSystems>\n"
            "        <ParticleSystem count=\"20\" x=\"0.500000\" y=\"-0.250000\" z=\"0.125000\">\n"
            "            <Trigger id=\"off\" />\n"
            "            <Force fx=\"0.000000\" fy=\"-10.000000\" fz=\"0.000000\" />\n"
            "            <Color r=\"1.000000\" g=\"0.500000\" b=\"0.250000\" a=\"0.750000\" interpolated=\"true\" />\n"
            "            <InterpToColor r=\"0.000000\" g=\"0.500000\" b=\"1.000000\" a=\"0.000000\" />\n"
            "            <BillboardSize minSize=\"4.000000\" maxSize=\"8.000000\" />\n"
            "            <Damping d=\"0.500000\" />\n"
            "            <Lifetime l=\"30\" />\n"
            "            <Speed s=\"2\" />\n"
            "            <Emitter type=\"PLANE_EMITTER\">\n"
            "                <Plane a=\"0.000000\" b=\"0.000000\" c=\"1.000000\" d=\"2.500000\" />\n"
            "                <Bounds top=\"10\" bottom=\"0\" left=\"-5\" right=\"5\" />\n"
            "            </Emitter>\n"
            "            <TextureList>\n"
            "                <Texture path=\"" +
            dir +
            "spark.tga\" />\n"
            "            </TextureList>\n"
            "        </ParticleSystem>\n"
            "        <ParticleSystem count=\"5\" x=\"0.000000\" y=\"0.000000\" z=\"0.000000\">\n"
            "            <Trigger id=\"if new particle system, insert trigger name here, else delete this line.\" />\n"
            "            <Force fx=\"0.000000\" fy=\"0.000000\" fz=\"1.000000\" />\n"
            "            <Color r=\"1.000000\" g=\"1.000000\" b=\"1.000000\" a=\"1.000000\" interpolated=\"false\" />\n"
            "            <BillboardSize minSize=\"2.000000\" maxSize=\"2.000000\" />\n"
            "            <Damping d=\"1.000000\" />\n"
            "            <Lifetime l=\"10\" />\n"
            "            <Speed s=\"1\" />\n"
            "            <Emitter type=\"SPHERICAL_EMITTER\" />\n"
            "            <TextureList>\n"
            "                <Texture path=\"" +
            dir +
            "spark.tga\" />\n"
            "            </TextureList>\n"
            "        </ParticleSystem>\n"
            "    </ParticleSystems>\n"
            "    <Dirtiness>\n"
            "        <IslandVolcano IsDirty=\"1\" trigger=\"clean\" />\n"
            "        <Island3Big IsDirty=\"0\" trigger=\"null\" />\n"
            "        <Island3Medium IsDirty=\"1\" trigger=\"null\" />\n"
            "        <Island3Small IsDirty=\"0\" trigger=\"null\" />\n"
            "    </Dirtiness>\n"
            "</MorvoLevel>\n");

    // Read back, each system starts full.
    ASSERT_TRUE(MorvoFiles::LoadLevel(folder_.File("level.xml")));
    ASSERT_EQ(world.GetParticleSystems().size(), 2u);
    for (const ParticleSystem* system : world.GetParticleSystems()) {
        int32_t active = 0;
        for (int32_t k = 0; k < system->GetCount(); ++k)
            active += system->GetParticles()->Get(k).active != 0;
        EXPECT_EQ(active, system->GetGivenCount());
    }
}

}  // namespace
