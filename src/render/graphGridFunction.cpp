#include "render/graphGridFunction.h"

#include "render/graphStop.h"

#include <limits>
#include <memory>

namespace {

struct expDeleter {
    void operator()(grExp *e) const { grFreeExp(e); }
};
using expPtr = std::unique_ptr<grExp, expDeleter>;

// A copy of e with z reading the s slot and s the number 0.
grExp *copyWithZInS(const grExp *e) {
    if (e == nullptr) return nullptr;
    switch (e->type) {
        case grExpBinary: {
            const auto *b = static_cast<const grBinaryExp *>(e->payload);
            expPtr left(copyWithZInS(b->left));
            expPtr right(copyWithZInS(b->right));
            grExp *node = grNewBinaryExp(b->op, left.get(), right.get());
            left.release();
            right.release();
            return node;
        }
        case grExpUnary: {
            const auto *u = static_cast<const grUnaryExp *>(e->payload);
            expPtr operand(copyWithZInS(u->operand));
            grExp *node = grNewUnaryExp(u->fn, operand.get());
            operand.release();
            return node;
        }
        case grExpNumber: return grNewNumberExp(*static_cast<const double *>(e->payload));
        case grExpConstant: {
            const uint8_t code = *static_cast<const uint8_t *>(e->payload);
            if (code == grVarZ) return grNewConstantExp(grVarS);
            if (code == grVarS) return grNewNumberExp(0.0);
            return grNewConstantExp(code);
        }
        default: return grNewNumberExp(std::numeric_limits<double>::quiet_NaN());
    }
}

}  // namespace

graphGridFunction::graphGridFunction(const grExp *left, const grExp *right) {
    if (left == nullptr) return;  // the empty program fails everywhere
    expPtr f(copyWithZInS(left));
    if (right == nullptr) {
        compiled.compile(f.get());
        return;
    }
    expPtr g(copyWithZInS(right));
    expPtr difference(grNewBinaryExp(grOpSub, f.get(), g.get()));
    f.release();
    g.release();
    compiled.compile(difference.get());
}

double graphGridFunction::at(double x, double y, double z, double k) const {
    double value = 0.0;
    compiled.eval({z, 0.0, x, y, k}, &value);  // NaN where it fails
    return value;
}

void graphGridFunction::evaluate(const double *xs, int nx, const double *ys, int ny,
                                 const double *zs, int nz, double k, double *out) const {
    if (nz == 1) {
        compiled.evalGrid({zs[0], 0.0, 0.0, 0.0, k}, grVarX, xs, nx, grVarY, ys, ny, out);
        return;
    }
    // One y-z layer per x; a stopped graphing leaves the remaining layers unevaluated.
    for (int a = 0; a < nx && !graphStopRequested(); a++)
        compiled.evalGrid({0.0, 0.0, xs[a], 0.0, k}, grVarY, ys, ny, grVarS, zs, nz,
                          out + static_cast<ptrdiff_t>(a) * ny * nz);
}
