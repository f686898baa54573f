// Material: how a mesh group is drawn (blend function, texture, GL material
// colours). Meshes apply and bind it, models update it every frame, the
// registry dump prints it and the OBJ writer asks it for its usemtl line.
// Implemented by MtlMaterial, AnimatedMaterial and the screen-copy material.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class Texture;

class Material {
public:
    virtual ~Material() = default;

    // Sets the blend function (and, for MTL materials, the GL material colours).
    virtual void ApplyBlend() = 0;
    // Binds the material's texture, or texture 0 when it has none.
    virtual void Bind() = 0;
    // Sets only the blend function; nothing in the game calls it.
    virtual void ApplyBlendOnly() = 0;
    // Advances the material by dt seconds.
    virtual void Update(float dt) = 0;
    // The text dump, to a file or line by line to the debug log.
    virtual void PrintToFile(FILE* file) const = 0;
    virtual void PrintToLog() const = 0;
    virtual bool NameEquals(const char* name) const = 0;
    // Writes the material's own line of an OBJ file (may write nothing).
    virtual void WriteObj(FILE* file) const = 0;

protected:
    // printf-style text for the dumps.
    static std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void PrintLinesToFile(const std::vector<std::string>& lines, FILE* file);
    static void PrintLinesToLog(const std::vector<std::string>& lines);
    // The dump's three lines about a texture: file, dimensions, GL id.
    static void AppendTextureLines(std::vector<std::string>& lines, const Texture& texture);
};
