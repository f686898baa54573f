// The demo game data set checked with the game's own readers: the start-up
// file, the game plan's asset table and story, every level read by
// MorvoFiles into a headless world, and every file the game opens relative
// to its working folder (run/), which the tests use as theirs.
#include "data_files.h"

#include "animationdatabase.h"
#include "configfile.h"
#include "debugbreak.h"
#include "filepath.h"
#include "gameflow.h"
#include "gameplan.h"
#include "gridsetdatabase.h"
#include "islandmodel.h"
#include "keyframeanimation.h"
#include "morvofiles.h"
#include "morvoljfunc.h"
#include "morvostore.h"
#include "morvoworld.h"
#include "particlesystem.h"
#include "planeemitter.h"
#include "uniformgrid.h"
#include "random15.h"
#include "soundregistry.h"
#include "testsupport.h"
#include "trigger.h"

#include <gtest/gtest.h>
#include <tinyxml.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Every asset name the game asks the game plan for.
constexpr const char* kRequiredAssets[] = {
    // World scene nodes
    "Trees",
    "Waves",
    "Beach",
    "Ocean",
    "ShallowWater4",
    "ShallowWater5",
    "Islands",
    "OceanBottom",
    // IslandVolcano layers and city
    "IslandVolcano",
    "IslandVolcanoBad",
    "TreeVolcano",
    "TreeVolcanoBad",
    "WaveVolcano",
    "WaveVolcanoBad",
    "BeachVolcano",
    "BeachVolcanoBad",
    "ShallowWater4Volcano",
    "ShallowWater4VolcanoBad",
    "ShallowWater5Volcano",
    "ShallowWater5VolcanoBad",
    "CityVolcano",
    "CityVolcanoBad",
    // Island3big
    "Island3big",
    "Island3bigbad",
    "Tree3big",
    "Tree3bigbad",
    "Wave3big",
    "Wave3bigbad",
    "Beach3big",
    "Beach3bigbad",
    "ShallowWater43big",
    "ShallowWater43bigbad",
    "ShallowWater53big",
    "ShallowWater53bigbad",
    "City3big",
    "City3bigbad",
    // Island3medium
    "Island3medium",
    "Island3mediumbad",
    "Tree3medium",
    "Tree3mediumbad",
    "Wave3medium",
    "Wave3mediumbad",
    "Beach3medium",
    "Beach3mediumbad",
    "ShallowWater43medium",
    "ShallowWater43mediumbad",
    "City3medium",
    "City3mediumbad",
    // Island3small
    "Island3small",
    "Island3smallbad",
    "Tree3small",
    "Tree3smallbad",
    "Wave3small",
    "Wave3smallbad",
    "Beach3small",
    "Beach3smallbad",
    "ShallowWater43small",
    "ShallowWater43smallbad",
    "City3small",
    "City3smallbad",
    // The boy's nine models
    "MorvoBoyAnim_Idle",
    "MorvoBoyAnim_Slow1",
    "MorvoBoyAnim_Slow2",
    "MorvoBoyAnim_Normal",
    "MorvoBoyAnim_Normal1",
    "MorvoBoyAnim_Normal2",
    "MorvoBoyAnim_Fast",
    "MorvoBoyAnim_Cloth",
    "MorvoBoyAnim_Cloth2",
    // Morvo drawing
    "Lightning1",
    "Lightning2",
    "Lightning3",
    "LightningBolt",
    "MorvoTex1",
    "MorvoTex2",
    "MorvoTex3",
    "MorvoTex4",
    "MorvoTex5",
    "MorvoTex6",
    "MorvoTex7",
    "TempTexture",
    // In-game sounds
    "MIG_STRONGWIND",
    "MIG_WEAKWIND",
    "SOUND_NORM_TO_PURE",
    "SOUND_NORM_TO_PURE2",
    "SOUND_NORM_TO_PUREB",
    "SOUND_THUNDER_1",
    "SOUND_THUNDER_2",
    "SOUND_THUNDER_3",
    "SOUND_THUNDER_4",
    "SOUND_THUNDER_5",
    "SOUND_THUNDER_6",
    "SOUND_THUNDER_7",
    "SOUND_RAIN_1",
    "SOUND_RAIN_2",
    "SOUND_RAIN_3",
    "SOUND_RAIN_4",
    "SOUND_CONSUME",
    "SOUND_RELEASE",
    "SOUND_LEVELUP",
    // Menu samples
    "MGEN_BUTTONOVER",
    "MGEN_BUTTONDOWN",
    // Title screen
    "MSA_MCURSOR_TEX",
    "MSA_DEDICATE_TEX",
    "MSA_BGROUND_TEX",
    "MSA_STARTBUTTONOVER_TEX",
    "MSA_CREDITSBUTTONOVER_TEX",
    "MSA_EXITBUTTONOVER_TEX",
    "MSA_BGMUSIC",
    // Level select
    "MSDR_MCURSOR_TEX",
    "MSDR_BGROUND_TEX",
    "MSDR_MENUBUTTONOVER_TEX",
    "MSDR_DREAM1BUTTONOVER_TEX",
    "MSDR_DREAM2BUTTONOVER_TEX",
    "MSDR_DREAM3BUTTONOVER_TEX",
    "MSDR_DREAM4BUTTONOVER_TEX",
    "MSDR_DREAMEXTRABUTTONOVER_TEX",
    "MSDR_BGMUSIC",
    // Ending menu
    "MEMS_MCURSOR_TEX",
    "MEMS_BGROUND_TEX",
    "MEMS_MENUBUTTONOVER_TEX",
    "MEMS_CONTINUEBUTTONOVER_TEX",
    "MEMS_BGMUSIC",
    // Pause menu
    "MSLS_MCURSOR_TEX",
    "MSLS_BGROUND_TEX",
    "MSLS_MENUBUTTONOVER_TEX",
    "MSLS_CONTINUEBUTTONOVER_TEX",
    "MSLS_BGMUSIC",
    // Extras
    "MSEX_MCURSOR_TEX",
    "MSEX_BGROUND_TEX",
    "MSEX_MENUBUTTONOVER_TEX",
    "MSEX_EXTRA1BUTTONOVER_TEX",
    "MSEX_EXTRA2BUTTONOVER_TEX",
    "MSEX_EXTRA3BUTTONOVER_TEX",
    "MSEX_BGMUSIC",
};

