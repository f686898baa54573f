// Readers for the data check (see data_files.h).
#include "data_files.h"

#include "gameplan.h"
#include "testsupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string DataRunFolder()
{
    return BuildDir() + "/run";
}

std::string DataGameFolder()
{
    return "../game";
}

GamePlan* DemoPlan()
{
    GamePlan* plan = GamePlan::GetInstance();
    if (!plan->IsLoaded()) {
        plan->Load(DataGameFolder().c_str(), "GamePlan.xml");
    }
    return plan;
}

namespace {

uint32_t U32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    size_t b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

}  // namespace

TgaHeader ReadTgaHeader(const std::string& path)
{
    TgaHeader h;
    std::ifstream in(path, std::ios::binary);
    unsigned char b[18];
    if (!in.read(reinterpret_cast<char*>(b), sizeof(b))) {
        return h;
    }
    h.read = true;
    h.idLength = b[0];
    h.colourMapType = b[1];
    h.imageType = b[2];
    h.width = U16(b + 12);
    h.height = U16(b + 14);
    h.depth = b[16];
    h.descriptor = b[17];
    in.seekg(0, std::ios::end);
    h.fileSize = static_cast<int64_t>(in.tellg());
    return h;
}

WavInfo ReadWavInfo(const std::string& path)
{
    WavInfo w;
    std::ifstream in(path, std::ios::binary);
    unsigned char riff[12];
    if (!in.read(reinterpret_cast<char*>(riff), 12) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0) {
        return w;
    }
    bool haveFormat = false;
    unsigned char chunk[8];
    while (in.read(reinterpret_cast<char*>(chunk), 8)) {
        uint32_t size = U32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            std::vector<unsigned char> f(size);
            if (size < 16 || !in.read(reinterpret_cast<char*>(f.data()), size)) {
                return w;
            }
            w.format = U16(&f[0]);
            w.channels = U16(&f[2]);
            w.sampleRate = static_cast<int>(U32(&f[4]));
            w.bits = U16(&f[14]);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (haveFormat && w.channels > 0 && w.bits > 0) {
                w.frames = size / (w.channels * (w.bits / 8));
                w.read = true;
            }
            return w;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return w;
}

int WavTailPeak(const std::string& path, int64_t frames)
{
    WavInfo w = ReadWavInfo(path);
    if (!w.read || w.format != 1 || w.bits != 16) {
        return -1;
    }
    std::ifstream in(path, std::ios::binary);
    in.seekg(0, std::ios::end);
    int64_t end = static_cast<int64_t>(in.tellg());
    int64_t bytes = std::min(frames, w.frames) * w.channels * 2;
    in.seekg(end - bytes);
    std::vector<unsigned char> data(static_cast<size_t>(bytes));
    if (!in.read(reinterpret_cast<char*>(data.data()), bytes)) {
        return -1;
    }
    int peak = 0;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        int v = static_cast<int16_t>(U16(&data[i]));
        peak = std::max(peak, v < 0 ? -v : v);
    }
    return peak;
}

ObjCheck CheckObj(const std::string& path)
{
    ObjCheck c;
    std::ifstream in(path);
    if (!in) {
        return c;
    }
    c.read = true;
    // Counts of v, vt, vn seen so far, and where the current group's data began.
    int counts[3] = {0, 0, 0};
    int groupStart[3] = {0, 0, 0};
    bool sawFaces = false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "mtllib") {
            words >> c.mtllib;
        } else if (key == "v" || key == "vt" || key == "vn") {
            if (sawFaces) {
                // Vertex data after faces starts the next group in the game's reader.
                for (int i = 0; i < 3; ++i) {
                    groupStart[i] = counts[i];
                }
                sawFaces = false;
                ++c.groups;
            }
            ++counts[key == "v" ? 0 : (key == "vt" ? 1 : 2)];
        } else if (key == "f") {
            if (!sawFaces && c.groups == 0) {
                c.groups = 1;
            }
            sawFaces = true;
            ++c.faces;
            std::string corner;
            int corners = 0;
            while (words >> corner) {
                ++corners;
                int idx[3] = {0, 0, 0};
                int part = 0;
                std::string number;
                for (size_t i = 0; i <= corner.size(); ++i) {
                    if (i == corner.size() || corner[i] == '/') {
                        idx[part] = number.empty() ? 0 : std::atoi(number.c_str());
                        number.clear();
                        if (++part == 3) {
                            break;
                        }
                    } else {
                        number += corner[i];
                    }
                }
                for (int k = 0; k < 3; ++k) {
                    if (idx[k] == 0) {
                        continue;
                    }
                    if (idx[k] < 0 || idx[k] > counts[k]) {
                        ++c.badIndices;
                    } else if (idx[k] <= groupStart[k]) {
                        ++c.foreignIndices;
                    }
                }
            }
            if (corners != 3) {
                ++c.nonTriangles;
            }
        }
    }
    return c;
}

std::vector<std::string> MtlTextures(const std::string& path)
{
    std::vector<std::string> out;
    std::ifstream in(path);
    std::string word;
    while (in >> word) {
        if (word == "map_Kd" && in >> word) {
            out.push_back(word);
        }
    }
    return out;
}

std::vector<std::string> AnimationImages(const std::string& path)
{
    std::vector<std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#') {
            continue;
        }
        size_t colon = t.find(':');
        if (colon != std::string::npos && Trim(t.substr(0, colon)) == "Image") {
            out.push_back(Trim(t.substr(colon + 1)));
        }
    }
    return out;
}

bool IsPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

std::vector<std::string> FilesBelow(const std::string& folder)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file()) {
            out.push_back(std::filesystem::relative(it->path(), folder).generic_string());
        }
    }
    return out;
}
