#include "engine/grEquation.h"

#include <initializer_list>
#include <memory>

const char *gGraphExpressionError = nullptr;

namespace {

constexpr const char *kPlaceholderMessage = "\"?\" must be replaced before graphing.";
constexpr const char *kParametricSyntaxMessage = "incorrect syntax for parametric graph.";
constexpr const char *kLeftSideMessage = "left hand side of '=' must be X, Y or Z.";
constexpr const char *kXRedefinedMessage = "X redefined in parametric equation.";
constexpr const char *kYRedefinedMessage = "Y redefined in parametric equation.";
constexpr const char *kZRedefinedMessage = "Z redefined in parametric equation.";
constexpr const char *kContainsZMessage = "cannot graph functions containing Z.";
constexpr const char *kRelationMessage = "Cannot graph this type of equation.";
constexpr const char *kPolarMessage = "r = f(θ) cannot contain X, Y, Z, S or T.";
constexpr const char *kInequalityMessage = "inequalities can only be in X and Y.";
constexpr const char *kThetaMessage = "θ can only be used in r = f(θ).";
constexpr const char *kDerivativeDepthMessage =
    "derivatives nested more than 6 deep cannot be graphed.";
static_assert(grMaximumDerivativeDepth == 6, "the message names the limit");

// Classification never frees the tree on failure, so a failed record is deleted without it.
using EquationRecord = std::unique_ptr<grEquation>;

grEquation *fail(const char *message) {
    gGraphExpressionError = message;
    return nullptr;
}

const grBinaryExp *asBinary(const grExp *e, uint8_t op) {
    if (e->type != grExpBinary) return nullptr;
    const auto *p = static_cast<const grBinaryExp *>(e->payload);
    return p->op == op ? p : nullptr;
}

uint8_t constantCode(const grExp *e) {
    return *static_cast<const uint8_t *>(e->payload);
}

// Takes the components of a comma list, met from the last to the first.
// Answers the failure message, or null when every component is a valid definition.
const char *collectComponents(grExp *tree, grEquation *q, bool *sawComponent) {
    grExp *component;
    for (int n = 1; (component = grFindNthCommaExp(tree, n)) != nullptr; ++n) {
        *sawComponent = true;
        const grBinaryExp *equation = asBinary(component, grOpEquals);
        if (!equation) return kParametricSyntaxMessage;
        if (equation->left->type != grExpConstant) return kLeftSideMessage;
        switch (constantCode(equation->left)) {
            case grVarX:
                if (q->x) return kXRedefinedMessage;
                q->x = equation->right;
                break;
            case grVarY:
                if (q->y) return kYRedefinedMessage;
                q->y = equation->right;
                break;
            case grVarZ:
                if (q->z) return kZRedefinedMessage;
                q->z = equation->right;
                break;
            default: return kLeftSideMessage;
        }
    }
    return nullptr;
}

// A single "v = f" equation; f may mention anything but z.
const char *classifySingleEquation(const grBinaryExp *equation, grEquation *q) {
    if (equation->left->type != grExpConstant) return kLeftSideMessage;
    if (grFindVarExp(equation->right, grVarZ)) return kContainsZMessage;
    switch (constantCode(equation->left)) {
        case grVarY:
            q->y = equation->right;
            q->kind = grKindYOfX;
            return nullptr;
        case grVarZ:
            q->z = equation->right;
            q->kind = grKindZOfXY;
            return nullptr;
        case grVarX:
            q->x = equation->right;
            q->kind = grKindXOfY;
            return nullptr;
        default: return kLeftSideMessage;
    }
}

// A bare expression: y = f(x) unless it mentions y (x = f(y)), or both x and y (z = f(x, y)).
const char *classifyBareExpression(grExp *tree, grEquation *q) {
    const bool hasX = grFindVarExp(tree, grVarX) != nullptr;
    const bool hasY = grFindVarExp(tree, grVarY) != nullptr;
    const bool hasZ = grFindVarExp(tree, grVarZ) != nullptr;
    if (hasZ) return kContainsZMessage;
    if (hasX && hasY) {
        q->z = tree;
        q->kind = grKindZOfXY;
    } else if (hasY) {
        q->x = tree;
        q->kind = grKindXOfY;
    } else {
        q->y = tree;
        q->kind = grKindYOfX;
    }
    return nullptr;
}

// An implicit surface: a single "=" that mentions z anywhere and is not z = f(x, y),
// such as x^2 + y^2 + z^2 = 9 or x = y z. Neither side may hold another relation.
bool isImplicitSurface(grExp *tree) {
    const grBinaryExp *equation = asBinary(tree, grOpEquals);
    if (!equation || !grFindVarExp(tree, grVarZ)) return false;
    const bool zOfXY = equation->left->type == grExpConstant &&
                       constantCode(equation->left) == grVarZ &&
                       !grFindVarExp(equation->right, grVarZ);
    return !zOfXY && !grFindEqualsExp(equation->left) && !grFindEqualsExp(equation->right);
}

bool isRelation(uint8_t op) {
    return op == grOpEquals || op == grOpLessThan || op == grOpGreaterThan || op == grOpLessEqual ||
           op == grOpGreaterEqual;
}

bool mentionsAny(grExp *e, std::initializer_list<uint8_t> codes) {
    for (uint8_t code : codes)
        if (grFindVarExp(e, code)) return true;
    return false;
}

// F(x, y) = G(x, y) whose left side is no x, y or z of its own: a curve in x and y alone
// (k and constants aside), such as x^2 + y^2 = 25, 2 = x or k = x. Anything else is left to
// the single-equation rules and their messages.
bool isImplicitCurve(grExp *tree, const grBinaryExp *equation) {
    const grExp *left = equation->left;
    if (left->type == grExpConstant) {
        const uint8_t code = constantCode(left);
        if (code == grVarX || code == grVarY || code == grVarZ || code == grVarR) return false;
    }
    if (grFindEqualsExp(equation->left) || grFindEqualsExp(equation->right)) return false;
    if (mentionsAny(tree, {grVarZ, grVarS, grVarT, grVarTheta})) return false;
    return mentionsAny(tree, {grVarX, grVarY});
}

// A relation other than "=" at the top: a shaded region in x and y.
const char *classifyInequality(grExp *tree, const grBinaryExp *relation, grEquation *q) {
    if (grFindVarExp(tree, grVarZ)) return kContainsZMessage;
    if (mentionsAny(tree, {grVarS, grVarT, grVarTheta}) || !mentionsAny(tree, {grVarX, grVarY}))
        return kInequalityMessage;
    q->x = relation->left;
    q->y = relation->right;
    q->kind = grKind2DInequality;
    return nullptr;
}

// r = f(θ); f may mention k and constants besides θ.
const char *classifyPolar(const grBinaryExp *equation, grEquation *q) {
    if (mentionsAny(equation->right, {grVarX, grVarY, grVarZ, grVarS, grVarT}))
        return kPolarMessage;
    q->y = equation->right;
    q->kind = grKindPolar;
    return nullptr;
}

}  // namespace

