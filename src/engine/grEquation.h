// Classification of an expression tree into a graphable equation.
//
// grNewEquation answers a new record that owns the tree, or null with a one-line message
// for the user in gGraphExpressionError; on failure the tree stays with the caller.
// gGraphExpressionError is written only on failure and never cleared.
#pragma once

#include "engine/grExp.h"

// Equation kinds; 1 and 2 are never produced.
enum : uint8_t {
    grKindXOfY = 0,
    grKindYOfX = 3,
    grKindZOfXY = 4,
    grKind2DParametricCurve = 5,
    grKind3DParametricCurve = 6,
    grKind3DParametricSurface = 7,
    grKind2DImplicit = 8,     // F(x, y) = G(x, y): left side in x, right side in y
    grKindPolar = 9,          // r = f(θ): f in y
    grKind2DInequality = 10,  // F(x, y) < G(x, y), also >, <= and >=: sides as kind 8
    // F(x, y, z) = G(x, y, z): an equation in z that is not z = f(x, y); the record's
    // components stay null and tree is the "=" node.
    grKind3DImplicit = 11,
};

extern const char *gGraphExpressionError;

// Each numeric derivative evaluates its operand several times, so nested derivatives cost
// about three times more per level: deeper nests than this are refused.
inline constexpr int grMaximumDerivativeDepth = 6;

grEquation *grNewEquation(grExp *tree);
void grFreeEquation(grEquation *q);

// The variables that the graphed sides mention but the kind gives no value, so that they
// evaluate as 0, as bits 1 << grVarS and so on: s and t in y = f(x), x = f(y) and
// z = f(x, y); x and y in a parametric equation.
unsigned grUnboundVariables(const grEquation *q);

// The most derivatives (dx, dy) nested inside one another anywhere in the tree.
int grDerivativeDepth(const grExp *e);
// 1 when tree is null or holds a null child anywhere.
int grFindNullExp(grExp *e);
// The first constant node with this code, left subtree before right.
grExp *grFindVarExp(grExp *e, uint8_t code);
// The first relation node ("=", "<", ">", "<=" or ">="), a node before its children.
grExp *grFindEqualsExp(grExp *e);
// The n-th component (from 1) of a comma list, counted from the end.
grExp *grFindNthCommaExp(grExp *e, int n);
// The relation at the top of an inequality's tree: grOpLessThan, grOpGreaterThan,
// grOpLessEqual or grOpGreaterEqual; 0 for any other equation.
uint8_t grInequalityOp(const grEquation *q);
