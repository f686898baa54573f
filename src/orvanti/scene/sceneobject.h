// SceneObject: the engine's interface of a drawable thing that is advanced
// and drawn once per frame. Scene nodes and the boy implement it through
// SceneNode, the island model directly; a viewport draws one.
#pragma once

class SceneObject {
public:
    virtual ~SceneObject() = default;

    // No scene object takes commands: every implementation breaks and does nothing.
    virtual void HandleCommand(int command) = 0;
    // Advances by dt seconds.
    virtual void Update(float dt) = 0;
    // Draws with the current GL state.
    virtual void Render() = 0;
};
