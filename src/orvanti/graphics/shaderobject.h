// ShaderObject: what the vertex and the fragment shader classes share: the
// source base name, the GL shader object compiled from "<name>.vert" (type
// 0) or "<name>.frag" (type 1), and whether it compiled. Needs GLEW
// initialised after the GL context.
#pragma once

#include "shaderhelper.h"

#include <string>

template <int Type> class ShaderObject {
public:
    ShaderObject() = default;
    // Copies the name and compiles at once.
    explicit ShaderObject(const char* fileName)
        : name(fileName ? fileName : "")
    {
        Compile();
    }
    ShaderObject(const ShaderObject&) = delete;
    ShaderObject& operator=(const ShaderObject&) = delete;

    // A new GL shader object from the file (the old one is deleted); the result is IsCompiled.
    bool Compile()
    {
        compiled = CompileShaderFile(name.c_str(), Type, &handle);
        return compiled;
    }

    const char* GetName() const { return name.c_str(); }
    unsigned int GetHandle() const { return handle; }
    bool IsCompiled() const { return compiled; }

private:
    std::string name;
    unsigned int handle = 0;
    bool compiled = false;
};
