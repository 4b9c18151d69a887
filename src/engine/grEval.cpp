// Evaluation: a recursive walk with its temporaries on the stack, no allocation.
//
// Leaves are evaluated where their parent meets them, so only inner nodes cost a call.
// Fast cases are taken only where they are bit-identical to the plain rule (x^2 as one
// multiply equals pow(x, 2) for every double, which the tests check over a sweep).
#include <cmath>

#include "engine/grExp.h"

namespace {

int evalNode(grVariables *v, const grExp *e, double *result);

inline int evalConstant(const grVariables *v, uint8_t code, double *result) {
    switch (code) {
        case grVarT: *result = v->t; return 0;
        case grVarS: *result = v->s; return 0;
        case grVarX: *result = v->x; return 0;
        case grVarY: *result = v->y; return 0;
        case grVarK: *result = v->k; return 0;
        case grConstPi: *result = grPiValue; return 0;
        case grConstE: *result = grEValue; return 0;
        default:  // z, and codes that never occur in valid trees
            *result = 0.0;
            return -1;
    }
}

// A null child (an unfilled placeholder) fails instead of being dereferenced.
inline int evalChild(grVariables *v, const grExp *e, double *result) {
    if (!e) return -1;
    if (e->type == grExpNumber) {
        *result = *static_cast<const double *>(e->payload);
        return 0;
    }
    if (e->type == grExpConstant) return evalConstant(v, *static_cast<const uint8_t *>(e->payload), result);
    return evalNode(v, e, result);
}

// A negative base with a fractional exponent has a real value only for odd roots:
// (-8)^(1/3) = -2, while (-8)^(2/3) and (-4)^0.5 stay NaN.
inline double power(double base, double exponent) {
    if (exponent == 2.0) return base * base;
    if (!(base < 0.0) || std::fmod(exponent, 1.0) == 0.0) return std::pow(base, exponent);
    const double root = 1.0 / exponent;
    if (std::fmod(root, 1.0) == 0.0 && std::fmod(root * 0.5, 1.0) != 0.0) {
        return -std::pow(-base, exponent);
    }
    return std::pow(base, exponent);
}

inline double gammaOfFloor(double a) {
    int sign = 1;
    const double logGamma = lgamma_r(std::floor(a), &sign);
    return sign * std::exp(logGamma);
}

inline int evalBinary(grVariables *v, const grBinaryExp *p, double *result) {
    double left, right;
    if (evalChild(v, p->left, &left) != 0) return -1;
    if (evalChild(v, p->right, &right) != 0) return -1;
    switch (p->op) {
        case grOpAdd: *result = left + right; return 0;
        case grOpSub: *result = left - right; return 0;
        case grOpMul: *result = left * right; return 0;
        case grOpDiv:
            if (right == 0.0) return -1;
            *result = left / right;
            return 0;
        case grOpPow: *result = power(left, right); return 0;
        case grOpRoot: *result = std::pow(left, 1.0 / right); return 0;
        case grOpMod:
            if (right == 0.0) return -1;
            *result = std::fmod(left, right);
            return 0;
        default:  // relations and the comma are not evaluable
            *result = 0.0;
            return -1;
    }
}

int evalDeriv(grVariables *v, double grVariables::*slot, grExp *e, double *result);

inline int evalUnary(grVariables *v, const grUnaryExp *p, double *result) {
    double a;
    if (evalChild(v, p->operand, &a) != 0) return -1;
    switch (p->fn) {
        case grFnSin: *result = std::sin(a); return 0;
        case grFnCos: *result = std::cos(a); return 0;
        case grFnTan: *result = std::tan(a); return 0;
        case grFnAsin: *result = std::asin(a); return 0;
        case grFnAcos: *result = std::acos(a); return 0;
        case grFnAtan: *result = std::atan(a); return 0;
        case grFnSinh: *result = std::sinh(a); return 0;
        case grFnCosh: *result = std::cosh(a); return 0;
        case grFnTanh: *result = std::tanh(a); return 0;
        case grFnErf: *result = std::erf(a); return 0;
        case grFnErfc: *result = std::erfc(a); return 0;
        case grFnNegate: *result = -a; return 0;
        case grFnAbs: *result = std::fabs(a); return 0;
        case grFnGamma: *result = gammaOfFloor(a); return 0;
        case grFnLn: *result = std::log(a); return 0;
        case grFnLog: *result = std::log10(a); return 0;
        case grFnDx: return evalDeriv(v, &grVariables::x, p->operand, result);
        case grFnDy: return evalDeriv(v, &grVariables::y, p->operand, result);
        default: return -1;
    }
}

int evalNode(grVariables *v, const grExp *e, double *result) {
    switch (e->type) {
        case grExpBinary: return evalBinary(v, static_cast<const grBinaryExp *>(e->payload), result);
        case grExpUnary: return evalUnary(v, static_cast<const grUnaryExp *>(e->payload), result);
        case grExpNumber: *result = *static_cast<const double *>(e->payload); return 0;
        case grExpConstant:
            return evalConstant(v, *static_cast<const uint8_t *>(e->payload), result);
        default: *result = 0.0; return -1;
    }
}

// Central difference over +-1e-10; every exit puts the slot back, so derivatives nest.
int evalDeriv(grVariables *v, double grVariables::*slot, grExp *e, double *result) {
    constexpr double step = 1e-10;
    constexpr double span = 2e-10;
    const double saved = v->*slot;
    double below, above;
    v->*slot = saved - step;
    if (evalChild(v, e, &below) != 0) {
        v->*slot = saved;
        return -1;
    }
    v->*slot = saved + step;
    if (evalChild(v, e, &above) != 0) {
        v->*slot = saved;
        return -1;
    }
    v->*slot = saved;
    *result = (above - below) / span;
    return 0;
}

}  // namespace

int grEvalExp(grVariables *v, grExp *e, double *result) { return evalChild(v, e, result); }

int grEvalBinaryExp(grVariables *v, grBinaryExp *payload, double *result) {
    return evalBinary(v, payload, result);
}

int grEvalUnaryExp(grVariables *v, grUnaryExp *payload, double *result) {
    return evalUnary(v, payload, result);
}

int grEvalNumberExp(grVariables *, double *payload, double *result) {
    *result = *payload;
    return 0;
}

int grEvalConstantExp(grVariables *v, uint8_t *payload, double *result) {
    return evalConstant(v, *payload, result);
}

int grEvalEquation(grVariables *v, grEquation *q, double *result) {
    return grEvalExp(v, q->x, result);
}

int grEvalDerivX(grVariables *v, grExp *e, double *result) {
    return evalDeriv(v, &grVariables::x, e, result);
}

int grEvalDerivY(grVariables *v, grExp *e, double *result) {
    return evalDeriv(v, &grVariables::y, e, result);
}

int grEvalDerivT(grVariables *v, grExp *e, double *result) {
    return evalDeriv(v, &grVariables::t, e, result);
}

int grIsinf(double value) { return value == INFINITY ? 1 : 0; }
