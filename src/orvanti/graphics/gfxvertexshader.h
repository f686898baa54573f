// GfxVertexShader: one GLSL vertex shader compiled from "<name>.vert".
// Programs attach it; the ShaderManager shares it by name. Needs GLEW
// initialised after the GL context.
#pragma once

#include <string>

class GfxVertexShader {
public:
    GfxVertexShader() = default;
    // Copies the name and compiles at once.
    explicit GfxVertexShader(const char* name);
    GfxVertexShader(const GfxVertexShader&) = delete;
    GfxVertexShader& operator=(const GfxVertexShader&) = delete;

    // A new GL shader object from the file (the old one is deleted); the result is IsCompiled.
    bool Compile();

    const char* GetName() const { return name.c_str(); }
    unsigned int GetHandle() const { return handle; }
    bool IsCompiled() const { return compiled; }

private:
    std::string name;
    unsigned int handle = 0;
    bool compiled = false;
};
