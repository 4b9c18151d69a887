// The value rules shared by the tree walk and the compiled form, so that both give the
// same bits: powers of negative bases, roots, and gamma of floor(a). The engine is built
// with -ffp-contract=off, which these rules need (no fused multiply-adds).
#pragma once

#include <cmath>

#include "engine/grCertainPow.h"

namespace grEvalRules {

// The denominator q of a non-integer exponent p/q (q up to 64, lowest terms), with its
// numerator, or 0 when the exponent is no such fraction.
inline int fractionDenominator(double exponent, double *numerator) {
    if (!std::isfinite(exponent)) return 0;
    for (int q = 2; q <= 64; ++q) {
        const double p = std::round(exponent * q);
        if (p / q != exponent) continue;
        *numerator = p;
        return q;
    }
    return 0;
}

// A negative base with a fractional exponent p/q (in lowest terms) has a real value
// when q is odd: (-8)^(1/3) = -2, (-8)^(2/3) = 4, while (-4)^0.5 stays NaN. Exponents that
// are no fraction with a small denominator stay NaN as well. A square is base * base: the
// correctly rounded square, never further from the exact value than pow's answer (pow is
// within 0.54 ulp and differs from it for about one input in 1,500), and far cheaper.
inline double power(double base, double exponent) {
    double certain;
    if (exponent == 2.0) return base * base;
    if (exponent == 0.5 && grCertainPow::squareRoot(base, &certain)) return certain;
    if (!(base < 0.0) || std::fmod(exponent, 1.0) == 0.0) return std::pow(base, exponent);
    double p = 0.0;
    const int q = fractionDenominator(exponent, &p);
    if (q == 0 || q % 2 == 0) return std::pow(base, exponent);
    const double magnitude = std::pow(-base, exponent);
    return std::fmod(p, 2.0) == 0.0 ? magnitude : -magnitude;
}

// pow with an exponent the compiler cannot see, so that it is always the library's pow
// and never a rewrite of it that the compiler may choose for a known exponent.
inline double libraryPow(double base, double exponent) {
    asm("" : "+x"(exponent));
    return std::pow(base, exponent);
}

// pow(base, 0.5), the certain result first.
inline double squareRoot(double base) {
    double certain;
    return grCertainPow::squareRoot(base, &certain) ? certain : libraryPow(base, 0.5);
}

// The index-th root, real for a negative radicand and an odd index: root(-8, 3) = -2.
inline bool isOddWhole(double index) {
    return std::fmod(index, 2.0) != 0.0 && std::fmod(index, 1.0) == 0.0;
}
inline double rootOf(double radicand, double index) {
    const double exponent = 1.0 / index;
    double certain;
    if (exponent == 0.5 && grCertainPow::squareRoot(radicand, &certain)) return certain;
    if (radicand < 0.0 && isOddWhole(index)) return -std::pow(-radicand, exponent);
    return std::pow(radicand, exponent);
}

inline double gammaOfFloor(double a) {
    int sign = 1;
    const double logGamma = lgamma_r(std::floor(a), &sign);
    return sign * std::exp(logGamma);
}

}  // namespace grEvalRules
