// Evaluation: a recursive walk with its temporaries on the stack, no allocation.
//
// Each node answers its value and status in registers; leaves are evaluated where their
// parent meets them, so only inner nodes cost a call. Squares are a plain product and
// square roots skip pow only where the result is certain to be pow's own.
#include <cmath>

#include "engine/grEvalRules.h"
#include "engine/grExp.h"

namespace {

// The outcome of one node, returned in registers. A failure either writes 0.0 to the
// caller's result (unknown node types, z, relations) or leaves it as it was (division by
// zero, a failed child, unknown function codes).
struct Outcome {
    double value;
    int status;  // kOk, kFailedWithZero or kFailedUnwritten
};
constexpr int kOk = 0;
constexpr int kFailedWithZero = 1;
constexpr int kFailedUnwritten = 2;

constexpr Outcome ok(double value) {
    return {value, kOk};
}
constexpr Outcome failedWithZero() {
    return {0.0, kFailedWithZero};
}
constexpr Outcome failedUnwritten() {
    return {0.0, kFailedUnwritten};
}

int finish(Outcome outcome, double *result) {
    if (outcome.status != kFailedUnwritten) *result = outcome.value;
    return outcome.status == kOk ? 0 : -1;
}

Outcome evalNode(grVariables *v, const grExp *e);

// Slot of each variable code; z has none.
constexpr double grVariables::*kSlots[] = {&grVariables::t, &grVariables::s, &grVariables::x,
                                           &grVariables::y, nullptr,         &grVariables::k};

inline Outcome evalConstant(const grVariables *v, uint8_t code) {
    if (code <= grVarK && code != grVarZ) return ok(v->*kSlots[code]);
    if (code == grConstPi) return ok(grPiValue);
    if (code == grConstE) return ok(grEValue);
    if (code == grVarTheta) return ok(v->t);
    return failedWithZero();  // z, r, and codes that never occur in valid trees
}

// Leaves are evaluated in place; a null child (an unfilled placeholder) fails.
inline Outcome evalChild(grVariables *v, const grExp *e) {
    if (!e) return failedUnwritten();
    if (e->type == grExpNumber) return ok(*static_cast<const double *>(e->payload));
    if (e->type == grExpConstant) return evalConstant(v, *static_cast<const uint8_t *>(e->payload));
    return evalNode(v, e);
}

using grEvalRules::gammaOfFloor;
using grEvalRules::power;
using grEvalRules::rootOf;

inline Outcome evalBinary(grVariables *v, const grBinaryExp *p) {
    const Outcome left = evalChild(v, p->left);
    if (left.status != kOk) return failedUnwritten();
    const Outcome right = evalChild(v, p->right);
    if (right.status != kOk) return failedUnwritten();
    const double l = left.value, r = right.value;
    switch (p->op) {
        case grOpAdd: return ok(l + r);
        case grOpSub: return ok(l - r);
        case grOpMul: return ok(l * r);
        case grOpDiv: return r == 0.0 ? failedUnwritten() : ok(l / r);
        case grOpPow: return ok(power(l, r));
        case grOpRoot: return ok(rootOf(l, r));
        case grOpMod: return r == 0.0 ? failedUnwritten() : ok(std::fmod(l, r));
        default: return failedWithZero();  // relations and the comma are not evaluable
    }
}

Outcome evalDeriv(grVariables *v, double grVariables::*slot, const grExp *e);

inline Outcome evalUnary(grVariables *v, const grUnaryExp *p) {
    const Outcome operand = evalChild(v, p->operand);
    if (operand.status != kOk) return failedUnwritten();
    const double a = operand.value;
    switch (p->fn) {
        case grFnSin: return ok(std::sin(a));
        case grFnCos: return ok(std::cos(a));
        case grFnTan: return ok(std::tan(a));
        case grFnAsin: return ok(std::asin(a));
        case grFnAcos: return ok(std::acos(a));
        case grFnAtan: return ok(std::atan(a));
        case grFnSinh: return ok(std::sinh(a));
        case grFnCosh: return ok(std::cosh(a));
        case grFnTanh: return ok(std::tanh(a));
        case grFnErf: return ok(std::erf(a));
        case grFnErfc: return ok(std::erfc(a));
        case grFnNegate: return ok(-a);
        case grFnAbs: return ok(std::fabs(a));
        case grFnGamma: return ok(gammaOfFloor(a));
        case grFnLn: return ok(std::log(a));
        case grFnLog: return ok(std::log10(a));
        case grFnDx: return evalDeriv(v, &grVariables::x, p->operand);
        case grFnDy: return evalDeriv(v, &grVariables::y, p->operand);
        default: return failedUnwritten();
    }
}

Outcome evalNode(grVariables *v, const grExp *e) {
    switch (e->type) {
        case grExpBinary: return evalBinary(v, static_cast<const grBinaryExp *>(e->payload));
        case grExpUnary: return evalUnary(v, static_cast<const grUnaryExp *>(e->payload));
        case grExpNumber: return ok(*static_cast<const double *>(e->payload));
        case grExpConstant: return evalConstant(v, *static_cast<const uint8_t *>(e->payload));
        default: return failedWithZero();
    }
}

// Central difference over +-1e-10; every exit puts the slot back, so derivatives nest.
Outcome evalDeriv(grVariables *v, double grVariables::*slot, const grExp *e) {
    constexpr double step = 1e-10;
    constexpr double span = 2e-10;
    const double saved = v->*slot;
    v->*slot = saved - step;
    const Outcome below = evalChild(v, e);
    if (below.status != kOk) {
        v->*slot = saved;
        return failedUnwritten();
    }
    v->*slot = saved + step;
    const Outcome above = evalChild(v, e);
    v->*slot = saved;
    if (above.status != kOk) return failedUnwritten();
    return ok((above.value - below.value) / span);
}

}  // namespace

int grEvalExp(grVariables *v, grExp *e, double *result) {
    return finish(evalChild(v, e), result);
}

int grEvalBinaryExp(grVariables *v, grBinaryExp *payload, double *result) {
    return finish(evalBinary(v, payload), result);
}

int grEvalUnaryExp(grVariables *v, grUnaryExp *payload, double *result) {
    return finish(evalUnary(v, payload), result);
}

int grEvalNumberExp(grVariables *, double *payload, double *result) {
    *result = *payload;
    return 0;
}

int grEvalConstantExp(grVariables *v, uint8_t *payload, double *result) {
    return finish(evalConstant(v, *payload), result);
}

int grEvalDerivX(grVariables *v, grExp *e, double *result) {
    return finish(evalDeriv(v, &grVariables::x, e), result);
}

int grEvalDerivY(grVariables *v, grExp *e, double *result) {
    return finish(evalDeriv(v, &grVariables::y, e), result);
}

int grEvalDerivT(grVariables *v, grExp *e, double *result) {
    return finish(evalDeriv(v, &grVariables::t, e), result);
}
