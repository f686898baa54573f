// Fuzzes the config reader: any input loads, and every value reads through
// every getter.
#include "configfile.h"
#include "fuzzscratch.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("config.txt", data, size);
    ConfigFile config;
    if (!config.Load(path))
        __builtin_trap();
    char buffer[16];
    for (const auto& [key, value] : config.Table()) {
        config.GetInt(key);
        config.GetFloat(key);
        config.GetBool(key);
        config.GetString(key, buffer, sizeof buffer);
        if (value.size() > ConfigFile::kMaxLineLength)
            __builtin_trap();
    }
    return 0;
}
