// Small builders for expression trees in tests: Tree t = add(num(1), var(grVarX));
#pragma once

#include <cmath>
#include <memory>

#include "engine/engine.h"

struct TreeDeleter {
    void operator()(grExp *e) const { grFreeExp(e); }
};
using Tree = std::unique_ptr<grExp, TreeDeleter>;

inline grExp *num(double v) {
    return grNewNumberExp(v);
}
inline grExp *var(uint8_t code) {
    return grNewConstantExp(code);
}
inline grExp *bin(uint8_t op, grExp *l, grExp *r) {
    return grNewBinaryExp(op, l, r);
}
inline grExp *un(uint8_t fn, grExp *a) {
    return grNewUnaryExp(fn, a);
}
inline grExp *add(grExp *l, grExp *r) {
    return bin(grOpAdd, l, r);
}
inline grExp *sub(grExp *l, grExp *r) {
    return bin(grOpSub, l, r);
}
inline grExp *mul(grExp *l, grExp *r) {
    return bin(grOpMul, l, r);
}
inline grExp *dvd(grExp *l, grExp *r) {
    return bin(grOpDiv, l, r);
}
inline grExp *pw(grExp *l, grExp *r) {
    return bin(grOpPow, l, r);
}
inline grExp *eq(grExp *l, grExp *r) {
    return bin(grOpEquals, l, r);
}
inline grExp *comma(grExp *l, grExp *r) {
    return bin(grOpComma, l, r);
}
inline grExp *X() {
    return var(grVarX);
}
inline grExp *Y() {
    return var(grVarY);
}
inline grExp *Z() {
    return var(grVarZ);
}
inline grExp *T() {
    return var(grVarT);
}
inline grExp *S() {
    return var(grVarS);
}

// Evaluates a tree at a point; answers the status and leaves the value in *value.
inline int evalAt(grExp *e, double *value, grVariables v = {0, 0, 0, 0, 0}) {
    return grEvalExp(&v, e, value);
}

// Expects value to be expected: NaN for NaN, the same infinity, else equal within rounding.
#define EXPECT_SAME_VALUE(value, expected)          \
    do {                                            \
        const double v_ = (value), e_ = (expected); \
        if (std::isnan(e_))                         \
            EXPECT_TRUE(std::isnan(v_)) << v_;      \
        else if (std::isinf(e_))                    \
            EXPECT_EQ(v_, e_);                      \
        else                                        \
            EXPECT_DOUBLE_EQ(v_, e_);               \
    } while (0)
