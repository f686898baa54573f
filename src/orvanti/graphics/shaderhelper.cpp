// Shader sources and GL diagnostics; see shaderhelper.h.
#include <GL/glew.h>

#include "shaderhelper.h"

#include <GL/glu.h>

#include "debugbreak.h"
#include "debuglog.h"
#include "filepath.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <string>

namespace {

// More errors than this in a row means no context answers.
constexpr int kMaxDrainedErrors = 64;
constexpr int kFatalExitCode = 1;

// "<name>.vert" or "<name>.frag" opened for reading; null when it cannot be.
// A type that is neither ends the program with exit code 1.
FILE* OpenSource(const char* name, int type)
{
    if (type != kVertexShaderType && type != kFragmentShaderType) {
        DebugLog("ERROR: shader type %d is neither vertex (0) nor fragment (1)\n", type);
        std::exit(kFatalExitCode);
    }
    if (!name) {
        DEBUG_BREAK("shader source needs a name");
        return nullptr;
    }
    return OpenFile(std::string(name) + (type == kVertexShaderType ? ".vert" : ".frag"), "r");
}

}  // namespace

int ShaderSourceSize(const char* name, int type)
{
    FILE* file = OpenSource(name, type);
    if (!file)
        return -1;
    struct stat info;
    const bool sized = ::fstat(fileno(file), &info) == 0 && info.st_size < INT_MAX;
    std::fclose(file);
    return sized ? static_cast<int>(info.st_size) + 1 : -1;
}

int ReadShaderFile(const char* name, int type, char* buffer, int size)
{
    FILE* file = OpenSource(name, type);
    if (!file)
        return -1;
    if (!buffer || size < 1) {
        std::fclose(file);
        return 0;
    }
    std::fseek(file, 0, SEEK_SET);
    // One place is kept for the terminating NUL.
    int count = static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(size - 1), file));
    buffer[count] = '\0';
    if (std::ferror(file))
        count = 0;
    std::fclose(file);
    return count;
}

bool LoadShaderSource(const char* name, char** source, int type)
{
    const int size = ShaderSourceSize(name, type);
    if (size == -1 || !source)
        return false;
    *source = new char[static_cast<size_t>(size)];
    if (ReadShaderFile(name, type, *source, size) > 0)
        return true;
    delete[] * source;
    *source = nullptr;
    return false;
}

bool CompileShaderFile(const char* name, int type, unsigned int* handle)
{
    const GLenum glType = type == kVertexShaderType ? GL_VERTEX_SHADER_ARB : GL_FRAGMENT_SHADER_ARB;
    char* source = nullptr;
    LoadShaderSource(name, &source, type);
    if (*handle != 0)
        glDeleteObjectARB(*handle);
    *handle = glCreateShaderObjectARB(glType);
    if (source) {
        const GLcharARB* text = source;
        glShaderSourceARB(*handle, 1, &text, nullptr);
        delete[] source;
    }
    glCompileShaderARB(*handle);
    DrainGLErrors(__FILE__, __LINE__);
    GLint compiled = 0;
    glGetObjectParameterivARB(*handle, GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
    FetchInfoLog(*handle);
    return compiled != 0;
}

bool LinkProgramObject(unsigned int program)
{
    glLinkProgramARB(program);
    DrainGLErrors(__FILE__, __LINE__);
    GLint status = 0;
    glGetObjectParameterivARB(program, GL_OBJECT_LINK_STATUS_ARB, &status);
    FetchInfoLog(program);
    return status != 0;
}

void FetchInfoLog(unsigned int object)
{
    GLint length = 0;
    GLsizei written = 0;
    DrainGLErrors(__FILE__, __LINE__);
    glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    DrainGLErrors(__FILE__, __LINE__);
    if (length > 0) {
        // The log is fetched and not shown; no memory for it ends the program.
        auto* log = static_cast<GLcharARB*>(std::malloc(static_cast<size_t>(length)));
        if (!log) {
            DebugLog("ERROR: no memory for a shader info log of %d bytes\n", length);
            std::exit(kFatalExitCode);
        }
        glGetInfoLogARB(object, length, &written, log);
        std::free(log);
        DrainGLErrors(__FILE__, __LINE__);
    }
}

int UniformLocation(unsigned int program, const char* name)
{
    return glGetUniformLocationARB(program, name);
}

int AttribLocation(unsigned int program, const char* name)
{
    const int location = glGetAttribLocationARB(program, name);
    DrainGLErrors(__FILE__, __LINE__);
    return location;
}

bool DrainGLErrors(const char*, int)
{
    bool any = false;
    for (int i = 0; i < kMaxDrainedErrors; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR)
            break;
        (void)gluErrorString(error);
        any = true;
    }
    return any;
}
