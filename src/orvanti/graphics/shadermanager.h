// ShaderManager: finds GLSL programs and shaders by name, so programs made
// from the same source files share one shader object. It keeps plain lists
// and owns what it made; it neither attaches nor links. Needs GLEW
// initialised after the GL context.
#pragma once

#include <list>
#include <memory>

class GfxFragmentShader;
class GfxShaderProgram;
class GfxVertexShader;

class ShaderManager {
public:
    ShaderManager();
    ~ShaderManager();
    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;

    // The program of that name when there is one (the files are then
    // ignored); null when both files are null; otherwise a new program with
    // the shaders of those base names, found or made (and compiled).
    GfxShaderProgram* GetProgram(const char* name, const char* vertexFile, const char* fragmentFile);
    GfxShaderProgram* FindProgram(const char* name) const;
    GfxVertexShader* FindVertexShader(const char* name) const;
    GfxFragmentShader* FindFragmentShader(const char* name) const;
    // Deletes the program when it is in the list (its shaders are detached).
    void RemoveProgram(GfxShaderProgram* program);

private:
    std::list<std::unique_ptr<GfxShaderProgram>> programs;
    std::list<std::unique_ptr<GfxVertexShader>> vertexShaders;
    std::list<std::unique_ptr<GfxFragmentShader>> fragmentShaders;
};