grEquation *grNewEquation(grExp *tree) {
    // 1. Placeholders come first: nothing else can be judged while one remains.
    if (grFindNullExp(tree)) return fail(kPlaceholderMessage);

    // 1b. Nested numeric derivatives grow in cost too fast to draw past a few levels.
    if (grDerivativeDepth(tree) > grMaximumDerivativeDepth) return fail(kDerivativeDepthMessage);

    EquationRecord q(new grEquation{nullptr, nullptr, nullptr, 0, tree});

    // 2. Comma list.
    bool sawComponent = false;
    if (const char *message = collectComponents(tree, q.get(), &sawComponent)) return fail(message);

    if (!sawComponent && isImplicitSurface(tree)) {
        q->kind = grKind3DImplicit;
    } else if (sawComponent) {
        // 3. Kind of a parametric list. A list that does not define both x and y gets no
        //    renderer, so it is refused rather than returned without a kind.
        if (q->x && q->y && q->z) {
            q->kind =
                grFindVarExp(tree, grVarS) ? grKind3DParametricSurface : grKind3DParametricCurve;
        } else if (q->x && q->y) {
            q->kind = grKind2DParametricCurve;
        } else {
            return fail(kParametricSyntaxMessage);
        }
    } else {
        // 4. Single equation, inequality, or bare expression. The left side r makes a polar
        //    curve; any other left side that is no x, y or z an implicit curve when the
        //    equation is in x and y alone.
        const grBinaryExp *equation = asBinary(tree, grOpEquals);
        const grBinaryExp *top =
            tree->type == grExpBinary ? static_cast<const grBinaryExp *>(tree->payload) : nullptr;
        const char *message = nullptr;
        if (equation && equation->left->type == grExpConstant &&
            constantCode(equation->left) == grVarR) {
            message = classifyPolar(equation, q.get());
        } else if (equation && isImplicitCurve(tree, equation)) {
            q->x = equation->left;
            q->y = equation->right;
            q->kind = grKind2DImplicit;
        } else if (top && top->op != grOpEquals && isRelation(top->op)) {
            message = classifyInequality(tree, top, q.get());
        } else {
            message = equation ? classifySingleEquation(equation, q.get())
                               : classifyBareExpression(tree, q.get());
        }
        if (message) return fail(message);
    }

    // 5. No graphed component may still hold a relation.
    for (grExp *component : {q->x, q->y, q->z}) {
        if (component && grFindEqualsExp(component)) return fail(kRelationMessage);
    }
    // 6. The angle belongs to polar curves.
    if (q->kind != grKindPolar && grFindVarExp(tree, grVarTheta)) return fail(kThetaMessage);
    return q.release();
}

