// End-to-end run of the demo game with damaged files: an empty title
// picture, a garbage button sound and Daydream 1's boy at NaN. The game
// names each file, goes through the title and the level select into the
// chapter and ends normally, with no debug break.
#include "playscript.h"

#include "stateindex.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kMaxFrames = 3000;
constexpr int kDaydream1 = 1;

// The plan without an AssetDir: asset paths relative to the game folder.
std::string WithoutAssetDir(std::string plan)
{
    const std::string assetDir = "<AssetDir>data</AssetDir>";
    plan.erase(plan.find(assetDir), assetDir.size());
    for (size_t at = plan.find("path=\""); at != std::string::npos; at = plan.find("path=\"", at + 1)) {
        plan.insert(at + 6, "data/");
    }
    return plan;
}

// The plan with the asset's file replaced.
std::string WithAssetFile(std::string plan, const std::string& asset, const std::string& file)
{
    const std::string key = "name=\"" + asset + "\" path=\"";
    const size_t from = plan.find(key) + key.size();
    return plan.replace(from, plan.find('"', from) - from, file);
}

TEST(PlayTest, DamagedFilesAreNamedAndThePlayGoesOn)
{
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame([](std::string plan) {
        plan = WithAssetFile(WithoutAssetDir(plan), "MSA_BGROUND_TEX", "empty.tga");
        plan = WithAssetFile(plan, "MGEN_BUTTONOVER", "garbage.wav");
        const std::string level = "<Level>levels/daydreamone.xml</Level>";
        return plan.replace(plan.find(level), level.size(), "<Level>nanboy.xml</Level>");
    });
    folder.WriteGameFile("empty.tga", "");
    folder.WriteGameFile("garbage.wav", std::string(3000, 'g'));
    folder.WriteGameFile("nanboy.xml", "<MorvoLevel><Boy x=\"nan\" y=\"155\" z=\"0\"/>"
                                       "<MorvoLayer layer=\"0\"><Morvos/></MorvoLayer></MorvoLevel>\n");
    ScriptDriver script;
    script.AddTitleToChapter(kDaydream1);
    script.Add(StateIndex::kInGame, kFadeFrames, [](ScriptDriver&) { PlayDriver::Stop(); });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0,
                       {
                           "Entering MorvoStartState\n",
                           "ERROR: Cannot read TGA header for ../game/empty.tga.\n",
                           "Sound file ../game/garbage.wav: Format not recognised; not loaded.\n",
                           "Entering MorvoDreamState\n",
                           "Sound file ../game/garbage.wav: Format not recognised; not loaded.\n",
                           "Boy x=\"nan\" y=\"155\" z=\"0\" in ../game/nanboy.xml is out of range",
                           "Entering MorvoDemoAppstate\n",
                       });
    EXPECT_EQ(run.output.find("DEBUG BREAK"), std::string::npos) << run.output;
}

// World models that do not load (a static node, an island layer, a city, a
// model of the boy) are named and left out; the chapter still plays.
TEST(PlayTest, WorldModelsThatDoNotLoadAreNamedAndLeftOut)
{
    const char* const missing[] = {"Ocean", "Wave3big", "CityVolcano", "MorvoBoyAnim_Fast"};
    PlayFolder folder;
    folder.WriteStartup(PlayFolder::StartupText(kWidth, kHeight));
    folder.UseDemoGame([&missing](std::string plan) {
        plan = WithoutAssetDir(plan);
        for (const char* asset : missing)
            plan = WithAssetFile(plan, asset, std::string("gone/") + asset + ".obj");
        return plan;
    });
    ScriptDriver script;
    script.AddTitleToChapter(kDaydream1);
    script.Add(StateIndex::kInGame, kFadeFrames, [](ScriptDriver&) { PlayDriver::Stop(); });

    const GameRun run = RunGame(folder, &script, kMaxFrames);
    ExpectExitAndLines(run, 0,
                       {
                           "\"Ocean\" did not load",
                           "\"CityVolcano\" did not load",
                           "\"MorvoBoyAnim_Fast\" did not load",
                           "Entering MorvoStartState\n",
                           "Entering MorvoDemoAppstate\n",
                       });
    EXPECT_EQ(run.output.find("DEBUG BREAK"), std::string::npos) << run.output;
}

}  // namespace
