// Damaged game data: the demo game with one picture, sound or level
// replaced by a broken file. The screen that uses it names the file once in
// the log, with the reason, reaches no debug break and goes on without it.
#include "screentest.h"

#include "boy.h"
#include "gameflow.h"
#include "morvodemoappstate.h"
#include "morvodreamstate.h"
#include "morvostartstate.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

enum class Stage { kTitle, kLevelSelect, kInGame };

struct DamagedFile {
    const char* name;
    const char* asset;  // the asset whose file is replaced; null: the level
    const char* file;   // the damaged file's name in the asset folder
    std::string content;
    const char* boyX;  // the level's boy x
    Stage stage;
    const char* reason;  // said in a log line that names the file
};

// A TGA header of 65535 x 65535 pixels at 32 bits with a few bytes after it.
std::string HugeTgaHeader()
{
    const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 32, 0};
    return std::string(reinterpret_cast<const char*>(header), sizeof(header)) + std::string(64, '\x7f');
}

constexpr int kFrames = 5;

class DamagedDataTest : public ScreenTest, public ::testing::WithParamInterface<DamagedFile> {
protected:
    // The demo game in a scratch folder: its asset folder's entries linked,
    // the case's asset pointing at the damaged file, and a chapter "Damaged"
    // whose level carries the case's boy.
    bool LoadPlan() override
    {
        const DamagedFile& c = GetParam();
        const fs::path demo = fs::absolute(fs::path(BuildDir()) / "game");
        const fs::path data = fs::path(game_.Path()) / "data";
        fs::create_directory(data);
        for (const fs::directory_entry& entry : fs::directory_iterator(demo / "data")) {
            fs::create_directory_symlink(entry.path(), data / entry.path().filename());
        }
        std::string plan = ReadFileText((demo / "GamePlan.xml").string());
        if (c.asset != nullptr) {
            const std::string key = std::string("name=\"") + c.asset + "\" path=\"";
            const size_t at = plan.find(key);
            if (at == std::string::npos) {
                ADD_FAILURE() << "the demo plan has no asset " << c.asset;
                return false;
            }
            const size_t from = at + key.size();
            plan.replace(from, plan.find('"', from) - from, c.file);
            damaged_ = (data / c.file).string();
            game_.Write(std::string("data/") + c.file, c.content);
        } else {
            damaged_ = game_.File(c.file);
        }
        game_.Write(c.asset != nullptr ? "damaged.xml" : c.file,
                    std::string("<MorvoLevel><Boy x=\"") + c.boyX +
                        "\" y=\"155\" z=\"0\"/><MorvoLayer layer=\"0\"><Morvos/></MorvoLayer></MorvoLevel>\n");
        const std::string chapter = std::string("<Chapter><Title>Damaged</Title><Level>") +
                                    (c.asset != nullptr ? "damaged.xml" : c.file) + "</Level></Chapter>";
        plan.insert(plan.find("</Story>"), chapter);
        game_.Write("GamePlan.xml", plan);
        return GamePlan::GetInstance()->Load(game_.Path().c_str(), "GamePlan.xml");
    }

