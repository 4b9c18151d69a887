// Implicit curves F(x, y) = G(x, y), equation kind grKind2DImplicit: the zero set of F - G
// over the region, contoured on a grid whose cells are cellPixels pixels of the view, as
// line strips. Tracing follows the strips: a traced point stays on the strip it was on
// while that strip is about as near as any other, and is then moved onto the curve.
//
// The grid is evaluated through evaluateDifference alone, with the compiled forms of both
// sides over arrays of points. Variable slots other than x, y and k hold 0.
#pragma once

#include "render/graphContour.h"
#include "render/graphRender.h"

#include <vector>

class graph2DImplicitRender : public graphRender {
public:
    explicit graph2DImplicitRender(graphDraw &draw) : graphRender(draw) {}

    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    double distanceFromCurveAtPoint(graphPoint point) override;
    graphPoint bestPointForPoint(graphPoint point, double tolerance) override;
    double derivAtPoint(graphPoint point) override;

    // Writes (F - G)(xs[i], ys[i]) times the sign to out[i]; NaN where it is undefined.
    void evaluateDifference(const double *xs, const double *ys, int n, double *out) const;
    // The strips of the last compile, in graph units.
    const std::vector<std::vector<graphContourPoint>> &strips() const { return contour.strips; }
    const graphContourResult &lastContour() const { return contour; }

    // Grid cell side in view pixels, and the grid's largest side in cells.
    static constexpr double cellPixels = 4.0;
    static constexpr int maxCells = 1000;

protected:
    // The contour of F - G (times sign) over the region, with the negative region's
    // triangles when fill is set.
    void contourRegion(graphRect region, graphRect viewBounds, bool fill);
    // Draws the strips as line strips in the colour already set.
    void drawStrips();

    // -1 makes the region where F > G the negative one (inequalities with > and >=).
    double sign = 1.0;
    mutable std::vector<double> rightValues;  // G at the points of one evaluateDifference
    graphContourResult contour;

private:
    // F - G at one point, times sign; NaN when undefined.
    double difference(double x, double y) const;
    // The nearest point of strip s to p and its distance.
    graphContourPoint nearestOnStrip(size_t s, graphContourPoint p, double *distance) const;

    size_t tracedStrip = 0;
};
