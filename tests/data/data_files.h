// Small readers for the data check: the headers of TGA and WAV files, the
// structure of OBJ files, the image lines of keyframe animations, the
// texture lines of MTL libraries, and the demo data's folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Folders of the generated data set in the build tree.
std::string DataRunFolder();   // the game's working folder, run/
std::string DataGameFolder();  // the game folder seen from run/: "../game"

// The one GL window the data tests share: the world's textures belong to its
// context, so no test closes it or opens it at another size.
constexpr int kDataWindowWidth = 1024;
constexpr int kDataWindowHeight = 768;

class GamePlan;
// The game plan singleton, loaded from the demo game folder on first use.
GamePlan* DemoPlan();

struct TgaHeader {
    bool read = false;
    int idLength = 0;
    int colourMapType = 0;
    int imageType = 0;
    int width = 0;
    int height = 0;
    int depth = 0;
    int descriptor = 0;
    int64_t fileSize = 0;
};
TgaHeader ReadTgaHeader(const std::string& path);

struct WavInfo {
    bool read = false;
    int format = 0;  // 1 = PCM
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    int64_t frames = 0;
};
WavInfo ReadWavInfo(const std::string& path);
// Largest absolute 16-bit value among the last `frames` frames, 0..32768;
// -1 when the file is not 16-bit PCM.
int WavTailPeak(const std::string& path, int64_t frames);

struct ObjCheck {
    bool read = false;
    std::string mtllib;
    int groups = 0;
    int faces = 0;
    int nonTriangles = 0;    // faces with more or fewer than three corners
    int foreignIndices = 0;  // face corners naming data of an earlier group
    int badIndices = 0;      // corners naming data not (yet) in the file
};
ObjCheck CheckObj(const std::string& path);

// The "map_Kd" file names of an MTL library, as written.
std::vector<std::string> MtlTextures(const std::string& path);
// The "Image" values of a keyframe-animation file.
std::vector<std::string> AnimationImages(const std::string& path);

bool IsPowerOfTwo(int v);
// Every regular file below a folder, as paths relative to it.
std::vector<std::string> FilesBelow(const std::string& folder);
