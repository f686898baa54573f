// Quaternion: a rotation stored w first, (1, 0, 0, 0) by default. The
// scene nodes, the cameras and the boy keep their orientation in one;
// Matrix4 turns it into a rotation matrix.
#pragma once

#include "vec3.h"

class Matrix4;

class Quaternion {
public:
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Quaternion() = default;
    Quaternion(float wValue, float xValue, float yValue, float zValue);
    // SetEuler.
    Quaternion(float heading, float pitch, float roll);
    // SetAxisAngle.
    Quaternion(float angle, const Vec3& axis);
    // SetFromMatrix.
    explicit Quaternion(const Matrix4& matrix);

    // w = cos(angle/2), (x, y, z) = sin(angle/2) * axis; the axis is not normalised.
    void SetAxisAngle(float angle, float axisX, float axisY, float axisZ);
    void SetAxisAngle(float angle, const Vec3& axis);
    // (heading about +Y * pitch about +X) * roll about -Z.
    void SetEuler(float heading, float pitch, float roll);
    // The rotation of a rigid matrix, normalised.
    void SetFromMatrix(const Matrix4& matrix);

    // Hamilton product this * other.
    Quaternion operator*(const Quaternion& other) const;
    Quaternion& operator*=(const Quaternion& other);
    bool operator==(const Quaternion& o) const { return w == o.w && x == o.x && y == o.y && z == o.z; }

    // v turned by this (unit) quaternion.
    Vec3 Rotate(const Vec3& v) const;
    // 2 * acos(w).
    float GetAngle() const;

    // The conjugate divided by the squared length.
    Quaternion Inverse() const;
    void Invert();
    // Unchanged when the length is exactly 0.
    void Normalize();

    // Componentwise, not normalised.
    Quaternion Lerp(const Quaternion& other, float t) const;
    // Spherical interpolation along the shorter arc; always of unit length
    // for unit inputs, also for equal, opposite or nearly parallel ones.
    Quaternion Slerp(const Quaternion& other, float t) const;
};
