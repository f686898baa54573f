// A model manager for the partition-file fuzz targets: the "t" lines of
// their input name model files, which are not read (Load finds nothing),
// so a run never opens files named by the fuzzer.
#include "modelmanager.h"

ModelManager::~ModelManager()
{
    Clear();
}

Model* ModelManager::Load(const char*)
{
    return nullptr;
}

Model* ModelManager::CreateEmpty()
{
    models_.push_back(std::make_unique<Model>());
    return models_.back().get();
}

Model* ModelManager::Find(const char*) const
{
    return nullptr;
}

void ModelManager::Remove(Model* model)
{
    models_.remove_if([model](const std::unique_ptr<Model>& m) { return m.get() == model; });
}

void ModelManager::Clear()
{
    models_.clear();
}
