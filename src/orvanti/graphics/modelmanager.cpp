// The shared model list; see modelmanager.h.
#include "modelmanager.h"

#include "debuglog.h"
#include "objfile.h"
#include "ownedlist.h"

#include <cstring>

ModelManager::~ModelManager()
{
    Clear();
}

Model* ModelManager::Load(const char* path)
{
    if (Model* found = Find(path))
        return found;
    auto model = std::make_unique<Model>();
    ObjLoader reader(materials_);
    if (!reader.Read(model.get(), path)) {
        DebugLog("Unable to find or open the file: %s\n", path ? path : "(null)");
        return nullptr;
    }
    models_.push_back(std::move(model));
    return models_.back().get();
}

Model* ModelManager::CreateEmpty()
{
    models_.push_back(std::make_unique<Model>());
    return models_.back().get();
}

Model* ModelManager::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (const auto& model : models_)
        if (std::strcmp(model->GetName().c_str(), name) == 0)
            return model.get();
    return nullptr;
}

void ModelManager::Remove(Model* model)
{
    RemoveOwned(models_, model);
}

void ModelManager::Clear()
{
    ClearInListOrder(models_);
}
