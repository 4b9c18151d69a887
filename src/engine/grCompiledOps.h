// Instruction codes of compiled expressions and their value at one point, shared by the
// compiler (to fold constants) and the evaluators, so that folded, scalar and array
// results are the same bits.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/grEvalRules.h"

namespace grCompiledOps {

enum : uint8_t {
    // a op b
    opAdd,
    opSub,
    opMul,
    opDiv,      // fails where b == 0
    opDivSafe,  // b is a non-zero constant
    opMod,      // fails where b == 0
    opModSafe,  // b is a non-zero constant
    opPow,      // the power rule of negative bases
    opRoot,     // a^(1/b)
    // a alone, with the folded exponent c where there is one
    opSquare,           // a^2, the correctly rounded a * a
    opSquareRoot,       // a^0.5 and the square root template
    opPowPlain,         // pow(a, c): no negative base rule applies for this c
    opPowOddRoot,       // a^c with c = p/q, p and q odd: negative bases give negative values
    opPowEvenFraction,  // a^c with c = p/q, p even and q odd: negative bases give positive ones
    opSin,
    opCos,
    opTan,
    opAsin,
    opAcos,
    opAtan,
    opSinh,
    opCosh,
    opTanh,
    opErf,
    opErfc,
    opNegate,
    opAbs,
    opGamma,
    opLn,
    opLog,
    opCount,
};

inline bool isBinary(uint8_t op) {
    return op <= opRoot;
}

inline bool mayFail(uint8_t op) {
    return op == opDiv || op == opMod;
}

inline double oddRootPower(double a, double c) {
    return a < 0.0 ? -std::pow(-a, c) : std::pow(a, c);
}

inline double evenFractionPower(double a, double c) {
    return a < 0.0 ? std::pow(-a, c) : std::pow(a, c);
}

// The value of one instruction; failures are told apart by mayFail and b == 0.
inline double apply(uint8_t op, double a, double b, double c) {
    switch (op) {
        case opAdd: return a + b;
        case opSub: return a - b;
        case opMul: return a * b;
        case opDiv:
        case opDivSafe: return a / b;
        case opMod:
        case opModSafe: return std::fmod(a, b);
        case opPow: return grEvalRules::power(a, b);
        case opRoot: return grEvalRules::rootOf(a, b);
        case opSquare: return a * a;
        case opSquareRoot: return grEvalRules::squareRoot(a);
        case opPowPlain: return std::pow(a, c);
        case opPowOddRoot: return oddRootPower(a, c);
        case opPowEvenFraction: return evenFractionPower(a, c);
        case opSin: return std::sin(a);
        case opCos: return std::cos(a);
        case opTan: return std::tan(a);
        case opAsin: return std::asin(a);
        case opAcos: return std::acos(a);
        case opAtan: return std::atan(a);
        case opSinh: return std::sinh(a);
        case opCosh: return std::cosh(a);
        case opTanh: return std::tanh(a);
        case opErf: return std::erf(a);
        case opErfc: return std::erfc(a);
        case opNegate: return -a;
        case opAbs: return std::fabs(a);
        case opGamma: return grEvalRules::gammaOfFloor(a);
        case opLn: return std::log(a);
        case opLog: return std::log10(a);
        default: return NAN;
    }
}

}  // namespace grCompiledOps
