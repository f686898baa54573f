// Island layers: choosing, drawing and cross-fading clean and dirty models.
#include "islandmodel.h"

#include "debugbreak.h"
#include "debuglog.h"
#include "gfxcomponent.h"
#include "matrix4.h"
#include "model.h"
#include "modelmanager.h"
#include "renderstate.h"
#include "scenenode.h"
#include "trigger.h"

IslandModel::IslandModel()
    : models_(kIslandModelSlots, nullptr)
{}

IslandModel::~IslandModel()
{
    ModelManager* manager = GfxComponent::GetInstance()->models.get();
    for (Model*& model : models_) {
        if (model != nullptr && manager != nullptr) {
            manager->Remove(model);
        }
        model = nullptr;
    }
    models_.clear();
    children_.clear();
}

void IslandModel::SetModel(int slot, const char* modelName)
{
    if (slot < 0 || slot >= kIslandModelSlots) {
        DebugLog("Error! You are trying to place a model type out of range.\n");
        return;
    }
    ModelManager* manager = GfxComponent::GetInstance()->models.get();
    models_[static_cast<size_t>(slot)] = manager != nullptr ? manager->Load(modelName) : nullptr;
}

Model* IslandModel::GetModel(int slot) const
{
    return slot >= 0 && slot < kIslandModelSlots ? models_[static_cast<size_t>(slot)] : nullptr;
}

void IslandModel::AddChild(SceneNode* child)
{
    children_.push_back(child);
}

void IslandModel::SetColor(float r, float g, float b, float a)
{
    color_ = Color(r, g, b, a);
}

void IslandModel::SetColor(const Color& color)
{
    color_ = color;
}

void IslandModel::HandleCommand(int)
{
    DEBUG_BREAK("IslandModel: unsupported scene-object operation");
}

void IslandModel::Update(float dt)
{
    if (visible_) {
        for (Model* model : models_) {
            if (model != nullptr) {
                model->Update(dt);
            }
        }
    }
    if (trigger_ != nullptr) {
        if (trigger_->fired) {
            isDirty_ = false;
            cleaning_ = false;
        } else if (trigger_->effect == EFFECT_CLEAN && trigger_->remainingHits < trigger_->hitPoints) {
            cleaning_ = true;
        }
    }
    for (SceneNode* child : children_) {
        child->SetColor(color_);
        child->Update(dt);
    }
}

void IslandModel::Render()
{
    RenderModel(isDirty_ ? 1 : 0);
}

void IslandModel::VisitChildren()
{
    for (SceneNode* child : children_) {
        child->VisitChildren();
    }
}

void IslandModel::RenderIslandLayer()
{
    RenderLayer(0);
}
void IslandModel::RenderTreeLayer()
{
    RenderLayer(1);
}
void IslandModel::RenderWaveLayer()
{
    RenderLayer(2);
}
void IslandModel::RenderBeachLayer()
{
    RenderLayer(3);
}
void IslandModel::RenderShallowWater4Layer()
{
    RenderLayer(4);
}
void IslandModel::RenderShallowWater5Layer()
{
    RenderLayer(5);
}
void IslandModel::RenderCityLayer()
{
    RenderLayer(6);
}

void IslandModel::RenderLayer(int layer)
{
    if (!isDirty_) {
        RenderModel(2 * layer);
    } else if (!cleaning_) {
        RenderModel(2 * layer + 1);
    } else {
        RenderCrossFade(layer);
    }
}

void IslandModel::PushTransform() const
{
    Matrix4 translation;
    translation.MakeTranslation(position_.x, position_.y, position_.z);
    Matrix4 scale;
    scale.MakeScale(scale_.x, scale_.y, scale_.z);
    Matrix4 rotation;
    rotation.MakeRotation(rotation_);
    const Matrix4 transform = translation * scale * rotation;
    PushMatrix(transform);
}

void IslandModel::RenderChildren()
{
    for (SceneNode* child : children_) {
        child->Render();
    }
}

void IslandModel::RenderModel(int slot)
{
    if (slot < 0 || slot >= kIslandModelSlots) {
        DebugLog("ERROR: You are trying to render an invalid model!\n");
        return;
    }
    PushTransform();
    Model* model = models_[static_cast<size_t>(slot)];
    if (visible_ && model != nullptr) {
        model->Render(primitiveMode_, GfxComponent::GetInstance()->materials.get());
    }
    RenderChildren();
    PopMatrix();
}

float IslandModel::GetCrossFadeAlpha() const
{
    if (trigger_ == nullptr || trigger_->fired || trigger_->hitPoints <= 0) {
        return 0.0f;
    }
    return static_cast<float>(trigger_->remainingHits) / static_cast<float>(trigger_->hitPoints);
}

void IslandModel::RenderCrossFade(int layer)
{
    if (layer < 0 || layer >= kIslandLayerCount) {
        DebugLog("ERROR: You are trying to render an invalid model!\n");
        return;
    }
    const float alpha = GetCrossFadeAlpha();
    PushTransform();
    Model* clean = models_[static_cast<size_t>(2 * layer)];
    Model* dirty = models_[static_cast<size_t>(2 * layer + 1)];
    if (visible_ && clean != nullptr && dirty != nullptr) {
        SetColorMask(true, true, true, false);
        clean->Render(primitiveMode_, GfxComponent::GetInstance()->materials.get());
        dirty->RenderColored(1.0f, 1.0f, 1.0f, alpha, primitiveMode_, true);
    }
    RenderChildren();
    PopMatrix();
}
