// Scratch files for the fuzz targets; see fuzzscratch.h.
#include "fuzzscratch.h"

#include "debugoutput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

void QuietLog()
{
    SetDebugOutputHook([](const char*) {});
}

const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        // Memory-backed when the system has it: every input is a file write and read.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "morvo-fuzz-XXXXXX").string();
        const char* made = ::mkdtemp(pattern.data());
        if (!made)
            std::abort();
        return std::string(made);
    }();
    return folder;
}

std::string WriteScratch(const char* name, const uint8_t* data, size_t size)
{
    std::string path = ScratchFolder() + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}
