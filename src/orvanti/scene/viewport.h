// Viewport: draws a scene object through a free camera into a rectangle of
// the window. Part of the engine; the game itself does not build one.
#pragma once

#include "sceneobject.h"

#include <memory>

class Camera;

class Viewport {
public:
    // The camera is borrowed; the scene is owned and deleted with the viewport.
    Viewport(Camera* camera, int x, int y, int width, int height, std::unique_ptr<SceneObject> scene);

    // False without a camera, or with a camera of height 0; otherwise sets
    // the viewport, projection and view, clears depth, draws the scene.
    bool Render();

    Camera* GetCamera() const { return camera_; }
    SceneObject* GetScene() const { return scene_.get(); }

private:
    Camera* camera_ = nullptr;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<SceneObject> scene_;
};
