// morvo_datagen: writes the whole demo game data set into a build tree:
// run/ (working folder with the start-up file), assets/2D and assets/3D
// (the fixed "../assets/..." files) and game/ (game plan, levels,
// animations, models, textures, menu pictures, sounds and music).
// Usage: morvo_datagen <build dir>. Every file is made here, seeded.
#include <chrono>
#include <cstdio>
#include <string>

#include "datacontext.h"
#include "image.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvo_datagen <build dir>\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    DataContext ctx(argv[1]);
    if (!ctx.MakeFolders()) {
        return 1;
    }
    if (!ctx.Fonts().Ok()) {
        std::fprintf(stderr, "morvo_datagen: the DejaVu fonts (fonts-dejavu-core) are needed\n");
        return 1;
    }
    GenerateSkyAndSprites(ctx);
    GenerateIslands(ctx);
    GenerateFigures(ctx);
    GenerateMenus(ctx);
    GenerateSounds(ctx);
    GenerateStory(ctx);
    GenerateGamePlan(ctx);  // last: it writes the asset table the others filled
    ctx.Check(WriteTextList(std::string(argv[1]) + "/datagen-texts.txt", argv[1]), "datagen-texts.txt");
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("morvo_datagen: %zu assets written to %s in %.2f s\n", ctx.Assets().size(), argv[1], seconds);
    if (ctx.Failures() != 0) {
        // Without a game plan the build runs the generator again next time.
        std::remove((ctx.Dirs().game + "/GamePlan.xml").c_str());
        return 1;
    }
    return 0;
}
