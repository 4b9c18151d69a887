#include "render/graphGridFunction.h"

#include <cmath>
#include <limits>

namespace {

struct expDeleter {
    void operator()(grExp *e) const { grFreeExp(e); }
};
using expPtr = std::unique_ptr<grExp, expDeleter>;

}  // namespace

grExp *graphGridFunction::copy(const grExp *e, std::vector<double *> &zSlots) {
    if (e == nullptr) return nullptr;
    switch (e->type) {
        case grExpBinary: {
            const auto *b = static_cast<const grBinaryExp *>(e->payload);
            expPtr left(copy(b->left, zSlots));
            expPtr right(copy(b->right, zSlots));
            grExp *node = grNewBinaryExp(b->op, left.get(), right.get());
            left.release();
            right.release();
            return node;
        }
        case grExpUnary: {
            const auto *u = static_cast<const grUnaryExp *>(e->payload);
            expPtr operand(copy(u->operand, zSlots));
            grExp *node = grNewUnaryExp(u->fn, operand.get());
            operand.release();
            return node;
        }
        case grExpNumber: return grNewNumberExp(*static_cast<const double *>(e->payload));
        case grExpConstant: {
            const uint8_t code = *static_cast<const uint8_t *>(e->payload);
            if (code != grVarZ) return grNewConstantExp(code);
            grExp *node = grNewNumberExp(0.0);
            zSlots.push_back(static_cast<double *>(node->payload));
            return node;
        }
        default: return grNewNumberExp(std::numeric_limits<double>::quiet_NaN());
    }
}

graphGridFunction::graphGridFunction(const grExp *left, const grExp *right) {
    sides[0].tree = copy(left, sides[0].zSlots);
    try {
        if (right != nullptr) sides[1].tree = copy(right, sides[1].zSlots);
    } catch (...) {
        grFreeExp(sides[0].tree);
        throw;
    }
}

graphGridFunction::~graphGridFunction() {
    grFreeExp(sides[0].tree);
    grFreeExp(sides[1].tree);
}

bool graphGridFunction::valueOf(const side &s, grVariables &variables, double z, double *value) {
    for (double *slot : s.zSlots) *slot = z;
    return grEvalExp(&variables, s.tree, value) == 0 && !std::isnan(*value);
}

double graphGridFunction::at(double x, double y, double z, double k) const {
    if (sides[0].tree == nullptr) return std::numeric_limits<double>::quiet_NaN();
    grVariables variables{0.0, 0.0, x, y, k};
    double f = 0.0, g = 0.0;
    if (!valueOf(sides[0], variables, z, &f)) return std::numeric_limits<double>::quiet_NaN();
    if (sides[1].tree != nullptr && !valueOf(sides[1], variables, z, &g))
        return std::numeric_limits<double>::quiet_NaN();
    return f - g;
}

void graphGridFunction::evaluate(const double *xs, int nx, const double *ys, int ny,
                                 const double *zs, int nz, double k, double *out) const {
    for (int a = 0; a < nx; a++)
        for (int b = 0; b < ny; b++)
            for (int c = 0; c < nz; c++) out[(a * ny + b) * nz + c] = at(xs[a], ys[b], zs[c], k);
}
