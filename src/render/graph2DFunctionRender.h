// The explicit curves y = f(x) and x = f(y): 1201 samples across the region into line
// strips, and the tracing answers of an explicit function.
//
// Both directions share this class; "sideways" exchanges the roles of the axes, so that
// for x = f(y) the sample runs along y, the x component is evaluated and every answer is
// mirrored. Variable slots other than the varied one and k hold 0.
#pragma once

#include "render/graphRender.h"

#include <vector>

class graph2DFunctionRender : public graphRender {
public:
    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    double distanceFromCurveAtPoint(graphPoint point) override;
    graphPoint bestPointForPoint(graphPoint point, double tolerance) override;
    double derivAtPoint(graphPoint point) override;

    static constexpr int sampleIntervals = 1200;

protected:
    graph2DFunctionRender(graphDraw &draw, bool sideways);

private:
    // f(u) with the varied slot at u; 0 on success, -1 on failure.
    int evaluate(double u, double *value) const;
    // A curve point (u, f(u)) in graph coordinates.
    graphPoint pointAt(double u, double value) const;
    graphPoint refineRoot(double u, double tolerance) const;

    // Flushes the collected strip as one block and empties it.
    void flushStrip();

    bool sideways;
    std::vector<float> strip;  // x, y pairs of the strip being collected, reused
};
