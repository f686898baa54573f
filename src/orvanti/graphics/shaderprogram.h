// ShaderProgram: the older GLSL program class. It owns lists of vertex and
// fragment shaders made from source files, binds "delta_t" to attribute 1
// before linking, and sets a fixed set of brick uniforms when made current.
// Needs GLEW initialised after the GL context.
#pragma once

#include <memory>
#include <vector>

class GfxFragmentShader;
class GfxVertexShader;

class ShaderProgram {
public:
    ShaderProgram();
    // Detaches and deletes every shader.
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    void AddVertexShader(const char* fileName);
    void AddFragmentShader(const char* fileName);
    // False at once when a shader did not compile; otherwise GL's link status.
    bool Link();
    void Use();
    void Unuse();
    void SetDeltaT(float dt);

    unsigned int GetHandle() const { return handle; }

private:
    unsigned int handle = 0;
    std::vector<std::unique_ptr<GfxVertexShader>> vertexShaders;
    std::vector<std::unique_ptr<GfxFragmentShader>> fragmentShaders;
};
