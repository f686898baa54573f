// SceneNode: a placed, scaled and oriented model with a colour, two display
// flags and reference-counted children drawn inside its matrix. The world's
// scene nodes (made by the asset loader) and the boy are scene nodes; their
// owners set the public fields directly and delete the nodes themselves.
#pragma once

#include "color.h"
#include "quaternion.h"
#include "refcounted.h"
#include "sceneobject.h"
#include "vec3.h"

#include <list>

class Model;

constexpr int kGLTriangles = 4;  // GL_TRIANGLES

// Ownership: a parent holds a counted handle on each child but never frees
// one, and its destructor releases those handles. So every child must
// outlive each parent that holds it: delete parents before their children
// (for nodes on the stack, declare the children first).
class SceneNode : public SceneObject, public RefCounted {
public:
    SceneNode() = default;
    // Releases every child handle.
    ~SceneNode() override;

    // Breaks: scene nodes take no commands.
    void HandleCommand(int command) override;
    // Updates the model when visible, then gives each child this node's
    // colour and updates it.
    void Update(float dt) override;
    // Draws the model (visible and not hidden) and then the children inside
    // translation x scale x rotation.
    void Render() override;
    // Calls VisitChildren on every child and does nothing itself.
    virtual void VisitChildren();
    // Counting never frees a node: its owner deletes it.
    void Destroy() override {}

    // The model of that path from the graphics component's model manager
    // (null when it cannot be read); the old model stays with the manager.
    Model* LoadModel(const char* path);
    // Appends one more reference to the child; the handle must not be null.
    void AddChild(const RefHandle<SceneNode>& child);
    void SetColor(float r, float g, float b, float a);
    void SetColor(const Color& color);

    Model* model = nullptr;  // owned by the model manager
    Vec3 scale{1.0f, 1.0f, 1.0f};
    Vec3 position;
    Quaternion orientation;
    Color colour;             // handed down to the children
    int mode = kGLTriangles;  // GL primitive mode for the model
    bool hidden = false;      // model not drawn (children still are)
    bool visible = true;      // model neither updated nor drawn
    std::list<RefHandle<SceneNode>> children;
};