// The chapter titles the menus hand to the game flow.
constexpr const char* kMenuChapters[] = {
    "Credits", "Daydream1", "Daydream2", "Daydream3", "Daydream4", "DayDream1", "DayDream2", "DayDream3",
};

// Loop ends of the rain streams, in samples.
struct RainLoop {
    const char* asset;
    int64_t loopEnd;
};
constexpr RainLoop kRainLoops[] = {
    {"SOUND_RAIN_1", 401408},
    {"SOUND_RAIN_2", 376830},
    {"SOUND_RAIN_3", 208889},
    {"SOUND_RAIN_4", 208897},
};

// The fixed files of the working folder's "../assets".
constexpr const char* kFixedFiles[] = {
    "../assets/2D/help.txt",
    "../assets/2D/screenshot.txt",
    "../assets/3D/side.tga",
    "../assets/3D/top.tga",
    "../assets/3D/bottom.tga",
    "../assets/3D/CursorBillboard_1_0.tga",
    "../assets/3D/CursorBillboard_1_1.tga",
};

constexpr const char* kSampleExtension = ".wav";

// The tests run in the game's working folder, as the game does.
class RunFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        char buffer[4096];
        previous_ = getcwd(buffer, sizeof(buffer)) != nullptr ? buffer : ".";
        ASSERT_EQ(chdir(DataRunFolder().c_str()), 0) << "no run folder under " << BuildDir();
    }
    void TearDown() override { (void)chdir(previous_.c_str()); }

