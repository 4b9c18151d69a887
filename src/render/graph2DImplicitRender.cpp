#include "render/graph2DImplicitRender.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double derivativeStep = 1e-7;

}  // namespace

void graph2DImplicitRender::evaluateDifference(const double *xs, const double *ys, int n,
                                               double *out) const {
    // F (compiled from the record's x) and G (its y); a failure on either side is NaN.
    const grVariables fixed{0.0, 0.0, 0.0, 0.0, kValue};
    const grInputArrays points{.x = xs, .y = ys};
    rightValues.resize(static_cast<size_t>(n));
    compiledX.evalArrays(fixed, points, n, out);
    compiledY.evalArrays(fixed, points, n, rightValues.data());
    for (int i = 0; i < n; i++) out[i] = sign * (out[i] - rightValues[static_cast<size_t>(i)]);
}

double graph2DImplicitRender::difference(double x, double y) const {
    double value = NAN;
    evaluateDifference(&x, &y, 1, &value);
    return value;
}

void graph2DImplicitRender::contourRegion(graphRect region, graphRect viewBounds, bool fill) {
    graphContourOptions options;
    auto cells = [](float pixels) {
        const double n = std::ceil(static_cast<double>(pixels) / cellPixels);
        return std::isfinite(n) ? static_cast<int>(std::clamp(n, 1.0, double(maxCells))) : 1;
    };
    options.columns = cells(viewBounds.width);
    options.rows = cells(viewBounds.height);
    options.fill = fill;
    contour = graphContour(region.x, region.y, region.width, region.height, options,
                           [this](const double *xs, const double *ys, int n, double *out) {
                               evaluateDifference(xs, ys, n, out);
                           });
    tracedStrip = 0;
}

void graph2DImplicitRender::drawStrips() {
    std::vector<float> xy;
    for (const auto &strip : contour.strips) {
        xy.clear();
        for (const graphContourPoint &p : strip) {
            xy.push_back(static_cast<float>(p.x));
            xy.push_back(static_cast<float>(p.y));
        }
        draw.vertices(graphPrimitive::lineStrip, xy.data(), static_cast<int>(strip.size()));
    }
}

void graph2DImplicitRender::compileWithBounds(graphRect region, graphRect viewBounds,
                                              const QColor &color) {
    contourRegion(region, viewBounds, false);
    draw.newList(compileList);
    draw.color(static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
               static_cast<float>(color.blueF()), 1.0f);
    drawStrips();
    draw.endList();
}

graphContourPoint graph2DImplicitRender::nearestOnStrip(size_t s, graphContourPoint p,
                                                        double *distance) const {
    const auto &strip = contour.strips[s];
    graphContourPoint best = strip.front();
    double bestDistance = std::hypot(best.x - p.x, best.y - p.y);
    for (size_t i = 0; i + 1 < strip.size(); i++) {
        const graphContourPoint a = strip[i], b = strip[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
        const double t = length2 > 0.0
                             ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0)
                             : 0.0;
        const graphContourPoint q{a.x + t * dx, a.y + t * dy};
        const double d = std::hypot(q.x - p.x, q.y - p.y);
        if (d < bestDistance) bestDistance = d, best = q;
    }
    *distance = bestDistance;
    return best;
}

double graph2DImplicitRender::distanceFromCurveAtPoint(graphPoint point) {
    double best = graphFarAway;
    for (size_t s = 0; s < contour.strips.size(); s++) {
        double d = graphFarAway;
        nearestOnStrip(s, {point.x, point.y}, &d);
        best = std::min(best, d);
    }
    return best;
}

graphPoint graph2DImplicitRender::bestPointForPoint(graphPoint point, double tolerance) {
    if (contour.strips.empty() || !std::isfinite(tolerance)) return {0.0f, 0.0f};
    // 1. The nearest strip point, staying on the traced strip unless another is clearly
    //    nearer (at a crossing the trace keeps to its branch).
    const graphContourPoint p{point.x, point.y};
    if (tracedStrip >= contour.strips.size()) tracedStrip = 0;
    double tracedDistance = graphFarAway, bestDistance = graphFarAway;
    graphContourPoint q = nearestOnStrip(tracedStrip, p, &tracedDistance);
    size_t bestStrip = tracedStrip;
    graphContourPoint bestPoint = q;
    for (size_t s = 0; s < contour.strips.size(); s++) {
        double d = graphFarAway;
        const graphContourPoint r = nearestOnStrip(s, p, &d);
        if (d < bestDistance) bestDistance = d, bestStrip = s, bestPoint = r;
    }
    if (tracedDistance > bestDistance + std::fabs(tolerance)) {
        tracedStrip = bestStrip;
        q = bestPoint;
    }
    // 2. Onto the curve: Newton steps along the gradient, kept only while they stay near.
    for (int step = 0; step < 3; step++) {
        const double f = difference(q.x, q.y);
        const double fx =
            (difference(q.x + derivativeStep, q.y) - difference(q.x - derivativeStep, q.y)) /
            (2.0 * derivativeStep);
        const double fy =
            (difference(q.x, q.y + derivativeStep) - difference(q.x, q.y - derivativeStep)) /
            (2.0 * derivativeStep);
        const double g2 = fx * fx + fy * fy;
        if (!std::isfinite(f) || !(g2 > 0.0) || !std::isfinite(g2)) break;
        const graphContourPoint moved{q.x - f * fx / g2, q.y - f * fy / g2};
        if (std::hypot(moved.x - q.x, moved.y - q.y) > std::fabs(tolerance)) break;
        q = moved;
    }
    return {static_cast<float>(q.x), static_cast<float>(q.y)};
}

double graph2DImplicitRender::derivAtPoint(graphPoint point) {
    // dy/dx = -Fx / Fy along the curve.
    const double x = point.x, y = point.y;
    const double fx = (difference(x + derivativeStep, y) - difference(x - derivativeStep, y)) /
                      (2.0 * derivativeStep);
    const double fy = (difference(x, y + derivativeStep) - difference(x, y - derivativeStep)) /
                      (2.0 * derivativeStep);
    const double slope = -fx / fy;
    return std::isfinite(slope) ? slope : 0.0;
}
