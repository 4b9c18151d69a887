#include <gtest/gtest.h>

#include <string>

#include "testSupport.h"

namespace {

struct EquationDeleter {
    void operator()(grEquation *q) const { grFreeEquation(q); }
};
using Equation = std::unique_ptr<grEquation, EquationDeleter>;

const std::string kPlaceholder = "\"?\" must be replaced before graphing.";
const std::string kParametric = "incorrect syntax for parametric graph.";
const std::string kLeftSide = "left hand side of '=' must be X, Y or Z.";
const std::string kContainsZ = "cannot graph functions containing Z.";
const std::string kRelation = "Cannot graph this type of equation.";

grExp *sq(grExp *e) {
    return pw(e, num(2));
}
grExp *list3(grExp *a, grExp *b, grExp *c) {
    return comma(comma(a, b), c);
}

struct KindRow {
    const char *name;
    grExp *tree;
    uint8_t kind;
};

TEST(Classification, Kinds) {
    const KindRow rows[] = {
        {"y = x^2", eq(Y(), sq(X())), grKindYOfX},
        {"x^2", sq(X()), grKindYOfX},
        {"3", num(3), grKindYOfX},
        {"y = y + x: only z is excluded", eq(Y(), add(Y(), X())), grKindYOfX},
        {"sin k", un(grFnSin, var(grVarK)), grKindYOfX},
        {"x = y^2", eq(X(), sq(Y())), grKindXOfY},
        {"y^2", sq(Y()), grKindXOfY},
        {"x = t s k: the right of x = may use anything but z",
         eq(X(), mul(mul(T(), S()), var(grVarK))), grKindXOfY},
        {"x y", mul(X(), Y()), grKindZOfXY},
        {"z = x y", eq(Z(), mul(X(), Y())), grKindZOfXY},
        {"x = cos t, y = sin t", comma(eq(X(), un(grFnCos, T())), eq(Y(), un(grFnSin, T()))),
         grKind2DParametricCurve},
        {"y = sin t, x = cos t: any order",
         comma(eq(Y(), un(grFnSin, T())), eq(X(), un(grFnCos, T()))), grKind2DParametricCurve},
        {"x = s, y = t: s alone makes no surface", comma(eq(X(), S()), eq(Y(), T())),
         grKind2DParametricCurve},
        {"x = cos t, y = sin t, z = t",
         list3(eq(X(), un(grFnCos, T())), eq(Y(), un(grFnSin, T())), eq(Z(), T())),
         grKind3DParametricCurve},
        {"x = s, y = t, z = s t", list3(eq(X(), S()), eq(Y(), T()), eq(Z(), mul(S(), T()))),
         grKind3DParametricSurface},
        {"z = t, y = t, x = s", list3(eq(Z(), T()), eq(Y(), T()), eq(X(), S())),
         grKind3DParametricSurface},
        // Any other equation that mentions z is an implicit surface.
        {"x^2 + y^2 + z^2 = 9", eq(add(add(sq(X()), sq(Y())), sq(Z())), num(9)), grKind3DImplicit},
        {"z^2 = x y", eq(sq(Z()), mul(X(), Y())), grKind3DImplicit},
        {"y = z", eq(Y(), Z()), grKind3DImplicit},
        {"z = z + x: z on both sides", eq(Z(), add(Z(), X())), grKind3DImplicit},
        {"2 = z", eq(num(2), Z()), grKind3DImplicit},
    };
    for (const KindRow &row : rows) {
        Equation q(grNewEquation(row.tree));
        ASSERT_NE(q, nullptr) << row.name << ": " << gGraphExpressionError;
        EXPECT_EQ(q->kind, row.kind) << row.name;
        EXPECT_EQ(q->tree, row.tree) << row.name;
    }
}

// The components point into the tree: the right side of each definition, or the bare tree.
TEST(Classification, Components) {
    grExp *right = sq(X());
    Equation single(grNewEquation(eq(Y(), right)));
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->y, right);
    EXPECT_EQ(single->x, nullptr);
    EXPECT_EQ(single->z, nullptr);

    grExp *bare = sq(Y());
    Equation xOfY(grNewEquation(bare));
    ASSERT_NE(xOfY, nullptr);
    EXPECT_EQ(xOfY->x, bare);

