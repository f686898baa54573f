// GfxFragmentShader: one GLSL fragment shader compiled from "<name>.frag".
// Programs attach it; the ShaderManager shares it by name. Needs GLEW
// initialised after the GL context.
#pragma once

#include <string>

class GfxFragmentShader {
public:
    GfxFragmentShader() = default;
    // Copies the name and compiles at once.
    explicit GfxFragmentShader(const char* name);
    GfxFragmentShader(const GfxFragmentShader&) = delete;
    GfxFragmentShader& operator=(const GfxFragmentShader&) = delete;

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
