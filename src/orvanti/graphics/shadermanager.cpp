// Programs and shaders shared by name; see shadermanager.h.
#include "shadermanager.h"

#include "gfxfragmentshader.h"
#include "gfxshaderprogram.h"
#include "gfxvertexshader.h"
#include "ownedlist.h"

#include <cstring>

namespace {

template <typename T> T* FindByName(const std::list<std::unique_ptr<T>>& list, const char* name)
{
    if (!name)
        return nullptr;
    for (const auto& item : list)
        if (std::strcmp(item->GetName(), name) == 0)
            return item.get();
    return nullptr;
}

// The shader of that base name, made, compiled once more and kept when new.
template <typename T> T* FindOrMake(std::list<std::unique_ptr<T>>& list, const char* name)
{
    if (T* found = FindByName(list, name))
        return found;
    list.push_back(std::make_unique<T>(name));
    list.back()->Compile();
    return list.back().get();
}

}  // namespace

ShaderManager::ShaderManager() = default;

// Programs go first: they detach the shaders they hold.
ShaderManager::~ShaderManager()
{
    ClearInListOrder(programs);
}

GfxShaderProgram* ShaderManager::GetProgram(const char* name, const char* vertexFile, const char* fragmentFile)
{
    if (GfxShaderProgram* found = FindProgram(name))
        return found;
    if (!vertexFile && !fragmentFile)
        return nullptr;
    GfxVertexShader* vertex = vertexFile ? FindOrMake(vertexShaders, vertexFile) : nullptr;
    GfxFragmentShader* fragment = fragmentFile ? FindOrMake(fragmentShaders, fragmentFile) : nullptr;
    programs.push_back(std::make_unique<GfxShaderProgram>(name, vertex, fragment));
    return programs.back().get();
}

GfxShaderProgram* ShaderManager::FindProgram(const char* name) const
{
    return FindByName(programs, name);
}

GfxVertexShader* ShaderManager::FindVertexShader(const char* name) const
{
    return FindByName(vertexShaders, name);
}

GfxFragmentShader* ShaderManager::FindFragmentShader(const char* name) const
{
    return FindByName(fragmentShaders, name);
}

void ShaderManager::RemoveProgram(GfxShaderProgram* program)
{
    RemoveOwned(programs, program);
}
