// F(x, y, z) - G(x, y, z) evaluated over grids of points: the one place the surface
// renderers evaluate their equations, through the compiled form of F - G.
//
// The compiled evaluator has no z slot, so the function compiles a copy of F - G in which
// z reads the s slot and s itself is the number 0. Slots other than x, y (and z) read 0,
// k reads the k given. A point where either side fails or is NaN answers NaN.
#pragma once

#include "engine/grCompiledExp.h"
#include "engine/grExp.h"

class graphGridFunction {
public:
    // F alone when right is null. Null left makes a function that is NaN everywhere.
    explicit graphGridFunction(const grExp *left, const grExp *right = nullptr);

    double at(double x, double y, double z, double k) const;

    // Every point (xs[a], ys[b], zs[c]) into out[(a * ny + b) * nz + c]; out holds
    // nx * ny * nz values. Once graphStopRequested, the x layers left are not written.
    void evaluate(const double *xs, int nx, const double *ys, int ny, const double *zs, int nz,
                  double k, double *out) const;

private:
    grCompiledExp compiled;
};
