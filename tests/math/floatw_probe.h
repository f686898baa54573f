// Every FloatW operation over four lanes, for the tests of each
// implementation: included after floatw.h, it works with the one in scope.
#pragma once

#include "floatw.h"

struct FloatWProbe {
    float sum[4];
    float difference[4];
    float product[4];
    float quotient[4];
    float root[4];
    float smaller[4];  // SelectW by LessThanW
    int less;
    int lessEqual;
};

// The plain implementation's results, built beside the vector one.
FloatWProbe ProbeScalarFloatW(const float* a, const float* b);

namespace {
inline FloatWProbe ProbeFloatW(const float* a, const float* b)
{
    const FloatW x = LoadW(a);
    const FloatW y = SetW(b[0], b[1], b[2], b[3]);
    FloatWProbe p{};
    StoreW(p.sum, x + y);
    StoreW(p.difference, x - y);
    StoreW(p.product, x * y);
    StoreW(p.quotient, x / y);
    StoreW(p.root, SqrtW(x));
    StoreW(p.smaller, SelectW(LessThanW(x, y), x, y));
    p.less = MaskBitsW(LessThanW(x, y));
    p.lessEqual = MaskBitsW(LessEqualW(x, y));
    return p;
}
}  // namespace
