#include "render/graph2DFunctionRender.h"

#include <cmath>

namespace {

constexpr double derivativeStep = 1e-10;

}  // namespace

graph2DFunctionRender::graph2DFunctionRender(graphDraw &draw, bool sideways)
    : graphRender(draw), sideways(sideways)
{
}

int graph2DFunctionRender::evaluate(double u, double *value) const
{
    grExp *component = equation == nullptr ? nullptr : (sideways ? equation->x : equation->y);
    if (component == nullptr)
        return -1;
    grVariables variables{0.0, 0.0, 0.0, 0.0, kValue};
    (sideways ? variables.y : variables.x) = u;
    return grEvalExp(&variables, component, value);
}

graphPoint graph2DFunctionRender::pointAt(double u, double value) const
{
    if (sideways)
        return {static_cast<float>(value), static_cast<float>(u)};
    return {static_cast<float>(u), static_cast<float>(value)};
}

void graph2DFunctionRender::compileWithBounds(graphRect region, graphRect, const QColor &color)
{
    draw.newList(compileList);
    draw.color(static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
               static_cast<float>(color.blueF()), 1.0f);

    // The step is rounded to float, so y = x over -10..10 ends at 10.000001043.
    const float step = (sideways ? region.height : region.width) / float(sampleIntervals);
    const double origin = sideways ? region.y : region.x;

    // A sample that is NaN or fails to evaluate ends the strip; the next valid one
    // starts a new strip. Infinite values pass on to the clipper unchanged. Each strip
    // goes to the drawing interface as one block.
    strip.clear();
    strip.reserve(2 * (sampleIntervals + 1));
    for (int i = 0; i <= sampleIntervals; i++) {
        double u = origin + i * static_cast<double>(step);
        double value = 0.0;
        if (evaluate(u, &value) != 0 || std::isnan(value)) {
            flushStrip();
            continue;
        }
        graphPoint p = pointAt(u, value);
        strip.push_back(p.x);
        strip.push_back(p.y);
    }
    flushStrip();
    draw.endList();
}

void graph2DFunctionRender::flushStrip()
{
    if (!strip.empty())
        draw.vertices(graphPrimitive::lineStrip, strip.data(), static_cast<int>(strip.size() / 2));
    strip.clear();
}

double graph2DFunctionRender::distanceFromCurveAtPoint(graphPoint point)
{
    double value = 0.0;
    if (evaluate(sideways ? point.y : point.x, &value) != 0)
        return graphFarAway;
    return std::fabs(value - (sideways ? point.x : point.y));
}

graphPoint graph2DFunctionRender::bestPointForPoint(graphPoint point, double tolerance)
{
    // A tolerance that never shrinks below the stopping size would refine forever.
    if (!std::isfinite(tolerance))
        return {0.0f, 0.0f};
    return refineRoot(sideways ? point.y : point.x, tolerance);
}

graphPoint graph2DFunctionRender::refineRoot(double u, double tolerance) const
{
    double value = 0.0;
    // 1. Within the tolerance of the axis: snap to the intercept f(0).
    if ((u + tolerance) * (u - tolerance) <= 0.0) {
        if (evaluate(0.0, &value) != 0)
            return {0.0f, 0.0f};
        return pointAt(0.0, value);
    }
    // 2. The values at both ends of the tolerance window.
    double a = u - tolerance, b = u + tolerance, fa = 0.0, fb = 0.0;
    if (evaluate(a, &fa) != 0 || evaluate(b, &fb) != 0)
        return {0.0f, 0.0f};
    // 3. A sign change: take the secant root, and refine around it with a quarter of
    //    the tolerance while its residual stays positive. When both ends are exact roots
    //    the secant is undefined, and the pointer's own abscissa is answered below.
    if (fa * fb <= 0.0 && fb != fa) {
        double r = a + (2.0 * tolerance * (-fa)) / (fb - fa);
        double fr = 0.0;
        if (evaluate(r, &fr) != 0)
            return {0.0f, 0.0f};
        if (fr < 1e-7 || tolerance < 1e-11)
            return pointAt(r, 0.0);
        return refineRoot(r, tolerance * 0.25);
    }
    // 4. Otherwise the curve point under the pointer.
    if (evaluate(u, &value) != 0)
        return {0.0f, 0.0f};
    return pointAt(u, value);
}

double graph2DFunctionRender::derivAtPoint(graphPoint point)
{
    double u = sideways ? point.y : point.x;
    double before = 0.0, after = 0.0;
    if (evaluate(u - derivativeStep, &before) != 0 || evaluate(u + derivativeStep, &after) != 0)
        return 0.0;
    return (after - before) / 2e-10;
}
