// The curves in t: (x(t), y(t)) in the plane and (x(t), y(t), z(t)) in space. Both sample
// t over [start, start + length) into one line strip, and trace in two stages: a coarse
// distance query over the whole range that remembers the best t in lastT, then a fine
// search within 2 of lastT, so that a drag follows the curve continuously.
//
// Both kinds share this class; "space" adds the z component to the drawing only, since
// distances are measured in the x-y plane. Variable slots other than t and k hold 0.
#pragma once

#include "render/graphRender.h"

#include <vector>

class graphParametricCurveRender : public graphRender {
public:
    void setTStart(double start, double length) override;
    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    double distanceFromCurveAtPoint(graphPoint point) override;
    bool isParametric() const override { return true; }

    double getStart() const { return start; }
    double getLength() const { return length; }
    double getLastT() const { return lastT; }

    static constexpr int sampleCount = 1200;
    // The fine search's step, the double nearest 1/300, and its half-window.
    static constexpr double fineStep = 0.0033333333333333335;
    static constexpr double fineWindow = 2.0;

protected:
    graphParametricCurveRender(graphDraw &draw, bool space);
    void init() override;

    // The curve point nearest to p within fineWindow of lastT, found by stepping t by
    // fineStep; moves lastT there. (0, 0) when the window is empty.
    graphPoint fineSearch(graphPoint point);

private:
    // The curve point at t; false when a component fails or is NaN.
    bool evaluate(double t, double *x, double *y, double *z) const;

    bool space;
    double start = 0.0, length = 40.0, lastT = 0.0;
    std::vector<float> strip;  // x, y pairs of the planar strip, reused
};
