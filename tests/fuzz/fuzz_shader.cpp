// Fuzzes the shader-source reader: any ".frag" file loads into a buffer
// that holds the whole text NUL-terminated, or fails with no buffer.
#include "fuzzscratch.h"
#include "shaderhelper.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuietLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteScratch("input.frag", data, size);
    const std::string base = path.substr(0, path.size() - std::strlen(".frag"));
    if (ShaderSourceSize(base.c_str(), kFragmentShaderType) != static_cast<int>(size) + 1)
        __builtin_trap();
    char* source = nullptr;
    const bool loaded = LoadShaderSource(base.c_str(), &source, kFragmentShaderType);
    if (loaded != (size > 0) || (source == nullptr) == loaded)
        __builtin_trap();
    if (source && std::memcmp(source, data, size) != 0)
        __builtin_trap();
    delete[] source;
    return 0;
}
