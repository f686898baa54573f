// Camera view of the billboard passes; see billboardview.h.
#include "billboardview.h"

#include "debugbreak.h"
#include "morvoworld.h"
#include "orbitcamera.h"

#include <GL/glew.h>

#include <cmath>

BillboardView GetBillboardView(const OrbitCamera& camera)
{
    BillboardView view;
    view.eye = camera.GetEye();
    view.forward = camera.GetLookAtMatrix().GetForward();
    return view;
}

template <typename V>
FarthestFirst<V>::FarthestFirst(V direction)
    : direction_(direction)
{
    const float length = std::sqrt(Dot(direction, direction));
    if (!(length > 0.0f) || !std::isfinite(length)) {
        DEBUG_BREAK("FarthestFirst: the view direction has no length");
        direction_ = Zero(direction);
        return;
    }
    direction_ = direction_.Normalized();
}

template class FarthestFirst<Vec2>;
template class FarthestFirst<Vec3>;

Matrix4 ReadBillboardMatrix()
{
    Matrix4 matrix;
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.m);
    matrix.SetTranslation(0.0f, 0.0f, 0.0f);
    matrix.ScaleAxes(1.0f / MorvoWorld::kWorldScale);
    matrix.Transpose();
    return matrix;
}
