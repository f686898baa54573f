// Source loading and diagnostics for the GLSL shader classes: the size and
// text of a ".vert" (type 0) or ".frag" (type 1) file, compiling one shader
// object from its file, and the GL lookups and error draining every shader
// call makes. Needs GLEW initialised after the GL context.
#pragma once

constexpr int kVertexShaderType = 0;
constexpr int kFragmentShaderType = 1;

// Size of "<name>.vert" or "<name>.frag" plus 1; -1 when it cannot be opened.
int ShaderSourceSize(const char* name, int type);
// Reads at most size - 1 characters and stores them NUL-terminated; the
// count read, 0 on a read error, -1 when the file cannot be opened.
int ReadShaderFile(const char* name, int type, char* buffer, int size);
// A new buffer with the whole source in *source (freed with delete[]).
// False when the file cannot be opened (*source unchanged) or read (*source
// freed and null).
bool LoadShaderSource(const char* name, char** source, int type);
// Compiles a new vertex (type 0) or fragment (type 1) shader object from
// the file; the old object in *handle (when not 0) is deleted. A source
// that cannot be read gives an object without source, whose compilation
// fails. True when it compiled.
bool CompileShaderFile(const char* name, int type, unsigned int* handle);

// Links the program object; GL's link status.
bool LinkProgramObject(unsigned int program);
// Fetches the object's info log (nothing shows it).
void FetchInfoLog(unsigned int object);
// Looked up anew on every call.
int UniformLocation(unsigned int program, const char* name);
int AttribLocation(unsigned int program, const char* name);
// Reads glGetError until no error is left; true when there was one. The
// caller's file and line are not used.
bool DrainGLErrors(const char* file, int line);
