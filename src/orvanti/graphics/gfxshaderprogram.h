// GfxShaderProgram: a GLSL program object with at most one vertex and one
// fragment shader: attaches them, links, makes itself current and sets
// uniforms by name (looked up on every call). The screen-copy material and
// the ShaderManager make them. Needs GLEW initialised after the GL context.
#pragma once

#include <memory>
#include <string>

class GfxFragmentShader;
class GfxVertexShader;

constexpr size_t kMaxProgramNameLength = 39;

class GfxShaderProgram {
public:
    // A new GL program object; names longer than 39 characters are cut.
    explicit GfxShaderProgram(const char* name);
    // The same, keeping the two shaders (either may be null) unattached.
    GfxShaderProgram(const char* name, GfxVertexShader* vertex, GfxFragmentShader* fragment);
    // Detaches the shaders that are set; the GL program object stays.
    ~GfxShaderProgram();
    GfxShaderProgram(const GfxShaderProgram&) = delete;
    GfxShaderProgram& operator=(const GfxShaderProgram&) = delete;

    // A new shader from "<name>.vert" (or ".frag"), compiled once more and
    // attached; the program owns it.
    void AttachVertexShader(const char* fileName);
    void AttachFragmentShader(const char* fileName);
    // The caller's shader (not owned), attached.
    void AttachVertexShader(GfxVertexShader* shader);
    void AttachFragmentShader(GfxFragmentShader* shader);

    // False at once when a shader that is set did not compile; otherwise GL's link status.
    bool Link();
    void Use();
    void Unuse();
    const char* GetName() const { return name.c_str(); }
    unsigned int GetHandle() const { return handle; }
    GfxVertexShader* GetVertexShader() const { return vertexShader; }
    GfxFragmentShader* GetFragmentShader() const { return fragmentShader; }

    void SetDeltaT(float dt);
    void SetUniform1i(const char* uniform, int a);
    void SetUniform2i(const char* uniform, int a, int b);
    void SetUniform3i(const char* uniform, int a, int b, int c);
    void SetUniform4i(const char* uniform, int a, int b, int c, int d);
    void SetUniform1f(const char* uniform, float a);
    void SetUniform2f(const char* uniform, float a, float b);
    void SetUniform3f(const char* uniform, float a, float b, float c);
    void SetUniform4f(const char* uniform, float a, float b, float c, float d);
    // numElem 1 to 4 values per element; anything else logs and sets nothing.
    void SetUniformiv(const char* uniform, int numElem, int count, const int* values);
    void SetUniformfv(const char* uniform, int numElem, int count, const float* values);
    void SetUniformMatrix2(const char* uniform, int count, bool transpose, const float* values);
    void SetUniformMatrix3(const char* uniform, int count, bool transpose, const float* values);
    void SetUniformMatrix4(const char* uniform, int count, bool transpose, const float* values);
    void BindAttribLocation(unsigned int index, const char* attribute);
    // Takes two values and does nothing.
    void Nop(unsigned int, unsigned int) {}

private:
    unsigned int handle = 0;
    std::string name;
    GfxVertexShader* vertexShader = nullptr;
    GfxFragmentShader* fragmentShader = nullptr;
    std::unique_ptr<GfxVertexShader> ownedVertexShader;
    std::unique_ptr<GfxFragmentShader> ownedFragmentShader;
};
