// Polar curves r = f(θ), equation kind grKindPolar: the planar curve (r cos θ, r sin θ),
// sampled and refined like a curve in t over θ's own range (0 to 2π unless set), both
// ends included. A negative r is drawn through the origin, on the opposite ray. θ is
// evaluated from the t slot; the other slots but k hold 0.
#pragma once

#include "render/graphParametricCurveRender.h"

class graphPolarRender final : public graphParametricCurveRender {
public:
    explicit graphPolarRender(graphDraw &draw) : graphParametricCurveRender(draw, false) {}

    // θ has its own range; the t range does not apply.
    void setTStart(double /*start*/, double /*length*/) override {}
    void setThetaStart(double start, double length) override {
        graphParametricCurveRender::setTStart(start, length);
    }
    bool isPolar() const override { return true; }
    graphPoint bestPointForPoint(graphPoint point, double /*tolerance*/) override {
        return fineSearch(point);
    }

protected:
    void init() override;
    bool evaluate(double theta, double *x, double *y, double *z) const override;
    void evaluateAll(const double *thetas, int n, double *x, double *y, double *z) const override;
};