private:
    std::string previous_;
};

[[maybe_unused]] ::testing::Environment* const gRunFolder =
    ::testing::AddGlobalTestEnvironment(new RunFolderEnvironment);

// Every asset the game plan lists, read from the file itself.
std::vector<std::string> ListedAssetNames()
{
    std::vector<std::string> names;
    TiXmlDocument doc(DataGameFolder() + "/GamePlan.xml");
    if (!doc.LoadFile()) {
        return names;
    }
    const TiXmlElement* assets = doc.RootElement() ? doc.RootElement()->FirstChildElement("Assets") : nullptr;
    for (const TiXmlElement* a = assets ? assets->FirstChildElement("Asset") : nullptr; a != nullptr;
         a = a->NextSiblingElement("Asset")) {
        if (const char* name = a->Attribute("name")) {
            names.push_back(name);
        }
    }
    return names;
}

// Each path component exists under exactly this name.
bool ExistsWithExactCase(const std::string& path)
{
    namespace fs = std::filesystem;
    if (!FileExists(path)) {
        return false;
    }
    fs::path p = fs::path(path).lexically_normal();
    fs::path at = p.is_absolute() ? p.root_path() : fs::path(".");
    for (const fs::path& part : p.relative_path()) {
        if (part == "..") {
            at /= part;
            continue;
        }
        bool found = false;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(at, ec)) {
            if (entry.path().filename() == part) {
                found = true;
                break;
            }
        }
        if (!found) {
            return false;
        }
        at /= part;
    }
    return true;
}

class DemoData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DemoPlan()->IsLoaded()) << "GamePlan.xml did not load"; }
};

TEST(DemoDataStartup, StartupFileNamesTheGameFolderAndWindow)
{
    ConfigFile bios;
    ASSERT_TRUE(bios.Load("Bios_debug.txt"));
    EXPECT_EQ(bios.GetString("Game"), DataGameFolder());
    EXPECT_EQ(bios.GetInt("ScreenWidth"), 1024);
    EXPECT_EQ(bios.GetInt("ScreenHeight"), 768);
    EXPECT_FALSE(bios.GetBool("FullScreen"));
    EXPECT_FALSE(bios.GetBool("MouseInvert"));
}

TEST_F(DemoData, GamePlanHasAnAssetFolderAndTheStory)
{
    EXPECT_EQ(DemoPlan()->GetEnvString("AssetDir"), "data");
    EXPECT_FALSE(DemoPlan()->GetStory().GetTitle().empty());
    EXPECT_GE(DemoPlan()->GetStory().GetChapterCount(), 8);
}

TEST_F(DemoData, EveryRequiredAssetResolvesToAFileWithExactCase)
{
    EXPECT_EQ(std::size(kRequiredAssets), 135u);
    for (const char* name : kRequiredAssets) {
        std::string path;
        EXPECT_TRUE(DemoPlan()->GetAssetPath(name, &path)) << name << " is not in the game plan";
        EXPECT_TRUE(ExistsWithExactCase(path)) << name << " -> " << path;
    }
}

TEST_F(DemoData, NoFileIsSharedByTwoAssetNames)
{
    std::vector<std::string> names = ListedAssetNames();
    ASSERT_GE(names.size(), std::size(kRequiredAssets));
    std::map<std::string, std::string> owner;
    for (const std::string& name : names) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(name, &path));
        std::string key = std::filesystem::weakly_canonical(path).generic_string();
        auto [it, added] = owner.emplace(key, name);
        EXPECT_TRUE(added) << name << " and " << it->second << " share " << path;
    }
}

TEST_F(DemoData, FixedAssetFilesOfTheWorkingFolderExist)
{
    for (const char* file : kFixedFiles) {
        EXPECT_TRUE(ExistsWithExactCase(file)) << file;
    }
}

