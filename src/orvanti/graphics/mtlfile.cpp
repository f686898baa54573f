// MTL library reading; see mtlfile.h.
#include "mtlfile.h"

#include "debuglog.h"
#include "filepath.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr size_t kRestOfLineLimit = 254;  // characters of a value line read at once

// The next whitespace-delimited word; false at the end of the file.
bool ReadWord(FILE* file, std::string& word)
{
    word.clear();
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c))
        c = std::fgetc(file);
    while (c != EOF && !std::isspace(c)) {
        word.push_back(static_cast<char>(c));
        c = std::fgetc(file);
    }
    if (c != EOF)
        std::ungetc(c, file);
    return !word.empty();
}

// The rest of the current line, at most kRestOfLineLimit characters (the
// newline included when it fits), as fgets reads it.
std::string ReadRestOfLine(FILE* file)
{
    std::string rest;
    while (rest.size() < kRestOfLineLimit) {
        int c = std::fgetc(file);
        if (c == EOF)
            break;
        rest.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return rest;
}

void ReadColor(FILE* file, Color& color)
{
    std::string rest = ReadRestOfLine(file);
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    int read = std::sscanf(rest.c_str(), "%f %f %f", &r, &g, &b);
    if (read >= 1)
        color.r = r;
    if (read >= 2)
        color.g = g;
    if (read >= 3)
        color.b = b;
}

void ReadValue(FILE* file, float& value)
{
    std::string rest = ReadRestOfLine(file);
    float read = 0.0f;
    if (std::sscanf(rest.c_str(), "%f", &read) == 1)
        value = read;
}

}  // namespace

std::string GetPathDirectory(const std::string& path)
{
    const std::string normalized = NormalizePath(path);
    size_t slash = normalized.rfind('/');
    return slash == std::string::npos ? std::string() : normalized.substr(0, slash);
}

bool MtlReader::Load(const char* directory, const char* fileName, std::vector<MtlRecord>& records)
{
    if (!fileName)
        return false;
    std::string path = directory && directory[0] != '\0' ? std::string(directory) + "/" + fileName : fileName;
    return ReadFile(path.c_str(), records);
}

bool MtlReader::ReadFile(const char* path, std::vector<MtlRecord>& records)
{
    if (!path)
        return false;
    FILE* file = OpenFile(path, "r");
    if (!file) {
        DebugLog("Unable to find or open the MTL file: %s\n", path);
        return false;
    }
    directory_ = GetPathDirectory(path);
    firstEntry_ = true;

    MtlRecord current;
    std::string word;
    while (ReadWord(file, word)) {
        if (word == "newmtl") {
            if (!firstEntry_) {
                records.push_back(current);
                current = MtlRecord();
            }
            ReadWord(file, current.name);
            firstEntry_ = false;
        } else if (word == "map_Kd") {
            std::string textureName;
            ReadWord(file, textureName);
            // Without a directory the bare name: "/name" would be the root.
            current.texturePath = directory_.empty() ? textureName : directory_ + "/" + textureName;
        } else if (word == "Ka") {
            ReadColor(file, current.Ka);
        } else if (word == "Kd") {
            ReadColor(file, current.Kd);
        } else if (word == "Ks") {
            ReadColor(file, current.Ks);
        } else if (word == "Tf") {
            ReadColor(file, current.Tf);
        } else if (word == "Ni") {
            ReadValue(file, current.Ni);
        } else if (word == "Ns") {
            ReadValue(file, current.Ns);
        } else if (word == "Tr") {
            ReadValue(file, current.Tr);
        }
    }
    records.push_back(current);
    std::fclose(file);
    return true;
}

void MtlReader::DumpRecords(const std::vector<MtlRecord>& records)
{
    DebugLog("Begin MTL Info Dump\n");
    DebugLog("-------------------------\n");
    DebugLog("Size of Vector: %d\n\n", static_cast<int>(records.size()));
    for (const MtlRecord& record : records) {
        DebugLog("newmtl: %s\n", record.name.c_str());
        DebugLog("map_Kd: %s\n", record.texturePath.c_str());
        DebugLog("Ka: %f %f %f\n", record.Ka.r, record.Ka.g, record.Ka.b);
        DebugLog("Kd: %f %f %f\n", record.Kd.r, record.Kd.g, record.Kd.b);
        DebugLog("Ks: %f %f %f\n", record.Ks.r, record.Ks.g, record.Ks.b);
        DebugLog("Tf: %f %f %f\n", record.Tf.r, record.Tf.g, record.Tf.b);
    }
}
