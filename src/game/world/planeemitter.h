// The plane emitter: particles start at random points of a rectangle on the
// plane a x + b y + c z + d = 0 and leave along its normal.
#pragma once

#include "emitter.h"
#include "matrix4.h"

class PlaneEmitter : public Emitter {
public:
    // The plane is stored divided by the length of (a, b, c); the bounds are
    // in world units.
    PlaneEmitter(float a, float b, float c, float d, int32_t top, int32_t bottom, int32_t left, int32_t right);

    Vec3 GetPosition() override;
    Vec3 GetVelocity(float speed) override;
    void Save(TiXmlElement* parent) const override;
    // Top equal to bottom or left equal to right.
    bool IsDegenerate() const override { return heightRange_ == 0 || widthRange_ == 0; }

    float GetA() const { return a_; }
    float GetB() const { return b_; }
    float GetC() const { return c_; }
    float GetD() const { return d_; }
    int32_t GetTop() const { return top_; }
    int32_t GetBottom() const { return bottom_; }
    int32_t GetLeft() const { return left_; }
    int32_t GetRight() const { return right_; }
    const Matrix4& GetBasis() const { return basis_; }

private:
    float a_;
    float b_;
    float c_;
    float d_;
    int64_t heightRange_;  // 64 bits: the bounds may span more than int32
    int64_t widthRange_;
    int32_t top_;
    int32_t bottom_;
    int32_t left_;
    int32_t right_;
    Matrix4 basis_;
};