TEST_F(DemoData, MenuChaptersExistWithMusicAndAnimations)
{
    for (const char* title : kMenuChapters) {
        const Chapter* chapter = nullptr;
        ASSERT_TRUE(DemoPlan()->GetStory().FindChapter(title, &chapter)) << title;
        EXPECT_TRUE(chapter->HasLevel()) << title;
        EXPECT_TRUE(ExistsWithExactCase(DataGameFolder() + "/" + chapter->GetLevel())) << title;
        ASSERT_TRUE(chapter->HasIntro()) << title;
        EXPECT_TRUE(ExistsWithExactCase(chapter->GetIntro())) << chapter->GetIntro();
        ASSERT_TRUE(chapter->HasIntroMusic()) << title;
        EXPECT_TRUE(ExistsWithExactCase(chapter->GetIntroMusic())) << chapter->GetIntroMusic();
        ASSERT_TRUE(chapter->HasLevelMusic()) << title;
        WavInfo music = ReadWavInfo(chapter->GetLevelMusic());
        EXPECT_TRUE(music.read) << chapter->GetLevelMusic();
        ASSERT_TRUE(chapter->HasLoopPoints()) << title;
        EXPECT_EQ(chapter->GetLoopStart(), 0);
        EXPECT_GT(chapter->GetLoopEnd(), 0);
        EXPECT_LE(chapter->GetLoopEnd(), music.frames) << title;
        ASSERT_TRUE(chapter->HasWinAnim()) << title;
        EXPECT_TRUE(ExistsWithExactCase(chapter->GetWinAnim())) << chapter->GetWinAnim();
        ASSERT_TRUE(chapter->HasLoseAnim()) << title;
        EXPECT_TRUE(ExistsWithExactCase(chapter->GetLoseAnim())) << chapter->GetLoseAnim();
    }
}

TEST_F(DemoData, SoundAssetsArePcm16At44100AndRainCoversItsLoop)
{
    for (const std::string& name : ListedAssetNames()) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(name, &path));
        if (path.size() < 4 || path.compare(path.size() - 4, 4, kSampleExtension) != 0) {
            continue;
        }
        WavInfo w = ReadWavInfo(path);
        ASSERT_TRUE(w.read) << path;
        EXPECT_EQ(w.format, 1) << path;
        EXPECT_EQ(w.bits, 16) << path;
        EXPECT_EQ(w.sampleRate, 44100) << path;
        EXPECT_GT(w.frames, 0) << path;
    }
    for (const RainLoop& rain : kRainLoops) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(rain.asset, &path));
        EXPECT_GT(ReadWavInfo(path).frames, rain.loopEnd) << rain.asset;
    }
}

// The one-shot samples (played whole, never looped).
constexpr const char* kOneShotSamples[] = {
    "SOUND_NORM_TO_PURE", "SOUND_NORM_TO_PURE2", "SOUND_NORM_TO_PUREB", "SOUND_THUNDER_1", "SOUND_THUNDER_2",
    "SOUND_THUNDER_3",    "SOUND_THUNDER_4",     "SOUND_THUNDER_5",     "SOUND_THUNDER_6", "SOUND_THUNDER_7",
    "SOUND_CONSUME",      "SOUND_RELEASE",       "SOUND_LEVELUP",       "MGEN_BUTTONOVER", "MGEN_BUTTONDOWN",
};
constexpr int64_t kTailFrames = 441;  // the last 10 ms
constexpr int kQuietPeak = 330;       // 1 % of full scale

TEST_F(DemoData, OneShotSamplesEndInSilence)
{
    for (const char* name : kOneShotSamples) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(name, &path)) << name;
        int peak = WavTailPeak(path, kTailFrames);
        EXPECT_GE(peak, 0) << path;
        EXPECT_LT(peak, kQuietPeak) << name << " ends with a click";
    }
}

