// One of the ocean's four islands: seven visual layers, each a pair of
// models (clean, dirty). Draws the clean or the dirty model of a layer, or
// cross-fades the dirty one out while its cleaning trigger counts down.
// Made by the asset loader, held by the world for the whole run, drawn
// layer by layer by the scene renderer.
#pragma once

#include "color.h"
#include "quaternion.h"
#include "refcounted.h"
#include "sceneobject.h"
#include "vec3.h"

#include <list>
#include <vector>

class Model;
class SceneNode;
struct Trigger;

constexpr int kIslandLayerCount = 7;
constexpr int kIslandModelSlots = 2 * kIslandLayerCount;  // slot 2k clean, 2k+1 dirty

class IslandModel : public SceneObject, public RefCounted {
public:
    IslandModel();
    // Gives every model back to the model manager.
    ~IslandModel() override;

    // Places the model of that file in the slot (loaded if needed).
    void SetModel(int slot, const char* modelName);
    Model* GetModel(int slot) const;

    void AddChild(SceneNode* child);
    void SetColor(float r, float g, float b, float a);
    void SetColor(const Color& color);

    void SetTrigger(Trigger* trigger) { trigger_ = trigger; }
    Trigger* GetTrigger() const { return trigger_; }
    bool IsDirty() const { return isDirty_; }
    void SetDirty(bool dirty) { isDirty_ = dirty; }
    bool IsCleaning() const { return cleaning_; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // Islands take no commands (debug break).
    void HandleCommand(int command) override;
    void Update(float dt) override;
    // Draws layer 0 only.
    void Render() override;
    void VisitChildren();

    void RenderIslandLayer();
    void RenderTreeLayer();
    void RenderWaveLayer();
    void RenderBeachLayer();
    void RenderShallowWater4Layer();
    void RenderShallowWater5Layer();
    void RenderCityLayer();
    // Layer k (0..6) as the island's state asks.
    void RenderLayer(int layer);
    void RenderModel(int slot);
    void RenderCrossFade(int layer);
    // The dirty layer's alpha while cleaning: remaining hits / hit points.
    float GetCrossFadeAlpha() const;

    // Islands live for the whole run: counting never frees them.
    void Destroy() override {}

private:
    void PushTransform() const;
    void RenderChildren();

    std::vector<Model*> models_;
    Trigger* trigger_ = nullptr;
    Vec3 scale_{1.0f, 1.0f, 1.0f};
    Vec3 position_;
    Quaternion rotation_;
    Color color_;
    int primitiveMode_ = 4;  // GL_TRIANGLES
    bool visible_ = true;
    bool isDirty_ = false;
    bool cleaning_ = false;
    std::list<SceneNode*> children_;  // not owned; empty in the game
};