    int LinesNamingTheFile(const LogCapture& log) const
    {
        int count = 0;
        for (const std::string& line : log.Lines()) {
            count += line.find(damaged_) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    // Runs a menu screen through its fade-in (and the title's dedication),
    // points at a button and leaves through it; true when the screen asked
    // for the next state.
    bool RunMenu(MenuScreen& screen, LogCapture& log, int* namedAtEnter)
    {
        screen.Enter(StateIndex::kTitle);
        *namedAtEnter = LinesNamingTheFile(log);
        for (int i = 0; i < kFrames; ++i) {
            screen.Update(kHalfFade * 10.0f);
        }
        const MenuButton& button = screen.Layout().buttons.front();
        float x, y, w, h;
        ButtonPixels(button, kWidth, kHeight, &x, &y, &w, &h);
        screen.SetPointer(static_cast<int>(x + w / 2), static_cast<int>(y + h / 2) - kMenuPointerSize);
        screen.Update(0.0f);
        screen.Leave(StateIndex::kExtras);
        screen.Update(kHalfFade);
        screen.Update(kHalfFade);
        const bool asked = Pending() == StateIndex::kExtras;
        screen.Exit(StateIndex::kExtras);
        return asked;
    }

    TempFolder game_;
    std::string damaged_;
};

TEST_P(DamagedDataTest, NamesTheFileOnceAndGoesOnWithoutIt)
{
    const DamagedFile& c = GetParam();
    BreakCounter breaks;
    LogCapture log;
    int namedAtEnter = 0;
    if (c.stage == Stage::kTitle) {
        MorvoStartState title;
        EXPECT_TRUE(RunMenu(title, log, &namedAtEnter));
    } else if (c.stage == Stage::kLevelSelect) {
        MorvoDreamState select;
        EXPECT_TRUE(RunMenu(select, log, &namedAtEnter));
    } else {
        MorvoDemoAppstate game;
        game.Init();
        GameFlow::GetInstance()->RequestNewGame("Damaged");
        game.Enter(StateIndex::kChapterIntro);
        game.Update(kHalfFade);
        ASSERT_TRUE(GameFlow::GetInstance()->IsLevelLoaded()) << log.All();
        namedAtEnter = LinesNamingTheFile(log);
        for (int i = 0; i < kFrames; ++i) {
            game.Update(kHalfFade);
        }
        EXPECT_EQ(Pending(), -1) << "the level goes on";
        const Vec3 boy = GetMorvoWorld().GetBoy()->position;
        if (c.asset == nullptr) {
            EXPECT_EQ(GetMorvoWorld().GetBoyStart().x, 0.0f) << "the default start";
            EXPECT_EQ(GetMorvoWorld().GetBoyStart().z, 0.0f);
        }
        EXPECT_TRUE(std::isfinite(boy.x) && std::isfinite(boy.y) && std::isfinite(boy.z));
        GameFlow::GetInstance()->UnloadLevel();
        game.Exit(StateIndex::kTitle);
    }
    EXPECT_EQ(breaks.Count(), 0) << breaks.LastWhat();
    EXPECT_GE(namedAtEnter, 1) << log.All();
    EXPECT_EQ(LinesNamingTheFile(log), namedAtEnter) << "named once, not every frame\n" << log.All();
    bool withReason = false;
    for (const std::string& line : log.Lines()) {
        withReason =
            withReason || (line.find(damaged_) != std::string::npos && line.find(c.reason) != std::string::npos);
    }
    EXPECT_TRUE(withReason) << log.All();
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedDataTest,
    ::testing::Values(
        DamagedFile{"EmptyTitlePicture", "MSA_BGROUND_TEX", "damaged.tga", "", "0", Stage::kTitle,
                    "Cannot read TGA header"},
        DamagedFile{"HugeTitlePictureHeader", "MSA_BGROUND_TEX", "damaged.tga", HugeTgaHeader(), "0", Stage::kTitle,
                    "Unable to load TGA file"},
        DamagedFile{"EmptyDedicationPicture", "MSA_DEDICATE_TEX", "damaged.tga", "", "0", Stage::kTitle,
                    "Cannot read TGA header"},
        DamagedFile{"GarbageButtonSound", "MGEN_BUTTONOVER", "damaged.wav", std::string(3000, 'g'), "0",
                    Stage::kLevelSelect, "not loaded"},
        DamagedFile{"EmptyLevelSelectPicture", "MSDR_BGROUND_TEX", "damaged.tga", "", "0", Stage::kLevelSelect,
                    "Cannot read TGA header"},
        DamagedFile{"GarbageInGameSound", "SOUND_CONSUME", "damaged.wav", std::string(3000, 'g'), "0", Stage::kInGame,
                    "not loaded"},
        DamagedFile{"BoyAtNaN", nullptr, "boy-nan.xml", "", "nan", Stage::kInGame, "out of range"},
        DamagedFile{"BoyAt1e300", nullptr, "boy-big.xml", "", "1e300", Stage::kInGame, "out of range"},
        DamagedFile{"BoyAtMinusInfinity", nullptr, "boy-inf.xml", "", "-inf", Stage::kInGame, "out of range"},
        DamagedFile{"BoyOutsideTheWorld", nullptr, "boy-far.xml", "", "1e6", Stage::kInGame, "out of range"}),
    CaseName());

}  // namespace
