// Text helpers shared by the materials' dumps; see material.h.
#include "material.h"

#include "debuglog.h"
#include "texture.h"

#include <cstdarg>

std::string Material::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}

void Material::PrintLinesToFile(const std::vector<std::string>& lines, FILE* file)
{
    if (!file)
        return;
    for (const std::string& line : lines)
        std::fputs(line.c_str(), file);
}

void Material::PrintLinesToLog(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        DebugLog("%s", line.c_str());
}

void Material::AppendTextureLines(std::vector<std::string>& lines, const Texture& texture)
{
    lines.push_back(Format("\t Material Texture File: %s\n", texture.GetName().c_str()));
    lines.push_back(Format("\tTexture Dimensions: %d x %d, %d bits\n", static_cast<int>(texture.GetWidth()),
                           static_cast<int>(texture.GetHeight()), static_cast<int>(texture.GetBitsPerPixel())));
    lines.push_back(Format("\tOpenGL Texture ID: %d\n", static_cast<int>(texture.GetGLTextureId())));
}