// The in-game streams (the rest of the in-game sounds are samples).
constexpr const char* kInGameStreams[] = {
    "MIG_STRONGWIND", "MIG_WEAKWIND", "SOUND_RAIN_1", "SOUND_RAIN_2", "SOUND_RAIN_3", "SOUND_RAIN_4",
};
// The menus' music.
constexpr const char* kMenuMusic[] = {"MSA_BGMUSIC", "MSDR_BGMUSIC", "MEMS_BGMUSIC", "MSLS_BGMUSIC", "MSEX_BGMUSIC"};

TEST_F(DemoData, EverySoundLoadsIntoTheSoundRegistry)
{
    SoundRegistry* sound = SoundRegistry::GetInstance();
    if (!sound->Init()) {
        GTEST_SKIP() << "no audio output";
    }
    std::vector<int> samples;
    std::vector<int> streams;
    for (const char* name : kOneShotSamples) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(name, &path));
        samples.push_back(sound->LoadSample(path));
        EXPECT_GE(samples.back(), 0) << name;
    }
    std::vector<std::string> names(std::begin(kInGameStreams), std::end(kInGameStreams));
    names.insert(names.end(), std::begin(kMenuMusic), std::end(kMenuMusic));
    for (const std::string& name : names) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(name, &path));
        streams.push_back(sound->LoadStreamNoLoopPoints(path));
        EXPECT_GE(streams.back(), 0) << name;
    }
    for (const char* title : kMenuChapters) {
        const Chapter* c = nullptr;
        ASSERT_TRUE(DemoPlan()->GetStory().FindChapter(title, &c));
        streams.push_back(sound->LoadStream(c->GetLevelMusic(), c->GetLoopStart(), c->GetLoopEnd()));
        EXPECT_GE(streams.back(), 0) << c->GetLevelMusic();
        streams.push_back(sound->LoadStreamNoLoopPoints(c->GetIntroMusic()));
        EXPECT_GE(streams.back(), 0) << c->GetIntroMusic();
    }
    sound->FreeAll();
}

TEST_F(DemoData, EveryKeyframeImageExistsFromTheWorkingFolder)
{
    std::set<std::string> animations = {"../assets/2D/help.txt", "../assets/2D/screenshot.txt"};
    const Story& story = DemoPlan()->GetStory();
    for (const char* title : kMenuChapters) {
        const Chapter* c = nullptr;
        ASSERT_TRUE(story.FindChapter(title, &c));
        animations.insert(c->GetIntro());
        animations.insert(c->GetWinAnim());
        animations.insert(c->GetLoseAnim());
        TiXmlDocument level(DataGameFolder() + "/" + c->GetLevel());
        ASSERT_TRUE(level.LoadFile()) << c->GetLevel();
        const TiXmlElement* embedded = level.RootElement()->FirstChildElement("EmbeddedAnimations");
        for (const TiXmlElement* a = embedded ? embedded->FirstChildElement("Animation") : nullptr; a != nullptr;
             a = a->NextSiblingElement("Animation")) {
            animations.insert(a->Attribute("path") ? a->Attribute("path") : "");
        }
    }
    for (const std::string& animation : animations) {
        ASSERT_TRUE(ExistsWithExactCase(animation)) << animation;
        std::vector<std::string> images = AnimationImages(animation);
        EXPECT_FALSE(images.empty()) << animation;
        for (const std::string& image : images) {
            EXPECT_TRUE(ExistsWithExactCase(image)) << image << " in " << animation;
        }
    }
}

