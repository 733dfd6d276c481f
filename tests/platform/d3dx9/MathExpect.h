// Tolerant comparisons for the D3DX math suites: the worked values are given to six
// significant digits, so the tolerance scales with the magnitude.
#pragma once

#include <d3dx9.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace vestra::test {

inline ::testing::AssertionResult NearlyEqual(const float* actual, std::initializer_list<float> expected,
                                              float tolerance = 2e-5f) {
    int i = 0;
    for (float e : expected) {
        if (!(std::fabs(actual[i] - e) <= tolerance * std::fmax(1.0f, std::fabs(e))))
            return ::testing::AssertionFailure() << "element " << i << " is " << actual[i] << ", expected " << e;
        ++i;
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult MatricesNear(const D3DXMATRIX& a, const D3DXMATRIX& b, float tolerance = 2e-5f) {
    const float* e = b;
    return NearlyEqual(a, {e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], e[10], e[11], e[12], e[13],
                           e[14], e[15]},
                       tolerance);
}

}  // namespace vestra::test
