// Scene node update and drawing; see scenenode.h.
#include <GL/glew.h>

#include "scenenode.h"

#include "debugbreak.h"
#include "gfxcomponent.h"
#include "materialmanager.h"
#include "matrix4.h"
#include "model.h"
#include "modelmanager.h"

SceneNode::~SceneNode()
{
    children.clear();
}

void SceneNode::HandleCommand(int)
{
    DEBUG_BREAK("scene nodes take no commands");
}

void SceneNode::Update(float dt)
{
    if (visible && model)
        model->Update(dt);
    for (RefHandle<SceneNode>& child : children) {
        child->SetColor(colour);
        child->Update(dt);
    }
}

void SceneNode::Render()
{
    glPushMatrix();
    Matrix4 tempTrans;
    tempTrans.MakeTranslation(position.x, position.y, position.z);
    Matrix4 tempScale;
    tempScale.MakeScale(scale.x, scale.y, scale.z);
    Matrix4 tempRot(orientation);
    // Rotate, then scale, then translate.
    Matrix4 tempMat = tempTrans * tempScale * tempRot;
    glMultMatrixf(tempMat.m);
    if (visible && !hidden && model)
        model->Render(mode, GfxComponent::GetInstance()->materials.get());
    for (RefHandle<SceneNode>& child : children)
        child->Render();
    glPopMatrix();
}

void SceneNode::VisitChildren()
{
    for (RefHandle<SceneNode>& child : children)
        child->VisitChildren();
}

Model* SceneNode::LoadModel(const char* path)
{
    model = GfxComponent::GetInstance()->models->Load(path);
    return model;
}

void SceneNode::AddChild(const RefHandle<SceneNode>& child)
{
    if (!child) {
        DEBUG_BREAK("scene node child handle is null");
        return;
    }
    children.push_back(child);
}

void SceneNode::SetColor(float r, float g, float b, float a)
{
    colour = Color(r, g, b, a);
}

void SceneNode::SetColor(const Color& color)
{
    colour = color;
}
