// FloatW: four floats worked on at once, so that a hot loop is written once
// for one lane and for four. SSE2 or NEON (AArch64) where the compiler
// offers them, plain floats otherwise; every operation rounds as the same
// scalar float operation does, so each lane gives exactly the scalar result.
// A mask is a FloatW whose lanes are all ones (true) or all zeros (false).
#pragma once

#include <cstdint>

#if defined(__SSE2__) && !defined(ORVANTI_FLOATW_SCALAR)
#include <emmintrin.h>
#define ORVANTI_FLOATW_SSE2 1
#elif defined(__ARM_NEON) && defined(__aarch64__) && !defined(ORVANTI_FLOATW_SCALAR)
#include <arm_neon.h>
#define ORVANTI_FLOATW_NEON 1
#else
#include <cmath>
#include <cstring>
#endif

// Each implementation has its own namespace, so a test may build the plain
// one beside the vector one.
#if defined(ORVANTI_FLOATW_SSE2)
inline namespace floatw_sse2 {
#elif defined(ORVANTI_FLOATW_NEON)
inline namespace floatw_neon {
#else
inline namespace floatw_scalar {
#endif

constexpr int kFloatWLanes = 4;

#if defined(ORVANTI_FLOATW_SSE2)

struct FloatW {
    __m128 v;
};

inline FloatW SplatW(float a)
{
    return {_mm_set1_ps(a)};
}
inline FloatW SetW(float a, float b, float c, float d)
{
    return {_mm_setr_ps(a, b, c, d)};
}
inline FloatW LoadW(const float* p)
{
    return {_mm_loadu_ps(p)};
}
inline void StoreW(float* p, FloatW a)
{
    _mm_storeu_ps(p, a.v);
}
inline FloatW operator+(FloatW a, FloatW b)
{
    return {_mm_add_ps(a.v, b.v)};
}
inline FloatW operator-(FloatW a, FloatW b)
{
    return {_mm_sub_ps(a.v, b.v)};
}
inline FloatW operator*(FloatW a, FloatW b)
{
    return {_mm_mul_ps(a.v, b.v)};
}
inline FloatW operator/(FloatW a, FloatW b)
{
    return {_mm_div_ps(a.v, b.v)};
}
inline FloatW SqrtW(FloatW a)
{
    return {_mm_sqrt_ps(a.v)};
}
inline FloatW LessThanW(FloatW a, FloatW b)
{
    return {_mm_cmplt_ps(a.v, b.v)};
}
inline FloatW LessEqualW(FloatW a, FloatW b)
{
    return {_mm_cmple_ps(a.v, b.v)};
}
// Lane by lane: ifTrue where the mask is set, else ifFalse.
inline FloatW SelectW(FloatW mask, FloatW ifTrue, FloatW ifFalse)
{
    return {_mm_or_ps(_mm_and_ps(mask.v, ifTrue.v), _mm_andnot_ps(mask.v, ifFalse.v))};
}
// Bit i set when lane i of the mask is.
inline int MaskBitsW(FloatW mask)
{
    return _mm_movemask_ps(mask.v);
}

#elif defined(ORVANTI_FLOATW_NEON)

struct FloatW {
    float32x4_t v;
};

inline FloatW SplatW(float a)
{
    return {vdupq_n_f32(a)};
}
inline FloatW SetW(float a, float b, float c, float d)
{
    const float lanes[4] = {a, b, c, d};
    return {vld1q_f32(lanes)};
}
inline FloatW LoadW(const float* p)
{
    return {vld1q_f32(p)};
}
inline void StoreW(float* p, FloatW a)
{
    vst1q_f32(p, a.v);
}
inline FloatW operator+(FloatW a, FloatW b)
{
    return {vaddq_f32(a.v, b.v)};
}
inline FloatW operator-(FloatW a, FloatW b)
{
    return {vsubq_f32(a.v, b.v)};
}
inline FloatW operator*(FloatW a, FloatW b)
{
    return {vmulq_f32(a.v, b.v)};
}
inline FloatW operator/(FloatW a, FloatW b)
{
    return {vdivq_f32(a.v, b.v)};
}
inline FloatW SqrtW(FloatW a)
{
    return {vsqrtq_f32(a.v)};
}
inline FloatW LessThanW(FloatW a, FloatW b)
{
    return {vreinterpretq_f32_u32(vcltq_f32(a.v, b.v))};
}
inline FloatW LessEqualW(FloatW a, FloatW b)
{
    return {vreinterpretq_f32_u32(vcleq_f32(a.v, b.v))};
}
inline FloatW SelectW(FloatW mask, FloatW ifTrue, FloatW ifFalse)
{
    return {vbslq_f32(vreinterpretq_u32_f32(mask.v), ifTrue.v, ifFalse.v)};
}
inline int MaskBitsW(FloatW mask)
{
    const uint32x4_t bits = {1, 2, 4, 8};
    return static_cast<int>(vaddvq_u32(vandq_u32(vreinterpretq_u32_f32(mask.v), bits)));
}

#else

struct FloatW {
    float v[4];
};

namespace floatw_detail {
template <typename Op> FloatW Lanes(FloatW a, FloatW b, Op op)
{
    return {{op(a.v[0], b.v[0]), op(a.v[1], b.v[1]), op(a.v[2], b.v[2]), op(a.v[3], b.v[3])}};
}
inline float Mask(bool set)
{
    const uint32_t bits = set ? 0xffffffffu : 0u;
    float mask;
    std::memcpy(&mask, &bits, sizeof mask);
    return mask;
}
inline bool IsSet(float mask)
{
    uint32_t bits;
    std::memcpy(&bits, &mask, sizeof bits);
    return bits != 0;
}
}  // namespace floatw_detail

inline FloatW SplatW(float a)
{
    return {{a, a, a, a}};
}
inline FloatW SetW(float a, float b, float c, float d)
{
    return {{a, b, c, d}};
}
inline FloatW LoadW(const float* p)
{
    return {{p[0], p[1], p[2], p[3]}};
}
inline void StoreW(float* p, FloatW a)
{
    for (int i = 0; i < kFloatWLanes; ++i) {
        p[i] = a.v[i];
    }
}
inline FloatW operator+(FloatW a, FloatW b)
{
    return floatw_detail::Lanes(a, b, [](float x, float y) { return x + y; });
}
inline FloatW operator-(FloatW a, FloatW b)
{
    return floatw_detail::Lanes(a, b, [](float x, float y) { return x - y; });
}
inline FloatW operator*(FloatW a, FloatW b)
{
    return floatw_detail::Lanes(a, b, [](float x, float y) { return x * y; });
}
inline FloatW operator/(FloatW a, FloatW b)
{
    return floatw_detail::Lanes(a, b, [](float x, float y) { return x / y; });
}
inline FloatW SqrtW(FloatW a)
{
    return floatw_detail::Lanes(a, a, [](float x, float) { return std::sqrt(x); });
}
inline FloatW LessThanW(FloatW a, FloatW b)
{
    return floatw_detail::Lanes(a, b, [](float x, float y) { return floatw_detail::Mask(x < y); });
}
inline FloatW LessEqualW(FloatW a, FloatW b)
{
    return floatw_detail::Lanes(a, b, [](float x, float y) { return floatw_detail::Mask(x <= y); });
}
inline FloatW SelectW(FloatW mask, FloatW ifTrue, FloatW ifFalse)
{
    FloatW out;
    for (int i = 0; i < kFloatWLanes; ++i) {
        out.v[i] = floatw_detail::IsSet(mask.v[i]) ? ifTrue.v[i] : ifFalse.v[i];
    }
    return out;
}
inline int MaskBitsW(FloatW mask)
{
    int bits = 0;
    for (int i = 0; i < kFloatWLanes; ++i) {
        bits |= floatw_detail::IsSet(mask.v[i]) ? 1 << i : 0;
    }
    return bits;
}

#endif

}  // inline namespace
