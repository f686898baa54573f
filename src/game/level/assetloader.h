// The asset loader: turns an asset name that the game plan maps to a file
// into a loaded model, scene node, island model, texture, animated texture,
// sound sample or stream through the engine's managers. The world, the
// in-game state and the menu screens load everything by asset name here.
#pragma once

#include "singleton.h"

#include <string>

class IslandModel;
class Material;
class Model;
class SceneNode;
class Texture;

class AssetLoader : public Singleton<AssetLoader> {
public:
    static AssetLoader* GetInstance();

    // Every load returns true when the game plan lists the name; a manager's
    // own failure then shows as a null pointer or a -1 handle. An unlisted
    // name logs a warning and returns false.
    static bool GetAssetPath(const std::string& name, std::string* path);

    // The pointer must be null on entry; null again for an unlisted name.
    static bool LoadModel(const std::string& name, Model*& model);
    // The pointer must be null on entry; unchanged for an unlisted name.
    static bool LoadSceneNode(const std::string& name, SceneNode*& node);
    // Creates the island when the pointer is null, then fills the slot.
    static bool LoadIslandModel(const std::string& name, int slot, IslandModel*& island);
    static bool LoadTexture(const std::string& name, Texture*& texture);
    static bool LoadClampedTexture(const std::string& name, Texture*& texture);
    static bool LoadAnimatedTexture(const std::string& name, Material*& material);
    static bool LoadSample(const std::string& name, int& handle);
    // The whole stream loops.
    static bool LoadStream(const std::string& name, int& handle);
    static bool LoadStreamWithLoopPoints(const std::string& name, int loopStart, int loopEnd, int& handle);

    // The texture must be non-null; it is given back and the pointer nulled.
    static void ReleaseTexture(Texture*& texture);
    // The handle is -1 afterwards.
    static void ReleaseSample(int& handle);
    static void ReleaseStream(int& handle);
    static void ReleaseModel(Model*& model);
    static void ReleaseSceneNode(SceneNode*& node);
    static void ReleaseSceneNodeAndModel(SceneNode*& node);
    // Logs that the material leaks and keeps it.
    static void ReleaseAnimatedTexture(Material*& material);
};
