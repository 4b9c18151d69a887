// The value rules shared by the tree walk and the compiled form, so that both give the
// same bits: powers of negative bases, roots, and gamma of floor(a). The engine is built
// with -ffp-contract=off, which these rules need (no fused multiply-adds).
#pragma once

#include <cmath>

#include "engine/grCertainPow.h"

namespace grEvalRules {

// A negative base with a fractional exponent has a real value only for odd roots:
// (-8)^(1/3) = -2, while (-8)^(2/3) and (-4)^0.5 stay NaN.
inline double power(double base, double exponent) {
    double certain;
    if (exponent == 2.0 && grCertainPow::square(base, &certain)) return certain;
    if (exponent == 0.5 && grCertainPow::squareRoot(base, &certain)) return certain;
    if (!(base < 0.0) || std::fmod(exponent, 1.0) == 0.0) return std::pow(base, exponent);
    const double root = 1.0 / exponent;
    if (std::fmod(root, 1.0) == 0.0 && std::fmod(root * 0.5, 1.0) != 0.0) {
        return -std::pow(-base, exponent);
    }
    return std::pow(base, exponent);
}

// pow with an exponent the compiler cannot see: it turns pow(x, 2.0) into x * x, which
// is not the library's pow for about one input in 1,500.
inline double libraryPow(double base, double exponent) {
    asm("" : "+x"(exponent));
    return std::pow(base, exponent);
}

// pow(base, 2) and pow(base, 0.5), the certain results first.
inline double square(double base) {
    double certain;
    return grCertainPow::square(base, &certain) ? certain : libraryPow(base, 2.0);
}
inline double squareRoot(double base) {
    double certain;
    return grCertainPow::squareRoot(base, &certain) ? certain : libraryPow(base, 0.5);
}

inline double rootOf(double radicand, double index) {
    const double exponent = 1.0 / index;
    double certain;
    if (exponent == 0.5 && grCertainPow::squareRoot(radicand, &certain)) return certain;
    return std::pow(radicand, exponent);
}

inline double gammaOfFloor(double a) {
    int sign = 1;
    const double logGamma = lgamma_r(std::floor(a), &sign);
    return sign * std::exp(logGamma);
}

}  // namespace grEvalRules
