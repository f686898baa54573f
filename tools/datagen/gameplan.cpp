// GamePlan.xml (environment, asset table, story) and the start-up file
// run/Bios_debug.txt.
#include <cstdio>
#include <string>

#include "datacontext.h"
#include "story.h"

namespace {

// The start-up keys: the game folder seen from run/, a 1024 x 768 window.
constexpr const char* kStartupText = "# Morvo start-up file\n"
                                     "Game: ../game\n"
                                     "ScreenWidth: 1024\n"
                                     "ScreenHeight: 768\n"
                                     "FullScreen: 0\n"
                                     "MouseInvert: 0\n";

std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

void GenerateGamePlan(DataContext& ctx)
{
    std::string bios = ctx.Dirs().run + "/Bios_debug.txt";
    FILE* f = std::fopen(bios.c_str(), "w");
    ctx.Check(f != nullptr, bios);
    if (f != nullptr) {
        std::fputs(kStartupText, f);
        ctx.Check(std::fclose(f) == 0, bios);
    }

    std::string path = ctx.Dirs().game + "/GamePlan.xml";
    // Written to a side file first so a half-written plan never looks done.
    std::string temp = path + ".part";
    f = std::fopen(temp.c_str(), "w");
    ctx.Check(f != nullptr, path);
    if (f == nullptr) {
        return;
    }
    std::fprintf(f, "<?xml version=\"1.0\" ?>\n<GamePlan>\n");
    std::fprintf(f, "    <Environment>\n        <AssetDir>%s</AssetDir>\n    </Environment>\n", kAssetDir);
    std::fprintf(f, "    <Assets>\n");
    for (const auto& [name, file] : ctx.Assets()) {
        std::fprintf(f, "        <Asset name=\"%s\" path=\"%s\" />\n", Escape(name).c_str(), Escape(file).c_str());
    }
    std::fprintf(f, "    </Assets>\n    <Story>\n        <Title>%s</Title>\n", kStoryTitle);
    for (const ChapterEntry& c : StoryChapters()) {
        std::fprintf(f, "        <Chapter>\n            <Title>%s</Title>\n", Escape(c.title).c_str());
        std::fprintf(f, "            <Intro>%s</Intro>\n", Escape(c.intro).c_str());
        std::fprintf(f, "            <Level>%s</Level>\n", Escape(c.level).c_str());
        std::fprintf(f, "            <IntroMusic>%s</IntroMusic>\n", Escape(c.introMusic).c_str());
        std::fprintf(f, "            <LevelMusic LoopStart=\"%ld\" LoopEnd=\"%ld\">%s</LevelMusic>\n", c.loopStart,
                     c.loopEnd, Escape(c.levelMusic).c_str());
        std::fprintf(f, "            <WinAnim>%s</WinAnim>\n", Escape(c.winAnim).c_str());
        std::fprintf(f, "            <LoseAnim>%s</LoseAnim>\n", Escape(c.loseAnim).c_str());
        std::fprintf(f, "        </Chapter>\n");
    }
    std::fprintf(f, "    </Story>\n</GamePlan>\n");
    ctx.Check(std::fclose(f) == 0, path);
    ctx.Check(std::rename(temp.c_str(), path.c_str()) == 0, path);
}