TEST_F(DemoData, EveryModelsMaterialTextureExists)
{
    for (const std::string& name : ListedAssetNames()) {
        std::string path;
        ASSERT_TRUE(DemoPlan()->GetAssetPath(name, &path));
        if (path.size() < 4 || path.compare(path.size() - 4, 4, ".obj") != 0) {
            continue;
        }
        ObjCheck obj = CheckObj(path);
        ASSERT_TRUE(obj.read) << path;
        std::string folder = path.substr(0, path.rfind('/'));
        std::string mtl = folder + "/" + obj.mtllib;
        ASSERT_TRUE(ExistsWithExactCase(mtl)) << mtl;
        std::vector<std::string> textures = MtlTextures(mtl);
        EXPECT_FALSE(textures.empty()) << mtl;
        for (const std::string& t : textures) {
            EXPECT_TRUE(ExistsWithExactCase(folder + "/" + t)) << t << " of " << mtl;
        }
    }
}

// ---- levels read into a headless world ----

class DemoLevels : public DemoData {
protected:
    void SetUp() override
    {
        DemoData::SetUp();
        MorvoWorld& world = GetMorvoWorld();
        world.Release();
        world.InitHeadless();
        SeedRand15(1);
    }
    // Sets the world up and reads the chapter's level, as the game flow does.
    static bool LoadChapterLevel(const char* title)
    {
        const Chapter* chapter = nullptr;
        if (!DemoPlan()->GetStory().FindChapter(title, &chapter)) {
            return false;
        }
        GameFlow::GetInstance()->SetupWorldForLevel();
        return MorvoFiles::LoadLevel(DataGameFolder() + "/" + chapter->GetLevel());
    }
    void TearDown() override
    {
        GameFlow* flow = GameFlow::GetInstance();
        if (flow->IsLevelLoaded()) {
            flow->UnloadLevel();
        }
        GetMorvoWorld().Release();
    }
};

TEST_F(DemoLevels, EveryMenuChapterLevelLoadsWithItsSetsAndAnimations)
{
    for (const char* title : kMenuChapters) {
        SCOPED_TRACE(title);
        const Chapter* chapter = nullptr;
        ASSERT_TRUE(DemoPlan()->GetStory().FindChapter(title, &chapter));
        LogCapture log;
        BreakCounter breaks;
        GameFlow::GetInstance()->SetupWorldForLevel();
        ASSERT_TRUE(MorvoFiles::LoadLevel(DataGameFolder() + "/" + chapter->GetLevel()));
        EXPECT_EQ(breaks.Count(), 0);
        EXPECT_FALSE(log.Contains("invalid ID")) << log.All();
        EXPECT_FALSE(log.Contains("Warning")) << log.All();
        // The reader takes an unknown condition keyword for NO_CONDITION.
        TiXmlDocument level(DataGameFolder() + "/" + chapter->GetLevel());
        ASSERT_TRUE(level.LoadFile());
        const TiXmlElement* triggers = level.RootElement()->FirstChildElement("TriggerSet");
        for (const TiXmlElement* t = triggers ? triggers->FirstChildElement("Trigger") : nullptr; t != nullptr;
             t = t->NextSiblingElement("Trigger")) {
            int32_t condition = -1;
            EXPECT_TRUE(TriggerConditionFromKeyword(t->Attribute("type") ? t->Attribute("type") : "", &condition))
                << t->Attribute("id");
        }
        MorvoWorld& world = GetMorvoWorld();
        world.CountMorvos();
        EXPECT_GT(world.GetCensus().total, 0);
        EXPECT_GT(world.GetCensus().pure, 0);
        for (const Trigger& t : world.GetTriggers().GetTriggers()) {
            EXPECT_LT(t.gridSet, static_cast<int32_t>(GridSetDatabase::GetInstance()->GetCount())) << t.id;
            EXPECT_GE(t.gridSet, 0) << t.id;
            if (t.effect == 14) {
                ASSERT_NE(AnimationDatabase::GetInstance()->Get(static_cast<unsigned>(t.animation)), nullptr) << t.id;
                EXPECT_GT(AnimationDatabase::GetInstance()->Get(static_cast<unsigned>(t.animation))->GetDuration(),
                          0.0f);
            }
        }
        const Vec3& start = world.GetBoyStart();
        const float half = 3505.0f / 2.0f;
        EXPECT_LT(std::abs(start.x), half);
        EXPECT_LT(std::abs(start.z), half);
    }
}

