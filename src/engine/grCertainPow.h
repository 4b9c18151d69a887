// Square roots without calling pow, where pow's answer is certain.
//
// The C library's pow is within 0.54 ulp of the exact value (its documented bound), so
// whenever the correctly rounded sqrt(x) lies within 0.45 ulp of the exact value,
// pow(x, 0.5) returns that same double. The helpers measure that distance exactly
// (Dekker's product) and answer false when it is larger, or when x is outside the range
// where the measurement is exact; the caller then calls pow. The results are thus
// bit-identical to pow, a few times faster, for about nine inputs in ten.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace grCertainPow {

inline uint64_t bitsOf(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

inline double doubleOf(uint64_t b) {
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

// The spacing of doubles above r, or 0 when r is a power of two (the spacing below differs).
inline double ulpAbove(double r) {
    const uint64_t bits = bitsOf(r);
    if ((bits & 0x000fffffffffffffULL) == 0) return 0.0;
    return doubleOf(bits & 0x7ff0000000000000ULL) * 0x1p-52;
}

// Splits a into hi + lo with 26 significant bits each, so that hi*hi, hi*lo, lo*lo are exact.
inline void split(double a, double *hi, double *lo) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    *hi = c - (c - a);
    *lo = a - *hi;
}

// ulpAbove, written so that the compiler can select instead of branch.
inline double ulpAboveBranchless(double r) {
    const uint64_t bits = bitsOf(r);
    const double spacing = doubleOf(bits & 0x7ff0000000000000ULL) * 0x1p-52;
    return (bits & 0x000fffffffffffffULL) != 0 ? spacing : 0.0;
}

// Whether s = sqrt(x) is certain, decided exactly as squareRoot below decides it, without
// branches: loops over many values test all of them first and call pow for the few
// uncertain ones after.
inline bool squareRootIsCertain(double x, double s) {
    double hi, lo;
    split(s, &hi, &lo);
    const double residual = ((x - hi * hi) - 2.0 * hi * lo) - lo * lo;
    return (x >= 0x1p-900) & (x <= 0x1p900) &
           (std::fabs(residual) <= 0.9 * s * ulpAboveBranchless(s));
}

inline bool squareRoot(double x, double *result) {
    if (!(x >= 0x1p-900 && x <= 0x1p900)) return false;
    const double s = std::sqrt(x);
    double hi, lo;
    split(s, &hi, &lo);
    const double residual = ((x - hi * hi) - 2.0 * hi * lo) - lo * lo;  // x - s*s, exactly
    // sqrt(x) - s is residual / 2s to first order; the second-order term is below 2^-100 ulp.
    if (!(std::fabs(residual) <= 0.9 * s * ulpAbove(s))) return false;
    *result = s;
    return true;
}

}  // namespace grCertainPow
