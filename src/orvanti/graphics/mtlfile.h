// Reader of Wavefront MTL material libraries: one MtlRecord per newmtl entry.
// The OBJ reader reads the library named on its mtllib line and has the
// material manager turn the record a group names into a material.
#pragma once

#include "color.h"

#include <string>
#include <vector>

class MaterialManager;

struct MtlRecord {
    std::string name;  // newmtl
    Color Kd{0.0f, 0.0f, 0.0f, 0.0f};
    Color Ka{0.0f, 0.0f, 0.0f, 0.0f};
    Color Ks{0.0f, 0.0f, 0.0f, 0.0f};
    Color Tf{0.0f, 0.0f, 0.0f, 0.0f};
    float Tr = 0.0f;
    float Ni = 0.0f;
    float Ns = 0.0f;
    std::string texturePath;  // map_Kd, with the library's directory in front
};

class MtlReader {
public:
    explicit MtlReader(MaterialManager* materials = nullptr)
        : materials_(materials)
    {}

    // Reads directory/fileName (fileName alone when the directory is null or empty).
    bool Load(const char* directory, const char* fileName, std::vector<MtlRecord>& records);
    // Appends the file's records to the list; false (one log line) when it cannot be opened.
    bool ReadFile(const char* path, std::vector<MtlRecord>& records);
    static void DumpRecords(const std::vector<MtlRecord>& records);
    MaterialManager* GetMaterialManager() const { return materials_; }

private:
    std::string directory_;
    MaterialManager* materials_ = nullptr;  // kept, not used while reading
    bool firstEntry_ = true;
};

// Everything before the last separator ("/" or "\\") of the path, written
// with "/" only; empty when it has none.
std::string GetPathDirectory(const std::string& path);
