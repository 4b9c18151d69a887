#include "render/graphParametricCurveRender.h"

#include <cmath>

graphParametricCurveRender::graphParametricCurveRender(graphDraw &draw, bool space)
    : graphRender(draw), space(space)
{
}

void graphParametricCurveRender::init()
{
    start = 0.0;
    length = 40.0;
    lastT = 0.0;
}

void graphParametricCurveRender::setTStart(double newStart, double newLength)
{
    start = newStart;
    length = newLength;
}

bool graphParametricCurveRender::evaluate(double t, double *x, double *y, double *z) const
{
    if (equation == nullptr || equation->x == nullptr || equation->y == nullptr)
        return false;
    grVariables variables{0.0, t, 0.0, 0.0, kValue};
    if (grEvalExp(&variables, equation->x, x) != 0 || grEvalExp(&variables, equation->y, y) != 0 ||
        std::isnan(*x) || std::isnan(*y))
        return false;
    if (z == nullptr)
        return true;
    if (equation->z == nullptr || grEvalExp(&variables, equation->z, z) != 0)
        return false;
    return !std::isnan(*z);
}

void graphParametricCurveRender::compileWithBounds(graphRect region, graphRect, const QColor &color)
{
    draw.newList(compileList);
    draw.color(static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
               static_cast<float>(color.blueF()), 1.0f);

    // The step in t is never less than three 1200ths of the visible width, in float: with
    // the default range over a width of 20 that is 0.05000000447 and 799 samples. A range
    // shorter than 1200 such steps gets proportionally fewer samples, never more than 1200
    // (which also bounds the count when the width or the range is negative or tiny).
    int count = sampleCount;
    double step = length / sampleCount;
    const float minStep = (region.width / float(sampleCount)) * 3.0f;
    if (step < minStep) {
        step = minStep;
        const double wanted = std::trunc(length / minStep);
        count = wanted >= 0.0 && wanted < sampleCount ? static_cast<int>(wanted)
                : wanted >= sampleCount               ? sampleCount
                                                      : 0;
    }

    // A sample that is NaN or fails to evaluate is skipped and the strip runs on past it;
    // infinite values pass to the clipper unchanged.
    double x = 0.0, y = 0.0, z = 0.0;
    if (space) {
        draw.begin(graphPrimitive::lineStrip);
        for (int i = 0; i < count; i++)
            if (evaluate(start + i * step, &x, &y, &z))
                draw.vertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
        draw.end();
    } else {
        strip.clear();
        strip.reserve(2 * sampleCount);
        for (int i = 0; i < count; i++) {
            if (evaluate(start + i * step, &x, &y, nullptr)) {
                strip.push_back(static_cast<float>(x));
                strip.push_back(static_cast<float>(y));
            }
        }
        draw.vertices(graphPrimitive::lineStrip, strip.data(), static_cast<int>(strip.size() / 2));
    }
    draw.endList();
}

double graphParametricCurveRender::distanceFromCurveAtPoint(graphPoint point)
{
    // The coarse search: 1200 samples over the whole range, in the x-y plane only.
    double best = graphFarAway;
    const double step = length / sampleCount;
    for (int i = 0; i < sampleCount; i++) {
        const double t = start + i * step;
        double x = 0.0, y = 0.0;
        if (!evaluate(t, &x, &y, nullptr))
            continue;
        const double d = std::sqrt((x - point.x) * (x - point.x) + (y - point.y) * (y - point.y));
        if (d < best) {
            best = d;
            lastT = t;
        }
    }
    return best;
}

graphPoint graphParametricCurveRender::fineSearch(graphPoint point)
{
    // 1. The window around the last hit, clamped into the range.
    double lo = lastT - fineWindow, hi = lastT + fineWindow;
    if (lo < start)
        lo = start;
    if (hi > start + length)
        hi = start + length;

    // 2.-3. Step t by repeated addition. Where t is so large that the step no longer
    //       changes it, the search ends instead of looping forever.
    graphPoint q{0.0f, 0.0f};
    double best = graphFarAway;
    for (double t = lo; t <= hi;) {
        double x = 0.0, y = 0.0;
        if (evaluate(t, &x, &y, nullptr)) {
            const double d = std::sqrt((x - point.x) * (x - point.x) + (y - point.y) * (y - point.y));
            if (d < best) {
                best = d;
                q = {static_cast<float>(x), static_cast<float>(y)};
                lastT = t;
            }
        }
        const double next = t + fineStep;
        if (!(next > t))
            break;
        t = next;
    }
    return q;
}
