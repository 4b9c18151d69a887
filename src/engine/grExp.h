// Expression trees: node records, code tables, construction, release and evaluation.
//
// A tree is made of grExp nodes, each owning its payload; binary and unary payloads own
// their children. Trees are never shared. A null child stands for an empty placeholder of
// the editor; it may appear in a tree until classification, but evaluation requires a tree
// without null children. Evaluation answers 0 on success and -1 on failure and writes its
// value through the result pointer. Allocation failure propagates as std::bad_alloc.
#pragma once

#include <cstdint>

// Node types.
enum : uint8_t {
    grExpBinary = 1,
    grExpUnary = 2,
    grExpNumber = 3,
    grExpConstant = 4,
};

// Binary operator codes. 8-10, 12 and 13 are the relations, 11 separates parametric
// components.
enum : uint8_t {
    grOpAdd = 1,
    grOpSub = 2,
    grOpDiv = 3,
    grOpMul = 4,
    grOpPow = 5,
    grOpRoot = 6,  // left is the radicand, right the index
    grOpMod = 7,
    grOpEquals = 8,
    grOpLessThan = 9,
    grOpGreaterThan = 10,
    grOpComma = 11,
    grOpLessEqual = 12,
    grOpGreaterEqual = 13,
};

// Unary function codes.
enum : uint8_t {
    grFnSin = 1,
    grFnCos = 2,
    grFnTan = 3,
    grFnAsin = 4,
    grFnAcos = 5,
    grFnAtan = 6,
    grFnSinh = 7,
    grFnCosh = 8,
    grFnTanh = 9,
    grFnErf = 10,
    grFnErfc = 11,
    grFnNegate = 12,
    grFnAbs = 13,
    grFnGamma = 14,  // gamma of floor(a)
    grFnLn = 15,
    grFnLog = 16,
    grFnDx = 17,
    grFnDy = 18,
};

// Constant-node codes: variables read from grVariables, and the built-in constants.
enum : uint8_t {
    grVarT = 0,
    grVarS = 1,
    grVarX = 2,
    grVarY = 3,
    grVarZ = 4,  // never evaluable
    grVarK = 5,
    grConstPi = 6,
    grConstE = 7,
    // 8 stays unused.
    grVarTheta = 9,  // the polar angle, read from the t slot: no equation graphs both
    grVarR = 10,     // the polar radius, only as the left side of r = f(θ); never evaluable
};

inline constexpr double grPiValue = 3.141592653589793;
inline constexpr double grEValue = 2.718281828459045;

struct grExp {
    uint8_t type;
    void *payload;
};

// Payload of a grExpBinary node.
struct grBinaryExp {
    uint8_t op;
    grExp *left;
    grExp *right;
};

// Payload of a grExpUnary node.
struct grUnaryExp {
    uint8_t fn;
    grExp *operand;
};
// A grExpNumber payload is one double; a grExpConstant payload is one uint8_t code.

// The variable block every evaluation reads; the caller owns and fills it.
struct grVariables {
    double s, t, x, y, k;
};

// A classified equation. The components are subtrees of tree, which the record owns.
// Implicit curves and inequalities keep their left side in x and their right side in y
// (the curve is x - y = 0); a polar curve keeps f(θ) in y.
struct grEquation {
    grExp *x, *y, *z;
    uint8_t kind;
    grExp *tree;
};

// Construction. The payload handed to grNewExp must be allocated with new as the type's
// payload record (grBinaryExp, grUnaryExp, double or uint8_t); the node takes it over.
grExp *grNewExp(uint8_t type, void *payload);
grExp *grNewBinaryExp(uint8_t op, grExp *l, grExp *r);
grExp *grNewUnaryExp(uint8_t fn, grExp *a);
grExp *grNewNumberExp(double v);
grExp *grNewConstantExp(uint8_t code);

// Release of a whole tree (null is ignored), or of one payload with its children.
void grFreeExp(grExp *e);
void grFreeBinaryExp(grBinaryExp *payload);
void grFreeUnaryExp(grUnaryExp *payload);

// Evaluation.
int grEvalExp(grVariables *v, grExp *e, double *result);
int grEvalBinaryExp(grVariables *v, grBinaryExp *payload, double *result);
int grEvalUnaryExp(grVariables *v, grUnaryExp *payload, double *result);
int grEvalNumberExp(grVariables *v, double *payload, double *result);
int grEvalConstantExp(grVariables *v, uint8_t *payload, double *result);

// Central differences with a step of 1e-10; the slot is restored whatever happens.
int grEvalDerivX(grVariables *v, grExp *e, double *result);
int grEvalDerivY(grVariables *v, grExp *e, double *result);
int grEvalDerivT(grVariables *v, grExp *e, double *result);
