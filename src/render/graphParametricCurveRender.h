// The curves in t: (x(t), y(t)) in the plane and (x(t), y(t), z(t)) in space. Both sample
// t over [start, start + length], both ends included, and refine where a segment would
// span more than maxSegmentPixels or turn by more than maxTurnDegrees, up to maxSamples
// evaluations. NaN samples are skipped and the strip runs on past them; a segment still
// long after the deepest refinement is a jump, where the strip ends and starts again.
// Values far off the region are drawn at a finite point far beyond its edge. They trace
// in two stages: a coarse
// distance query over the whole range that remembers the best t in lastT, then a fine
// search within 2 of lastT, so that a drag follows the curve continuously.
//
// Both kinds share this class; "space" adds the z component to the drawing only, since
// distances are measured in the x-y plane. Variable slots other than t and k hold 0.
#pragma once

#include "render/graphRender.h"

#include <initializer_list>
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

    // Samples of the coarse distance search.
    static constexpr int sampleCount = 1200;
    // The uniform samples that refinement starts from, and its limits.
    static constexpr int baseIntervals = 256;
    static constexpr int maxSamples = 8192;
    static constexpr int maxDepth = 16;
    static constexpr double maxSegmentPixels = 4.0;
    static constexpr double maxTurnDegrees = 10.0;
    // The fine search's step, the double nearest 1/300, and its half-window.
    static constexpr double fineStep = 0.0033333333333333335;
    static constexpr double fineWindow = 2.0;

protected:
    graphParametricCurveRender(graphDraw &draw, bool space);
    void init() override;

    // The curve point nearest to p within fineWindow of lastT, found by stepping t by
    // fineStep; moves lastT there. (0, 0) when the window is empty.
    graphPoint fineSearch(graphPoint point);
    // The curve point at t; false when a component fails or is NaN.
    virtual bool evaluate(double t, double *x, double *y, double *z) const;
    // The curve points at n values of t at once; a failed point is NaN in x or y. z is
    // written for space curves only.
    virtual void evaluateAll(const double *ts, int n, double *x, double *y, double *z) const;

private:
    struct sample {
        double t, x, y, z;
        bool valid;
        bool settled;  // the interval to the next sample needs no refinement
    };

    // The samples at every t of ts, into into.
    void sampleAll(const std::vector<double> &ts, std::vector<sample> &into);
    // Samples over the range, refined breadth first so that a cap spreads over the curve.
    void refine(graphRect region, graphRect viewBounds);
    // Whether the interval from a to b, with m at its middle, needs splitting.
    bool needsSplit(const sample &a, const sample &m, const sample &b) const;
    // Whether the points all lie beyond the same edge of the region (planar curves only).
    bool beyondOneEdge(std::initializer_list<const sample *> points) const;
    double pixelDistance(const sample &a, const sample &b) const;
    // Whether a segment left at the deepest refinement still spans a visible distance.
    bool isJump(const sample &a, const sample &b) const;
    void drawSamples(graphRect region);

    bool space;
    double start = 0.0, length = 40.0, lastT = 0.0;
    std::vector<sample> samples, refined, middles;  // reused between compiles
    std::vector<double> times, xs, ys, zs;          // inputs and values of sampleAll
    std::vector<float> strip;                       // x, y pairs of a planar strip, reused
    // Pixels per graph unit and the region while refining.
    double pixelsX = 1.0, pixelsY = 1.0;
    graphRect refineRegion;
};
