// Loading and releasing resources by asset name.
#include "assetloader.h"

#include "debugbreak.h"
#include "animatedmaterial.h"
#include "debuglog.h"
#include "gameplan.h"
#include "gfxcomponent.h"
#include "islandmodel.h"
#include "materialmanager.h"
#include "modelmanager.h"
#include "scenenode.h"
#include "soundregistry.h"
#include "texturemanager.h"

namespace {

constexpr int kNoLoopPoint = -1;
constexpr int kNoSoundHandle = -1;

// Loads the named asset into an empty pointer: a set pointer is a caller
// error; an unknown name leaves it null and returns false; otherwise the
// pointer takes whatever the manager gave (null when the file failed).
template <typename T, typename Make>
bool LoadInto(const std::string& name, T*& target, const char* alreadySet, Make make)
{
    if (target != nullptr) {
        DEBUG_BREAK(alreadySet);
        return false;
    }
    std::string path;
    if (!AssetLoader::GetAssetPath(name, &path)) {
        target = nullptr;
        return false;
    }
    target = make(path);
    return true;
}

}  // namespace

AssetLoader* AssetLoader::GetInstance()
{
    if (Singleton<AssetLoader>::FindInstance() == nullptr) {
        new AssetLoader();
    }
    return Singleton<AssetLoader>::FindInstance();
}

bool AssetLoader::GetAssetPath(const std::string& name, std::string* path)
{
    GetInstance();
    if (!GamePlan::GetInstance()->GetAssetPath(name, path)) {
        DebugLog("Warning: asset \"%s\" not defined.\n", name.c_str());
        return false;
    }
    return true;
}

bool AssetLoader::LoadModel(const std::string& name, Model*& model)
{
    return LoadInto(name, model, "AssetLoader::LoadModel into a pointer that is already set",
                    [](const std::string& path) -> Model* {
                        ModelManager* models = GfxComponent::GetInstance()->models.get();
                        return models != nullptr ? models->Load(path.c_str()) : nullptr;
                    });
}

bool AssetLoader::LoadSceneNode(const std::string& name, SceneNode*& node)
{
    if (node != nullptr) {
        DEBUG_BREAK("AssetLoader::LoadSceneNode into a pointer that is already set");
        return false;
    }
    std::string path;
    if (!GetAssetPath(name, &path)) {
        return false;
    }
    node = new SceneNode();
    node->LoadModel(path.c_str());
    return true;
}

bool AssetLoader::LoadIslandModel(const std::string& name, int slot, IslandModel*& island)
{
    std::string path;
    if (!GetAssetPath(name, &path)) {
        return false;
    }
    if (island == nullptr) {
        island = new IslandModel();
    }
    island->SetModel(slot, path.c_str());
    return true;
}

bool AssetLoader::LoadTexture(const std::string& name, Texture*& texture)
{
    return LoadInto(name, texture, "AssetLoader::LoadTexture into a pointer that is already set",
                    [](const std::string& path) -> Texture* {
                        TextureManager* textures = GfxComponent::GetInstance()->textures.get();
                        return textures != nullptr ? textures->Load(path.c_str()) : nullptr;
                    });
}

bool AssetLoader::LoadClampedTexture(const std::string& name, Texture*& texture)
{
    return LoadInto(name, texture, "AssetLoader::LoadClampedTexture into a pointer that is already set",
                    [](const std::string& path) -> Texture* {
                        TextureManager* textures = GfxComponent::GetInstance()->textures.get();
                        return textures != nullptr ? textures->LoadClamped(path.c_str()) : nullptr;
                    });
}

bool AssetLoader::LoadAnimatedTexture(const std::string& name, Material*& material)
{
    return LoadInto(name, material, "AssetLoader::LoadAnimatedTexture into a pointer that is already set",
                    [](const std::string& path) -> Material* {
                        MaterialManager* materials = GfxComponent::GetInstance()->materials.get();
                        return materials != nullptr ? materials->CreateAnimatedMaterial(path.c_str()) : nullptr;
                    });
}

bool AssetLoader::LoadSample(const std::string& name, int& handle)
{
    std::string path;
    if (!GetAssetPath(name, &path)) {
        return false;
    }
    handle = SoundRegistry::GetInstance()->LoadSample(path);
    return true;
}

bool AssetLoader::LoadStream(const std::string& name, int& handle)
{
    return LoadStreamWithLoopPoints(name, kNoLoopPoint, kNoLoopPoint, handle);
}

bool AssetLoader::LoadStreamWithLoopPoints(const std::string& name, int loopStart, int loopEnd, int& handle)
{
    std::string path;
    if (!GetAssetPath(name, &path)) {
        return false;
    }
    handle = SoundRegistry::GetInstance()->LoadStream(path, loopStart, loopEnd);
    return true;
}

void AssetLoader::ReleaseTexture(Texture*& texture)
{
    if (texture == nullptr) {
        DEBUG_BREAK("AssetLoader::ReleaseTexture with a null texture");
        return;
    }
    TextureManager* textures = GfxComponent::GetInstance()->textures.get();
    if (textures != nullptr) {
        textures->Release(texture);
    }
    texture = nullptr;
}

void AssetLoader::ReleaseSample(int& handle)
{
    SoundRegistry::GetInstance()->FreeSample(handle);
    handle = kNoSoundHandle;
}

void AssetLoader::ReleaseStream(int& handle)
{
    SoundRegistry::GetInstance()->FreeStream(handle);
    handle = kNoSoundHandle;
}

void AssetLoader::ReleaseModel(Model*& model)
{
    if (model == nullptr) {
        return;
    }
    ModelManager* models = GfxComponent::GetInstance()->models.get();
    if (models != nullptr) {
        models->Remove(model);
    }
    model = nullptr;
}

void AssetLoader::ReleaseSceneNode(SceneNode*& node)
{
    if (node == nullptr) {
        return;
    }
    delete node;
    node = nullptr;
}

void AssetLoader::ReleaseSceneNodeAndModel(SceneNode*& node)
{
    if (node == nullptr) {
        return;
    }
    ReleaseModel(node->model);
    delete node;
    node = nullptr;
}

void AssetLoader::ReleaseAnimatedTexture(Material*& material)
{
    if (material == nullptr) {
        DEBUG_BREAK("AssetLoader::ReleaseAnimatedTexture with a null material");
        return;
    }
    DebugLog("WARNING: LEAKING ANIMATED TEXTURE MEMORY");
}