    grExp *surface = mul(X(), Y());
    Equation zOfXY(grNewEquation(surface));
    ASSERT_NE(zOfXY, nullptr);
    EXPECT_EQ(zOfXY->z, surface);

    grExp *cx = un(grFnCos, T()), *cy = un(grFnSin, T()), *cz = mul(num(2), T());
    Equation curve(grNewEquation(list3(eq(Z(), cz), eq(X(), cx), eq(Y(), cy))));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->x, cx);
    EXPECT_EQ(curve->y, cy);
    EXPECT_EQ(curve->z, cz);
}

struct FailureRow {
    const char *name;
    grExp *tree;
    const std::string &message;
};

TEST(Classification, FailuresAndTheOrderOfChecks) {
    const std::string kXRedefined = "X redefined in parametric equation.";
    const std::string kYRedefined = "Y redefined in parametric equation.";
    const std::string kZRedefined = "Z redefined in parametric equation.";
    const FailureRow rows[] = {
        {"lone placeholder", nullptr, kPlaceholder},
        {"x = t, y = ?: placeholders before anything", comma(eq(X(), T()), eq(Y(), nullptr)),
         kPlaceholder},
        {"2 = ?: placeholder before the left side", eq(num(2), nullptr), kPlaceholder},
        {"sin ?", un(grFnSin, nullptr), kPlaceholder},
        {"x = t, y: the last component is met first", comma(eq(X(), T()), Y()), kParametric},
        {"x = t, y < t", comma(eq(X(), T()), bin(grOpLessThan, Y(), T())), kParametric},
        {"x = t, x = 2t", comma(eq(X(), T()), eq(X(), mul(num(2), T()))), kXRedefined},
        {"y = t, y = 2t", comma(eq(Y(), T()), eq(Y(), mul(num(2), T()))), kYRedefined},
        {"z = t, x = t, z = 1", list3(eq(Z(), T()), eq(X(), T()), eq(Z(), num(1))), kZRedefined},
        {"x = t, y = t, z = t, x = 1: no separate length limit",
         comma(list3(eq(X(), T()), eq(Y(), T()), eq(Z(), T())), eq(X(), num(1))), kXRedefined},
        {"x = t, 2 = t", comma(eq(X(), T()), eq(num(2), T())), kLeftSide},
        {"x = t, k = t", comma(eq(X(), T()), eq(var(grVarK), T())), kLeftSide},
        {"x = t, z = t: no y", comma(eq(X(), T()), eq(Z(), T())), kParametric},
        {"y = t, z = t: no x", comma(eq(Y(), T()), eq(Z(), T())), kParametric},
        {"x = t, y = (t = 1)", comma(eq(X(), T()), eq(Y(), eq(T(), num(1)))), kRelation},
        {"y = x = 2 as (y = x) = 2", eq(eq(Y(), X()), num(2)), kLeftSide},
        {"t = 5", eq(T(), num(5)), kLeftSide},
        {"e = 5", eq(var(grConstE), num(5)), kLeftSide},
        {"z", Z(), kContainsZ},
        {"x = (y = z): a nested relation makes no surface", eq(X(), eq(Y(), Z())), kContainsZ},
        {"x y z", mul(mul(X(), Y()), Z()), kContainsZ},
        {"y z", mul(Y(), Z()), kContainsZ},
        {"x z", mul(X(), Z()), kContainsZ},
        {"y = (x > 1)", eq(Y(), bin(grOpGreaterThan, X(), num(1))), kRelation},
        {"x = sin(y = 1)", eq(X(), un(grFnSin, eq(Y(), num(1)))), kRelation},
    };
    for (const FailureRow &row : rows) {
        gGraphExpressionError = nullptr;
        EXPECT_EQ(grNewEquation(row.tree), nullptr) << row.name;
        ASSERT_NE(gGraphExpressionError, nullptr) << row.name;
        EXPECT_EQ(gGraphExpressionError, row.message) << row.name;
        grFreeExp(row.tree);  // a failure leaves the tree with the caller
    }
}

TEST(Classification, MessageSurvivesLaterSuccesses) {
    Tree bad(eq(T(), num(5)));
    EXPECT_EQ(grNewEquation(bad.get()), nullptr);
    Equation good(grNewEquation(sq(X())));
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(gGraphExpressionError, kLeftSide);
}

