// The demo data keeps the rules of the engine's readers: uncompressed
// power-of-two TGA images stored bottom row first, OBJ triangles whose
// vertex data each group lists before its faces, and no "_" in folder or
// file names except animation frames named base_runtime_index.tga, and
// every text the generator drew lies inside its picture.
#include "data_files.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <cctype>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

// The start-up file's name is the game's own.
constexpr const char* kFixedNames[] = {"Bios_debug.txt"};

// The generated folders, relative to the build tree.
constexpr const char* kDataFolders[] = {"game", "assets", "run"};

std::vector<std::string> AllFiles()
{
    std::vector<std::string> out;
    for (const char* folder : kDataFolders) {
        for (const std::string& f : FilesBelow(BuildDir() + "/" + folder)) {
            out.push_back(std::string(folder) + "/" + f);
        }
    }
    return out;
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(DemoDataFormats, ImagesAreUncompressedPowerOfTwoTgasStoredBottomFirst)
{
    int images = 0;
    for (const std::string& file : AllFiles()) {
        if (!EndsWith(file, ".tga")) {
            continue;
        }
        ++images;
        TgaHeader h = ReadTgaHeader(BuildDir() + "/" + file);
        ASSERT_TRUE(h.read) << file;
        EXPECT_EQ(h.idLength, 0) << file;
        EXPECT_EQ(h.colourMapType, 0) << file;
        EXPECT_EQ(h.imageType, 2) << file;
        EXPECT_TRUE(h.depth == 24 || h.depth == 32) << file;
        EXPECT_TRUE(IsPowerOfTwo(h.width) && IsPowerOfTwo(h.height)) << file << " " << h.width << "x" << h.height;
        EXPECT_EQ(h.descriptor & 0x20, 0) << file << " is stored top row first";
        EXPECT_EQ(h.fileSize, 18 + static_cast<int64_t>(h.width) * h.height * (h.depth / 8)) << file;
    }
    EXPECT_GT(images, 100);
}

TEST(DemoDataFormats, ModelsAreTrianglesWithEachGroupsDataBeforeItsFaces)
{
    int models = 0;
    for (const std::string& file : AllFiles()) {
        if (!EndsWith(file, ".obj")) {
            continue;
        }
        ++models;
        ObjCheck obj = CheckObj(BuildDir() + "/" + file);
        ASSERT_TRUE(obj.read) << file;
        EXPECT_FALSE(obj.mtllib.empty()) << file;
        EXPECT_GT(obj.faces, 0) << file;
        EXPECT_EQ(obj.nonTriangles, 0) << file;
        EXPECT_EQ(obj.badIndices, 0) << file;
        EXPECT_EQ(obj.foreignIndices, 0) << file << " uses vertex data of an earlier group";
    }
    EXPECT_GE(models, 70);
}

TEST(DemoDataFormats, UnderscoresOnlyInAnimationFrameNames)
{
    const std::regex frame(R"([A-Za-z0-9]+_[0-9]+_[0-9]+\.tga)");
    for (const std::string& file : AllFiles()) {
        size_t slash = file.rfind('/');
        std::string folder = file.substr(0, slash);
        std::string name = file.substr(slash + 1);
        EXPECT_EQ(folder.find('_'), std::string::npos) << file;
        if (std::find(std::begin(kFixedNames), std::end(kFixedNames), name) != std::end(kFixedNames)) {
            continue;
        }
        if (name.find('_') != std::string::npos) {
            EXPECT_TRUE(std::regex_match(name, frame)) << file;
        }
    }
}

TEST(DemoDataFormats, AnimationFramesAreNumberedWithoutGaps)
{
    // A frame sequence is read by counting up from 0 until a file is missing.
    std::vector<std::string> files = AllFiles();
    for (const std::string& file : files) {
        if (!EndsWith(file, "_0.tga")) {
            continue;
        }
        std::string stem = file.substr(0, file.size() - 5);
        int frames = 0;
        int highest = -1;
        for (const std::string& other : files) {
            if (other.compare(0, stem.size(), stem) == 0 && EndsWith(other, ".tga")) {
                std::string index = other.substr(stem.size(), other.size() - stem.size() - 4);
                if (!index.empty() && std::all_of(index.begin(), index.end(), ::isdigit)) {
                    ++frames;
                    highest = std::max(highest, std::stoi(index));
                }
            }
        }
        EXPECT_GT(frames, 1) << stem;
        EXPECT_EQ(highest + 1, frames) << stem << " has a gap";
    }
}

// The generator lists every text it drew: the picture (relative to the
// build tree), its size and the text's box in its pixels.
TEST(DemoDataFormats, EveryTextLiesInsideItsPicture)
{
    std::ifstream list(BuildDir() + "/datagen-texts.txt");
    ASSERT_TRUE(list.good());
    int texts = 0;
    bool heading = false;
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string picture, text;
        int width = 0, height = 0;
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        ASSERT_TRUE(std::getline(fields, picture, '\t') && fields >> width >> height >> x0 >> y0 >> x1 >> y1) << line;
        std::getline(fields >> std::ws, text);
        ++texts;
        heading = heading || text == "Choose a daydream";
        const TgaHeader tga = ReadTgaHeader(BuildDir() + "/" + picture);
        EXPECT_EQ(tga.width, width) << picture;
        EXPECT_EQ(tga.height, height) << picture;
        EXPECT_TRUE(x0 >= 0 && y0 >= 0 && x1 <= width && y1 <= height)
            << "\"" << text << "\" in " << picture << ": " << x0 << ", " << y0 << " .. " << x1 << ", " << y1;
    }
    EXPECT_GT(texts, 50);
    EXPECT_TRUE(heading);
}

}  // namespace
