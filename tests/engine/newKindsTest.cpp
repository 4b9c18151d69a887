// Implicit curves, polar curves and inequalities beside the six older kinds.
#include <gtest/gtest.h>

#include <string>

#include "testSupport.h"

namespace {

struct EquationDeleter {
    void operator()(grEquation *q) const { grFreeEquation(q); }
};
using Equation = std::unique_ptr<grEquation, EquationDeleter>;

grExp *R() {
    return var(grVarR);
}
grExp *Theta() {
    return var(grVarTheta);
}
grExp *sq(grExp *e) {
    return pw(e, num(2));
}

struct KindRow {
    const char *name;
    grExp *tree;
    uint8_t kind;
    uint8_t relation;  // grInequalityOp's answer
};

TEST(NewKinds, Classification) {
    const KindRow rows[] = {
        {"x^2 + y^2 = 25", eq(add(sq(X()), sq(Y())), num(25)), grKind2DImplicit, 0},
        {"y^2 = x^3 - x: the left side is no lone variable", eq(sq(Y()), sub(pw(X(), num(3)), X())),
         grKind2DImplicit, 0},
        {"x - 3 = 0", eq(sub(X(), num(3)), num(0)), grKind2DImplicit, 0},
        {"2 = x", eq(num(2), X()), grKind2DImplicit, 0},
        {"k = x", eq(var(grVarK), X()), grKind2DImplicit, 0},
        {"r = 1 + cos θ", eq(R(), add(num(1), un(grFnCos, Theta()))), grKindPolar, 0},
        {"r = 2", eq(R(), num(2)), grKindPolar, 0},
        {"r = k θ", eq(R(), mul(var(grVarK), Theta())), grKindPolar, 0},
        {"y < x", bin(grOpLessThan, Y(), X()), grKind2DInequality, grOpLessThan},
        {"x < 3", bin(grOpLessThan, X(), num(3)), grKind2DInequality, grOpLessThan},
        {"y >= sin x", bin(grOpGreaterEqual, Y(), un(grFnSin, X())), grKind2DInequality,
         grOpGreaterEqual},
        {"x y > 1", bin(grOpGreaterThan, mul(X(), Y()), num(1)), grKind2DInequality,
         grOpGreaterThan},
        {"x^2 + y^2 <= 9", bin(grOpLessEqual, add(sq(X()), sq(Y())), num(9)), grKind2DInequality,
         grOpLessEqual},
    };
    for (const KindRow &row : rows) {
        Equation q(grNewEquation(row.tree));
        ASSERT_NE(q, nullptr) << row.name << ": " << gGraphExpressionError;
        EXPECT_EQ(q->kind, row.kind) << row.name;
        EXPECT_EQ(grInequalityOp(q.get()), row.relation) << row.name;
    }
}

// The sides are kept for the renderers: left in x, right in y; f(θ) in y.
TEST(NewKinds, Components) {
    grExp *left = mul(X(), Y()), *right = num(1);
    Equation implicit(grNewEquation(eq(left, right)));
    ASSERT_NE(implicit, nullptr);
    EXPECT_EQ(implicit->x, left);
    EXPECT_EQ(implicit->y, right);

    grExp *f = un(grFnSin, mul(num(4), Theta()));
    Equation polar(grNewEquation(eq(R(), f)));
    ASSERT_NE(polar, nullptr);
    EXPECT_EQ(polar->y, f);
    EXPECT_EQ(polar->x, nullptr);

    // θ is read from the t slot; r alone is never evaluated.
    Tree theta(Theta()), radius(R());
    double value = 0.0;
    EXPECT_EQ(evalAt(theta.get(), &value, {0.0, 0.25, 3.0, 4.0, 0.0}), 0);
    EXPECT_EQ(value, 0.25);
    EXPECT_EQ(evalAt(radius.get(), &value, {0.0, 0.25, 3.0, 4.0, 0.0}), -1);
}

struct FailureRow {
    const char *name;
    grExp *tree;
    std::string message;
};

TEST(NewKinds, WhatStillCannotBeDrawn) {
    const std::string polar = "r = f(θ) cannot contain X, Y, Z, S or T.";
    const std::string inequality = "inequalities can only be in X and Y.";
    const std::string leftSide = "left hand side of '=' must be X, Y or Z.";
    const FailureRow rows[] = {
        {"r = x", eq(R(), X()), polar},
        {"r = t", eq(R(), T()), polar},
        {"y < t", bin(grOpLessThan, Y(), T()), inequality},
        {"1 < 2: no variable", bin(grOpLessThan, num(1), num(2)), inequality},
        {"θ < x", bin(grOpLessThan, Theta(), X()), inequality},
        {"y < z", bin(grOpLessThan, Y(), Z()), "cannot graph functions containing Z."},
        {"y = sin θ", eq(Y(), un(grFnSin, Theta())), "θ can only be used in r = f(θ)."},
        {"t = x: an equation in t is no curve", eq(T(), X()), leftSide},
        {"(y = x) = 2", eq(eq(Y(), X()), num(2)), leftSide},
        {"y < (x = 1)", bin(grOpLessThan, Y(), eq(X(), num(1))),
         "Cannot graph this type of equation."},
    };
    for (const FailureRow &row : rows) {
        gGraphExpressionError = nullptr;
        EXPECT_EQ(grNewEquation(row.tree), nullptr) << row.name;
        ASSERT_NE(gGraphExpressionError, nullptr) << row.name;
        EXPECT_EQ(gGraphExpressionError, row.message) << row.name;
        grFreeExp(row.tree);
    }
}

}  // namespace
