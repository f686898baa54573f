// The spherical and the plane emitter.
#include "planeemitter.h"
#include "sphericalemitter.h"

#include "random15.h"

#include <tinyxml.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float kSimScale = 1.0f / 200.0f;  // world units to simulation units
constexpr int kDirectionRange = 255;        // components drawn from -254..254

// Level files keep doubles with six decimals.
void SetFixedAttribute(TiXmlElement& element, const char* name, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%f", value);
    element.SetAttribute(name, text);
}

float RandomComponent()
{
    const int first = Rand15() % kDirectionRange;
    return static_cast<float>(first - Rand15() % kDirectionRange);
}

}  // namespace

Vec3 SphericalEmitter::GetPosition()
{
    return Vec3(0.0f, 0.0f, 0.0f);
}

Vec3 SphericalEmitter::GetVelocity(float speed)
{
    Vec3 direction;
    direction.z = RandomComponent();
    direction.y = RandomComponent();
    direction.x = RandomComponent();
    direction.Normalize();
    return direction * speed;
}

void SphericalEmitter::Save(TiXmlElement* parent) const
{
    TiXmlElement emitter("Emitter");
    emitter.SetAttribute("type", "SPHERICAL_EMITTER");
    parent->InsertEndChild(emitter);
}

PlaneEmitter::PlaneEmitter(float a, float b, float c, float d, int32_t top, int32_t bottom, int32_t left, int32_t right)
    : Emitter(kPlaneEmitterType),
      a_(a),
      b_(b),
      c_(c),
      d_(d),
      heightRange_(std::abs(int64_t{top} - bottom)),
      widthRange_(std::abs(int64_t{right} - left)),
      top_(top),
      bottom_(bottom),
      left_(left),
      right_(right)
{
    // The basis is built from the plane as given, before it is normalised;
    // only the third column is the unit normal.
    const Vec3 normal(a, b, c);
    const Vec3 right3 = normal.Cross(Vec3(0.0f, 1.0f, 0.0f));
    const Vec3 realUp = right3.Cross(normal);
    const float length = normal.Length();
    if (length != 0.0f) {
        a_ = a / length;
        b_ = b / length;
        c_ = c / length;
        d_ = d / length;
    }
    basis_ = Matrix4(right3.x, right3.y, right3.z, 0.0f,  //
                     realUp.x, realUp.y, realUp.z, 0.0f,  //
                     a_, b_, c_, 0.0f,                    //
                     0.0f, 0.0f, 0.0f, 1.0f);
}

Vec3 PlaneEmitter::GetPosition()
{
    if (IsDegenerate()) {
        return Vec3(0.0f, 0.0f, 0.0f);
    }
    const float x = static_cast<float>(Rand15() % widthRange_ + left_);
    const float y = static_cast<float>(Rand15() % heightRange_ + bottom_);
    const Vec3 p = Vec3(x, y, d_) * kSimScale;
    return basis_.TransformPoint(p);
}

Vec3 PlaneEmitter::GetVelocity(float speed)
{
    return Vec3(a_, b_, c_) * speed;
}

void PlaneEmitter::Save(TiXmlElement* parent) const
{
    TiXmlElement emitter("Emitter");
    emitter.SetAttribute("type", "PLANE_EMITTER");
    TiXmlElement plane("Plane");
    SetFixedAttribute(plane, "a", a_);
    SetFixedAttribute(plane, "b", b_);
    SetFixedAttribute(plane, "c", c_);
    SetFixedAttribute(plane, "d", d_);
    emitter.InsertEndChild(plane);
    TiXmlElement bounds("Bounds");
    bounds.SetAttribute("top", top_);
    bounds.SetAttribute("bottom", bottom_);
    bounds.SetAttribute("left", left_);
    bounds.SetAttribute("right", right_);
    emitter.InsertEndChild(bounds);
    parent->InsertEndChild(emitter);
}