unsigned grUnboundVariables(const grEquation *q) {
    if (!q) return 0;
    const bool parametric = q->kind == grKind2DParametricCurve ||
                            q->kind == grKind3DParametricCurve ||
                            q->kind == grKind3DParametricSurface;
    const bool explicitKind =
        q->kind == grKindYOfX || q->kind == grKindXOfY || q->kind == grKindZOfXY;
    unsigned unbound = 0;
    for (const uint8_t code : {grVarS, grVarT, grVarX, grVarY}) {
        const bool free = parametric ? code == grVarX || code == grVarY
                                     : explicitKind && (code == grVarS || code == grVarT);
        if (!free) continue;
        for (grExp *side : {q->x, q->y, q->z})
            if (grFindVarExp(side, code)) unbound |= 1u << code;
    }
    return unbound;
}

void grFreeEquation(grEquation *q) {
    if (!q) return;
    grFreeExp(q->tree);
    delete q;
}

int grDerivativeDepth(const grExp *e) {
    if (!e) return 0;
    switch (e->type) {
        case grExpBinary: {
            const auto *p = static_cast<const grBinaryExp *>(e->payload);
            const int left = grDerivativeDepth(p->left), right = grDerivativeDepth(p->right);
            return left > right ? left : right;
        }
        case grExpUnary: {
            const auto *p = static_cast<const grUnaryExp *>(e->payload);
            return grDerivativeDepth(p->operand) + (p->fn == grFnDx || p->fn == grFnDy ? 1 : 0);
        }
        default: return 0;
    }
}

int grFindNullExp(grExp *e) {
    if (!e) return 1;
    switch (e->type) {
        case grExpBinary: {
            const auto *p = static_cast<const grBinaryExp *>(e->payload);
            return grFindNullExp(p->left) || grFindNullExp(p->right);
        }
        case grExpUnary: return grFindNullExp(static_cast<const grUnaryExp *>(e->payload)->operand);
        default: return 0;
    }
}

grExp *grFindVarExp(grExp *e, uint8_t code) {
    if (!e) return nullptr;
    switch (e->type) {
        case grExpBinary: {
            const auto *p = static_cast<const grBinaryExp *>(e->payload);
            if (grExp *found = grFindVarExp(p->left, code)) return found;
            return grFindVarExp(p->right, code);
        }
        case grExpUnary:
            return grFindVarExp(static_cast<const grUnaryExp *>(e->payload)->operand, code);
        case grExpConstant: return constantCode(e) == code ? e : nullptr;
        default: return nullptr;
    }
}

grExp *grFindEqualsExp(grExp *e) {
    if (!e) return nullptr;
    switch (e->type) {
        case grExpBinary: {
            const auto *p = static_cast<const grBinaryExp *>(e->payload);
            if (isRelation(p->op)) return e;
            if (grExp *found = grFindEqualsExp(p->left)) return found;
            return grFindEqualsExp(p->right);
        }
        case grExpUnary:
            return grFindEqualsExp(static_cast<const grUnaryExp *>(e->payload)->operand);
        default: return nullptr;
    }
}

grExp *grFindNthCommaExp(grExp *e, int n) {
    if (!e) return nullptr;
    const grBinaryExp *comma = asBinary(e, grOpComma);
    if (!comma) return nullptr;
    if (n == 1) return comma->right;
    if (grExp *found = grFindNthCommaExp(comma->left, n - 1)) return found;
    return n == 2 ? comma->left : nullptr;
}

uint8_t grInequalityOp(const grEquation *q) {
    if (q == nullptr || q->kind != grKind2DInequality || q->tree->type != grExpBinary) return 0;
    return static_cast<const grBinaryExp *>(q->tree->payload)->op;
}