TEST(Classification, SearchHelpers) {
    // ((a , b) , c) with a = (x = 1), b = (y = 2), c = (z = 3)
    grExp *a = eq(X(), num(1)), *b = eq(Y(), num(2)), *c = eq(Z(), num(3));
    Tree tree(list3(a, b, c));
    EXPECT_EQ(grFindNthCommaExp(tree.get(), 1), c);
    EXPECT_EQ(grFindNthCommaExp(tree.get(), 2), b);
    EXPECT_EQ(grFindNthCommaExp(tree.get(), 3), a);
    EXPECT_EQ(grFindNthCommaExp(tree.get(), 4), nullptr);
    EXPECT_EQ(grFindNthCommaExp(a, 1), nullptr);

    EXPECT_EQ(grFindEqualsExp(tree.get()), a);  // the first relation, left before right
    Tree nested(add(un(grFnSin, bin(grOpGreaterThan, X(), eq(Y(), num(1)))), num(2)));
    const auto *sine =
        static_cast<grUnaryExp *>(static_cast<grBinaryExp *>(nested->payload)->left->payload);
    EXPECT_EQ(grFindEqualsExp(nested.get()), sine->operand);  // the outer one, before its child
    Tree noRelation(add(X(), Y()));
    EXPECT_EQ(grFindEqualsExp(noRelation.get()), nullptr);

    grExp *firstX = X();
    Tree twoX(add(un(grFnSin, firstX), mul(X(), Y())));
    EXPECT_EQ(grFindVarExp(twoX.get(), grVarX), firstX);
    EXPECT_EQ(grFindVarExp(twoX.get(), grVarZ), nullptr);
    Tree number(num(4));  // the value 4 is not the code of z
    EXPECT_EQ(grFindVarExp(number.get(), grVarZ), nullptr);

    EXPECT_EQ(grFindNullExp(nullptr), 1);
    Tree full(add(un(grFnAbs, X()), num(1)));
    EXPECT_EQ(grFindNullExp(full.get()), 0);
    Tree holeInUnary(add(num(1), un(grFnAbs, nullptr)));
    EXPECT_EQ(grFindNullExp(holeInUnary.get()), 1);
    Tree holeOnLeft(add(nullptr, num(1)));
    EXPECT_EQ(grFindNullExp(holeOnLeft.get()), 1);
}

// Each nested numeric derivative costs about three times the one inside it: past six
// levels a single curve takes minutes, so such trees are refused before anything is drawn.
TEST(Classification, DerivativesNestedBeyondTheLimitAreRefused) {
    auto nest = [](int depth, uint8_t fn, grExp *inner) {
        for (int i = 0; i < depth; i++) inner = un(fn, inner);
        return inner;
    };
    const struct {
        const char *name;
        grExp *tree;
        bool accepted;
    } rows[] = {
        {"six dx", eq(Y(), nest(6, grFnDx, un(grFnSin, X()))), true},
        {"seven dx", eq(Y(), nest(7, grFnDx, un(grFnSin, X()))), false},
        {"dx and dy mixed, seven deep", nest(4, grFnDy, nest(3, grFnDx, mul(X(), Y()))), false},
        {"seven deep on the right of a sum", eq(Y(), add(X(), nest(7, grFnDx, X()))), false},
        {"six beside six is still six", eq(Y(), add(nest(6, grFnDx, X()), nest(6, grFnDx, X()))),
         true},
        {"inside another function",
         eq(Y(), un(grFnSin, nest(5, grFnDx, un(grFnCos, nest(2, grFnDx, X()))))), false},
        {"in a parametric component", comma(eq(X(), T()), eq(Y(), nest(25, grFnDx, T()))), false},
    };
    for (const auto &row : rows) {
        gGraphExpressionError = nullptr;
        grEquation *q = grNewEquation(row.tree);
        EXPECT_EQ(q != nullptr, row.accepted) << row.name;
        if (q) {
            grFreeEquation(q);
            continue;
        }
        ASSERT_NE(gGraphExpressionError, nullptr) << row.name;
        EXPECT_NE(std::string(gGraphExpressionError).find('6'), std::string::npos) << row.name;
        grFreeExp(row.tree);
    }
}

}  // namespace
