// Matrix4: a 4 x 4 float matrix in OpenGL column order: element (row r,
// column c) is m[c*4 + r], and m[12..14] hold the translation. Identity by
// default. Cameras, scene nodes and the frustum build on it.
#pragma once

#include "quaternion.h"
#include "vec3.h"

class Matrix4 {
public:
    float m[16];

    Matrix4();
    Matrix4(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
            float m10, float m11, float m12, float m13, float m14, float m15);
    // 16 floats in storage order; a null pointer is a caller error and
    // leaves the identity.
    explicit Matrix4(const float* values);
    // MakeRotation (heading, pitch, roll).
    Matrix4(float heading, float pitch, float roll);
    // MakeRotation (quaternion).
    explicit Matrix4(const Quaternion& rotation);

    // this x other.
    Matrix4 operator*(const Matrix4& other) const;
    Matrix4& operator*=(const Matrix4& other);
    bool operator==(const Matrix4& other) const;

    void SetIdentity();
    Matrix4& Transpose();
    float Determinant() const;
    // A copy of this matrix when the determinant is exactly 0.
    Matrix4 Inverse() const;
    void Invert();
    // In place, for a matrix whose last row is 0, 0, 0, 1: transposes the
    // rotation and negates the translation (without rotating it).
    Matrix4& InvertRigid();

    // M x (p, 1), divided by w unless w is exactly 0.
    Vec3 TransformPoint(const Vec3& p) const;

    void SetTranslation(float x, float y, float z);
    void Translate(float x, float y, float z);
    void MakeTranslation(float x, float y, float z);
    void MakeScale(float sx, float sy, float sz);
    void MakeUniformScale(float s);
    // Scales the 3 x 3 part; translation and bottom row stay.
    void ScaleAxes(float s);

    void MakeRotation(const Quaternion& rotation);
    void MakeRotation(float angle, float axisX, float axisY, float axisZ);
    void MakeRotation(float angle, const Vec3& axis);
    void MakeRotation(float heading, float pitch, float roll);

    // The camera's frame at eye looking at target, its translation on the
    // camera's own axes; InvertRigid of it is the view matrix.
    void MakeLookAt(const Vec3& eye, const Vec3& target, const Vec3& up);
    // fovy in radians (more than 0.0001); writes only m0, m5, m10, m11, m14
    // and m15, so start from the identity.
    void MakePerspective(float fovy, float aspect, float nearPlane, float farPlane);

    // The third column negated.
    Vec3 GetForward() const { return Vec3(-m[8], -m[9], -m[10]); }
    Vec3 GetRight() const { return Vec3(m[0], m[1], m[2]); }
    Vec3 GetUp() const { return Vec3(m[4], m[5], m[6]); }
    Vec3 GetTranslation() const { return Vec3(m[12], m[13], m[14]); }

    void Nop() {}
};
