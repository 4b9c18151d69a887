// F(x, y, z) - G(x, y, z) evaluated over grids of points: the one place the surface
// renderers evaluate their equations, point by point with the tree evaluator.
//
// The function keeps its own copies of F and G in which every z is a number node it
// writes before each evaluation, since the evaluator's variable block has no z slot.
// Slots other than x, y (and z) read 0, k reads the k given. A point where either side
// fails or is NaN answers NaN.
#pragma once

#include "engine/grExp.h"

#include <memory>
#include <vector>

class graphGridFunction {
public:
    // F alone when right is null. Null left makes a function that is NaN everywhere.
    explicit graphGridFunction(const grExp *left, const grExp *right = nullptr);
    ~graphGridFunction();
    graphGridFunction(const graphGridFunction &) = delete;
    graphGridFunction &operator=(const graphGridFunction &) = delete;

    double at(double x, double y, double z, double k) const;

    // Every point (xs[a], ys[b], zs[c]) into out[(a * ny + b) * nz + c]; out holds
    // nx * ny * nz values.
    void evaluate(const double *xs, int nx, const double *ys, int ny, const double *zs, int nz,
                  double k, double *out) const;

private:
    struct side {
        grExp *tree = nullptr;
        std::vector<double *> zSlots;  // the payloads of the number nodes standing for z
    };
    static grExp *copy(const grExp *e, std::vector<double *> &zSlots);
    static bool valueOf(const side &s, grVariables &variables, double z, double *value);

    side sides[2];
};
