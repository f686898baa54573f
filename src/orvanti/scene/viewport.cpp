// Drawing a scene through a camera; see viewport.h.
#include <GL/glew.h>

#include "viewport.h"

#include "camera.h"
#include "debugbreak.h"
#include "matrix4.h"

#include <GL/glu.h>

namespace {

// The inverse of a rotation and translation: the rotation transposed, and
// the negated translation turned by it (InvertRigid alone leaves it unturned).
Matrix4 InverseOfFrame(Matrix4 frame)
{
    frame.InvertRigid();
    const Vec3 t = frame.GetTranslation();
    frame.SetTranslation(frame.m[0] * t.x + frame.m[4] * t.y + frame.m[8] * t.z,
                         frame.m[1] * t.x + frame.m[5] * t.y + frame.m[9] * t.z,
                         frame.m[2] * t.x + frame.m[6] * t.y + frame.m[10] * t.z);
    return frame;
}

}  // namespace

Viewport::Viewport(Camera* camera, int x, int y, int width, int height, std::unique_ptr<SceneObject> scene)
    : camera_(camera),
      x_(x),
      y_(y),
      width_(width),
      height_(height),
      scene_(std::move(scene))
{}

bool Viewport::Render()
{
    if (!camera_)
        return false;
    if (camera_->GetHeight() == 0) {
        DEBUG_BREAK("viewport camera has height 0");
        return false;
    }
    glViewport(x_, y_, width_, height_);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The camera's own sizes, divided as integers.
    const int aspect = camera_->GetWidth() / camera_->GetHeight();
    gluPerspective(camera_->GetFov(), static_cast<double>(aspect), camera_->GetNearPlane(), camera_->GetFarPlane());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_DEPTH_BUFFER_BIT);
    const Matrix4 view = InverseOfFrame(camera_->GetMatrix());
    glLoadMatrixf(view.m);
    if (scene_)
        scene_->Render();
    return true;
}