TEST_F(DemoLevels, TheStoryUsesEveryRuleConditionEffectAndParticleOption)
{
    std::set<int32_t> conditions;
    std::set<int32_t> effects;
    bool threshold = false;
    bool notInterpolated = false;
    bool textureList = false;
    bool tiltedPlane = false;
    for (const char* title : kMenuChapters) {
        ASSERT_TRUE(LoadChapterLevel(title));
        const MorvoWorld& world = GetMorvoWorld();
        threshold = threshold || world.GetWinWhenPurePowerThreshold();
        for (const Trigger& t : world.GetTriggers().GetTriggers()) {
            conditions.insert(t.condition);
            effects.insert(t.effect);
        }
        for (const ParticleSystem* p : world.GetParticleSystems()) {
            notInterpolated = notInterpolated || !p->IsInterpolated();
            textureList = textureList || p->GetTextures().size() > 1;
            const auto* plane = dynamic_cast<const PlaneEmitter*>(p->GetEmitter());
            tiltedPlane = tiltedPlane || (plane != nullptr &&
                                          (plane->GetA() != 0.0f || plane->GetB() != 0.0f || plane->GetD() != 0.0f));
        }
    }
    EXPECT_EQ(conditions,
              (std::set<int32_t>{NO_CONDITION, BOY_ENTERS, RAIN_WITHIN, FILLED_WHITE, FILLED_BLACK, START_UP}));
    EXPECT_EQ(effects, (std::set<int32_t>{EFFECT_PLAY_ANIM, EFFECT_WIN, EFFECT_LOSE, EFFECT_PSYS_OFF, EFFECT_PSYS_ON,
                                          EFFECT_CLEAN}));
    EXPECT_TRUE(threshold);
    EXPECT_TRUE(notInterpolated);
    EXPECT_TRUE(textureList);
    EXPECT_TRUE(tiltedPlane);
}

TEST_F(DemoLevels, EveryLevelSavedAndReadBackSavesTheSameFile)
{
    TempFolder folder;
    for (const char* title : kMenuChapters) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(LoadChapterLevel(title));
        ASSERT_TRUE(MorvoFiles::SaveLevel(folder.File("first.xml")));
        ASSERT_TRUE(MorvoFiles::LoadLevel(folder.File("first.xml")));
        ASSERT_TRUE(MorvoFiles::SaveLevel(folder.File("second.xml")));
        std::ifstream first(folder.File("first.xml"));
        std::ifstream second(folder.File("second.xml"));
        std::stringstream a, b;
        a << first.rdbuf();
        b << second.rdbuf();
        EXPECT_EQ(a.str(), b.str());
    }
}

// The islands the story makes dirty, each with the trigger that cleans it.
struct DirtyIsland {
    const char* chapter;
    WorldIsland island;
    const char* trigger;
};
constexpr DirtyIsland kStoryDirtyIslands[] = {
    {"Daydream2", kIsland3medium, "cleanmedium"},
    {"Daydream3", kIslandVolcano, "quench"},
    {"Daydream4", kIsland3big, "cleanbig"},
    {"Daydream4", kIsland3small, "cleansmall"},
};

TEST_F(DemoLevels, IslandsTheStoryDirtiesLoadDirtyAndTheirTriggersCleanThem)
{
    for (const char* title : kMenuChapters) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(LoadChapterLevel(title));
        for (int i = 0; i < kWorldIslandCount; ++i) {
            IslandModel* island = GetMorvoWorld().GetIsland(static_cast<WorldIsland>(i));
            ASSERT_NE(island, nullptr);
            const DirtyIsland* dirty = nullptr;
            for (const DirtyIsland& d : kStoryDirtyIslands) {
                if (d.island == i && std::string(d.chapter) == title) {
                    dirty = &d;
                }
            }
            EXPECT_EQ(island->IsDirty(), dirty != nullptr) << "island " << i;
            if (dirty == nullptr) {
                continue;
            }
            Trigger* trigger = island->GetTrigger();
            ASSERT_NE(trigger, nullptr) << "island " << i;
            EXPECT_EQ(trigger->id, dirty->trigger);
            trigger->remainingHits = 0;
            trigger->fired = true;
            island->Update(0.0f);
            EXPECT_FALSE(island->IsDirty()) << "island " << i << " after " << trigger->id;
        }
    }
}

