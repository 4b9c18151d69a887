#include "render/graphPolarRender.h"

#include <cmath>

void graphPolarRender::init() {
    graphParametricCurveRender::init();
    graphParametricCurveRender::setTStart(0.0, 2.0 * grPiValue);
}

bool graphPolarRender::evaluate(double theta, double *x, double *y, double *z) const {
    if (equation == nullptr || equation->y == nullptr) return false;
    grVariables variables{0.0, theta, 0.0, 0.0, kValue};
    double r = 0.0;
    if (grEvalExp(&variables, equation->y, &r) != 0 || std::isnan(r)) return false;
    *x = r * std::cos(theta);
    *y = r * std::sin(theta);
    if (z != nullptr) *z = 0.0;
    return true;
}

void graphPolarRender::evaluateAll(const double *thetas, int n, double *x, double *y,
                                   double *z) const {
    // r into x first; a failed or NaN r leaves NaN in both coordinates.
    compiledY.evalArrays({0.0, 0.0, 0.0, 0.0, kValue}, {.t = thetas}, n, x);
    for (int i = 0; i < n; i++) {
        const double r = x[i];
        x[i] = r * std::cos(thetas[i]);
        y[i] = r * std::sin(thetas[i]);
        if (z != nullptr) z[i] = 0.0;
    }
}
