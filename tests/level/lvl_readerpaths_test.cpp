// Every file reader opens paths written with "\\" and refuses what is not a
// regular file (a folder, a pipe, a device) without blocking or aborting.
// Each read runs in a child process with an alarm, so a reader that hangs or
// aborts fails its case instead of the suite.
#include "../sound/soundtestsupport.h"
#include "world_headless.h"

#include "animatedmaterial.h"
#include "configfile.h"
#include "gameplan.h"
#include "keyframeanimation.h"
#include "materialmanager.h"
#include "model.h"
#include "morvofiles.h"
#include "mtlfile.h"
#include "objfile.h"
#include "texture.h"
#include "texturemanager.h"
#include "tgafile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr unsigned int kReadSeconds = 20;

struct Reader {
    const char* name;
    const char* fileName;  // the frame search needs names of its own pattern
    std::function<std::string()> content;
    std::function<bool(const std::string& path)> read;  // true: read as a good file
};

void PrintTo(const Reader& r, std::ostream* os)
{
    *os << r.name;
}

std::string Text(const char* text)
{
    return text;
}

std::string SmallWav()
{
    TempFolder scratch;
    WriteIndexWav(scratch.File("w.wav"), 10);
    std::ifstream file(scratch.File("w.wav"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

const Reader kReaders[] = {
    {"tga", "image.tga", [] { return SolidTga(1, 2, 3); },
     [](const std::string& path) {
         Texture texture;
         PixelBuffer pixels;
         return TgaFile().Load(&texture, pixels, path.c_str());
     }},
    {"mtl", "lib.mtl", [] { return Text("newmtl a\nKd 1 0 0\n"); },
     [](const std::string& path) {
         std::vector<MtlRecord> records;
         return MtlReader().ReadFile(path.c_str(), records) && records.size() == 1 && records[0].name == "a";
     }},
    {"obj", "model.obj", [] { return Text("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"); },
     [](const std::string& path) {
         TextureManager textures;
         MaterialManager materials(&textures);
         Model model;
         return ObjLoader(&materials).Read(&model, path.c_str()) && model.GetTriangleCount() == 1;
     }},
    {"animatedFrames", "frame_2_0.tga", [] { return SolidTga(1, 2, 3); },
     [](const std::string& path) {
         TextureManager textures;
         AnimatedMaterial material;
         return material.Load(path.c_str(), &textures) && material.GetFrameCount() == 1;
     }},
    {"config", "config.txt", [] { return Text("A: 1\n"); },
     [](const std::string& path) {
         ConfigFile config;
         return config.Load(path) && config.GetInt("A") == 1;
     }},
    {"keyframe", "anim.txt", [] { return Text("Object: a\nKeyframe: 2\nEnd\nEnd\n"); },
     [](const std::string& path) {
         KeyframeAnimation animation;
         return animation.LoadForWindow(path, 1024, 768) && animation.GetDuration() == 2.0f;
     }},
    {"level", "level.xml",
     [] { return Text("<MorvoLevel><Boy x=\"1\"/><MorvoLayer><Morvos/></MorvoLayer></MorvoLevel>"); },
     [](const std::string& path) { return MorvoFiles::LoadLevel(path); }},
    {"gameplan", "GamePlan.xml", [] { return Text("<GamePlan><Environment/><Assets/><Story/></GamePlan>"); },
     [](const std::string& path) { return GamePlan::GetInstance()->LoadFile(path); }},
    {"soundSample", "shot.wav", SmallWav,
     [](const std::string& path) { return AudioMixer(2).LoadSample(path) != nullptr; }},
    {"soundStream", "music.wav", SmallWav,
     [](const std::string& path) { return AudioMixer(2).OpenStream(path) != nullptr; }},
};

class ReaderPathTest : public HeadlessWorldTest, public ::testing::WithParamInterface<Reader> {
protected:
    void SetUp() override
    {
        HeadlessWorldTest::SetUp();
        SetUpLevel();
    }

    // 1 when the reader took the file as good, 0 when it refused it; 128 +
    // a signal number when it aborted or did not return in time.
    int ReadInChild(const std::string& path)
    {
        return RunInChild([&] {
            ::alarm(kReadSeconds);
            LogCapture quiet;
            return GetParam().read(path) ? 1 : 0;
        });
    }

    TempFolder folder_;
};

TEST_P(ReaderPathTest, OpensBackslashPaths)
{
    folder_.Write(std::string("sub/") + GetParam().fileName, GetParam().content());
    EXPECT_EQ(ReadInChild(folder_.Path() + "\\sub\\" + GetParam().fileName), 1);
}

TEST_P(ReaderPathTest, RefusesWhatIsNotARegularFile)
{
    const std::string name = GetParam().fileName;
    std::filesystem::create_directories(folder_.File("folder/" + name));
    std::filesystem::create_directories(folder_.File("pipe"));
    ASSERT_EQ(::mkfifo(folder_.File("pipe/" + name).c_str(), 0600), 0);
    std::filesystem::create_directories(folder_.File("zero"));
    std::filesystem::create_symlink("/dev/zero", folder_.File("zero/" + name));
    for (const char* kind : {"folder", "pipe", "zero", "missing"})
        EXPECT_EQ(ReadInChild(folder_.File(std::string(kind) + "/" + name)), 0) << kind;
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderPathTest, ::testing::ValuesIn(kReaders), CaseName());

}  // namespace
