// Owns every model and loads each OBJ file at most once, keyed by its path
// exactly as given. Created and owned by the graphics component, which hands
// it the material manager the OBJ reader makes materials with.
#pragma once

#include "model.h"

#include <list>
#include <memory>

class MaterialManager;

class ModelManager {
public:
    ModelManager() = default;
    ~ModelManager();
    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    void SetMaterialManager(MaterialManager* materials) { materials_ = materials; }
    MaterialManager* GetMaterialManager() const { return materials_; }

    // The model of that path, read on first use; null (one log line) when it cannot be read.
    Model* Load(const char* path);
    // A new empty model in the list.
    Model* CreateEmpty();
    Model* Find(const char* name) const;
    // Deletes the model for every holder; a pointer not in the list changes nothing.
    void Remove(Model* model);
    void Clear();

    const std::list<std::unique_ptr<Model>>& GetModels() const { return models_; }

private:
    std::list<std::unique_ptr<Model>> models_;
    MaterialManager* materials_ = nullptr;
};
