// The explicit curves y = f(x) and x = f(y): 1201 samples across the region into line
// strips, and the tracing answers of an explicit function.
//
// Both directions share this class; "sideways" exchanges the roles of the axes, so that
// for x = f(y) the sample runs along y, the x component is evaluated and every answer is
// mirrored. Variable slots other than the varied one and k hold 0.
//
// The strips break at poles as well as at undefined samples: two neighbours whose segment
// would cross the visible band with a sign change or a jump larger than the band are
// bisected, and where the change of value grows instead of shrinking with the interval
// the strip ends near the pole on one side and starts again on the other. Strips also
// run on to the last defined point before an undefined sample. Values beyond the band
// (infinities included) are drawn at a finite point far beyond its edge.
#pragma once

#include "render/graphRender.h"

#include <vector>

class graph2DFunctionRender : public graphRender {
public:
    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    // Keeps the band of values in view for the pole checks of tracing.
    void recompute() override;
    double distanceFromCurveAtPoint(graphPoint point) override;
    graphPoint bestPointForPoint(graphPoint point, double tolerance) override;
    double derivAtPoint(graphPoint point) override;

    static constexpr int sampleIntervals = 1200;

protected:
    graph2DFunctionRender(graphDraw &draw, bool sideways);

    // Bisection steps that decide a pole, and that find the end of a defined stretch.
    static constexpr int poleBisections = 24;
    static constexpr int edgeBisections = 20;
    // How many band heights beyond the band in view a value is drawn at most.
    static constexpr double farBeyond = 100.0;

private:
    struct sample {
        double u, value;
    };

    // f(u) with the varied slot at u; 0 on success, -1 on failure.
    int evaluate(double u, double *value) const;
    // Whether f jumps between a and b instead of passing through continuously, found by
    // bisection within budget evaluations (spent ones are subtracted; without any, by the
    // values alone against the band). On a jump, *left and *right are the closest samples
    // on either side.
    bool jumpsBetween(sample a, sample b, double band, int &budget, sample *left,
                      sample *right) const;
    // The defined sample nearest to badU between good and badU.
    sample lastDefined(sample good, double badU, int &budget) const;
    void setBand(graphRect region);
    // Adds the sample to the strip, its value held within far reach of the band.
    void append(sample s);
    // A curve point (u, f(u)) in graph coordinates.
    graphPoint pointAt(double u, double value) const;
    graphPoint refineRoot(double u, double tolerance) const;

    // Flushes the collected strip as one block and empties it.
    void flushStrip();

    bool sideways;
    std::vector<float> strip;                  // x, y pairs of the strip being collected, reused
    std::vector<double> sampleU, sampleValue;  // the samples of a compile, reused
    // The band of values in view, from the last bounds, and the values drawn as they
    // are; others are held at these limits.
    double bandLow = 0.0, bandSize = 1.0;
    double lowestDrawn = -farBeyond, highestDrawn = 1.0 + farBeyond;
};