// The census by colour of the active records whose cell lies in the window.
struct WindowCount {
    int pureInside = 0;
    int pureTotal = 0;
};

WindowCount CountPureInWindow(const MorvoWorld& world)
{
    WindowCount c;
    const CellRect window = world.GetActiveBounds();
    const MorvoState* state = world.GetStore()->GetCurrentState();
    for (int32_t i = 0; i < state->GetSize(); ++i) {
        const MorvoRecord& m = state->Get(i);
        if (m.active == 0 || m.color <= 0) {
            continue;
        }
        ++c.pureTotal;
        int32_t cx = world.GetGrid()->ToCellX(m.position.x);
        int32_t cy = world.GetGrid()->ToCellY(m.position.y);
        if (cx >= window.x0 && cx < window.x1 && cy >= window.y0 && cy < window.y1) {
            ++c.pureInside;
        }
    }
    return c;
}

TEST_F(DemoLevels, PureMorvosStartAroundTheBoyAndLevelsStartCalm)
{
    constexpr int kSteps = 120;  // two seconds of play without the player
    for (const char* title : kMenuChapters) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(LoadChapterLevel(title));
        MorvoWorld& world = GetMorvoWorld();
        // Only the 19 x 19 cells around the boy are simulated: his light starts there.
        WindowCount start = CountPureInWindow(world);
        EXPECT_GT(start.pureTotal, 0);
        EXPECT_EQ(start.pureInside, start.pureTotal);
        world.CountMorvos();
        const MorvoCensus before = world.GetCensus();
        for (int i = 0; i < kSteps; ++i) {
            world.Update(1.0f / 60.0f, false);
        }
        world.CountMorvos();
        EXPECT_EQ(world.GetCensus().total, before.total) << "morvos vanished before the player did anything";
        EXPECT_EQ(world.GetCensus().dark, before.dark);
        ASSERT_NE(world.GetMorvoLJFunc(), nullptr);
        EXPECT_EQ(world.GetMorvoLJFunc()->rainCount, 0) << "dark and light morvos touch at the start";
    }
}

TEST_F(DemoLevels, EveryLevelParticleTextureExistsFromTheWorkingFolder)
{
    int systems = 0;
    for (const char* title : kMenuChapters) {
        const Chapter* c = nullptr;
        ASSERT_TRUE(DemoPlan()->GetStory().FindChapter(title, &c));
        TiXmlDocument level(DataGameFolder() + "/" + c->GetLevel());
        ASSERT_TRUE(level.LoadFile());
        const TiXmlElement* list = level.RootElement()->FirstChildElement("ParticleSystems");
        for (const TiXmlElement* p = list ? list->FirstChildElement("ParticleSystem") : nullptr; p != nullptr;
             p = p->NextSiblingElement("ParticleSystem")) {
            ++systems;
            const TiXmlElement* textures = p->FirstChildElement("TextureList");
            ASSERT_NE(textures, nullptr);
            int count = 0;
            for (const TiXmlElement* t = textures->FirstChildElement("Texture"); t != nullptr;
                 t = t->NextSiblingElement("Texture")) {
                ++count;
                EXPECT_TRUE(ExistsWithExactCase(t->Attribute("path") ? t->Attribute("path") : "")) << title;
            }
            EXPECT_GT(count, 0) << title;
        }
    }
    EXPECT_GT(systems, 0);
}

}  // namespace
