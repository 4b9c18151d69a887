#include "render/graph2DFunctionRender.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double derivativeStep = 1e-10;

}  // namespace

graph2DFunctionRender::graph2DFunctionRender(graphDraw &draw, bool sideways)
    : graphRender(draw), sideways(sideways) {}

int graph2DFunctionRender::evaluate(double u, double *value) const {
    grVariables variables{0.0, 0.0, 0.0, 0.0, kValue};
    (sideways ? variables.y : variables.x) = u;
    return (sideways ? compiledX : compiledY).eval(variables, value);
}

graphPoint graph2DFunctionRender::pointAt(double u, double value) const {
    if (sideways) return {static_cast<float>(value), static_cast<float>(u)};
    return {static_cast<float>(u), static_cast<float>(value)};
}

void graph2DFunctionRender::compileWithBounds(graphRect region, graphRect, const QColor &color) {
    draw.newList(compileList);
    draw.color(static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
               static_cast<float>(color.blueF()), 1.0f);

    // The step is rounded to float, so y = x over -10..10 ends at 10.000001043.
    const float step = (sideways ? region.height : region.width) / float(sampleIntervals);
    const double origin = sideways ? region.y : region.x;

    setBand(region);
    const double band = bandSize, bandHigh = bandLow + bandSize;
    // Bisections of one compile stay within twice the plain sampling's evaluations.
    int budget = 2 * (sampleIntervals + 1);

    // A sample that is NaN or fails to evaluate ends the strip; the next valid one starts
    // a new strip, and both run on to the ends of the defined stretch. Each strip goes to
    // the drawing interface as one block.
    // The samples are evaluated together; bisections evaluate one point at a time.
    sampleU.resize(sampleIntervals + 1);
    sampleValue.resize(sampleIntervals + 1);
    for (int i = 0; i <= sampleIntervals; i++) sampleU[i] = origin + i * static_cast<double>(step);
    grInputArrays varied;
    (sideways ? varied.y : varied.x) = sampleU.data();
    (sideways ? compiledX : compiledY)
        .evalArrays({0.0, 0.0, 0.0, 0.0, kValue}, varied, sampleIntervals + 1, sampleValue.data());

    strip.clear();
    strip.reserve(2 * (sampleIntervals + 8));
    bool havePrevious = false, previousUndefined = false;
    sample previous{0.0, 0.0};
    double undefinedU = 0.0;
    for (int i = 0; i <= sampleIntervals; i++) {
        // A failed evaluation is NaN here.
        const sample current{sampleU[i], sampleValue[i]};
        if (std::isnan(current.value)) {
            if (havePrevious) append(lastDefined(previous, current.u, budget));
            flushStrip();
            havePrevious = false;
            previousUndefined = true;
            undefinedU = current.u;
            continue;
        }
        if (previousUndefined) {
            append(lastDefined(current, undefinedU, budget));
        } else if (havePrevious) {
            // Only a segment that crosses the band can show a false stroke; of those, a
            // sign change or a jump larger than the band is checked for a pole.
            const double a = previous.value, b = current.value;
            sample left{}, right{};
            if (((a < 0.0) != (b < 0.0) || std::fabs(b - a) > band) &&
                !((a > bandHigh && b > bandHigh) || (a < bandLow && b < bandLow)) &&
                jumpsBetween(previous, current, band, budget, &left, &right)) {
                if (left.u != previous.u) append(left);
                flushStrip();
                if (right.u != current.u) append(right);
            }
        }
        append(current);
        previous = current;
        havePrevious = true;
        previousUndefined = false;
    }
    flushStrip();
    draw.endList();
}

void graph2DFunctionRender::recompute() {
    setBand(bounds);
}

void graph2DFunctionRender::setBand(graphRect region) {
    // A value farther than farBeyond bands from the band in view is drawn at that
    // distance: the segment towards it still leaves the view almost vertically, and
    // neither infinities nor doubles beyond float range reach the driver.
    const double size = sideways ? region.width : region.height;
    bandLow = sideways ? region.x : region.y;
    bandSize = size > 0.0 && std::isfinite(size) ? size : 1.0;
    lowestDrawn = bandLow - farBeyond * bandSize;
    highestDrawn = bandLow + bandSize + farBeyond * bandSize;
}

void graph2DFunctionRender::append(sample s) {
    const double held = s.value < lowestDrawn    ? lowestDrawn
                        : s.value > highestDrawn ? highestDrawn
                                                 : s.value;
    graphPoint p = pointAt(s.u, held);
    strip.push_back(p.x);
    strip.push_back(p.y);
}

bool graph2DFunctionRender::jumpsBetween(sample a, sample b, double band, int &budget, sample *left,
                                         sample *right) const {
    auto farOff = [this](double v) { return v <= lowestDrawn || v >= highestDrawn; };
    // Keep the half with the larger change of value. Near a pole that change grows at
    // every step (|f| rises towards the pole on both sides); a continuous function's soon
    // shrinks, at least by 0.9 once the interval is small (0.5 where f is linear, about
    // 0.998 at first where it is as flat as x^9 near 0). A jump that neither grows nor
    // shrinks after all steps is a break as well.
    double change = std::fabs(b.value - a.value);
    for (int i = 0; i < poleBisections; i++) {
        // Without evaluations left, a sign change across more than the band is taken for
        // a pole, as it most likely is.
        if (budget <= 0) {
            *left = a;
            *right = b;
            return (a.value < 0.0) != (b.value < 0.0) && change > band;
        }
        sample middle{(a.u + b.u) * 0.5, 0.0};
        if (!(middle.u > a.u && middle.u < b.u)) break;  // no double left between them
        budget--;
        if (evaluate(middle.u, &middle.value) != 0 || std::isnan(middle.value))
            break;  // undefined in between: the strip ends either way
        const double leftChange = std::fabs(middle.value - a.value);
        const double rightChange = std::fabs(b.value - middle.value);
        const double kept = std::max(leftChange, rightChange);
        if (leftChange >= rightChange)
            b = middle;
        else
            a = middle;
        if (kept <= 0.9 * change) return false;
        change = kept;
        // Once both ends are held far beyond the band, the segment between them shows
        // as a stroke across the view or not at all: the strips end there.
        if (farOff(a.value) && farOff(b.value)) break;
    }
    *left = a;
    *right = b;
    return true;
}

graph2DFunctionRender::sample graph2DFunctionRender::lastDefined(sample good, double badU,
                                                                 int &budget) const {
    for (int i = 0; i < edgeBisections && budget > 0; i++, budget--) {
        sample middle{(good.u + badU) * 0.5, 0.0};
        if (middle.u == good.u || middle.u == badU) break;
        if (evaluate(middle.u, &middle.value) != 0 || std::isnan(middle.value))
            badU = middle.u;
        else
            good = middle;
    }
    return good;
}

void graph2DFunctionRender::flushStrip() {
    if (!strip.empty())
        draw.vertices(graphPrimitive::lineStrip, strip.data(), static_cast<int>(strip.size() / 2));
    strip.clear();
}

double graph2DFunctionRender::distanceFromCurveAtPoint(graphPoint point) {
    double value = 0.0;
    if (evaluate(sideways ? point.y : point.x, &value) != 0) return graphFarAway;
    return std::fabs(value - (sideways ? point.x : point.y));
}

graphPoint graph2DFunctionRender::bestPointForPoint(graphPoint point, double tolerance) {
    // A tolerance that never shrinks below the stopping size would refine forever.
    if (!std::isfinite(tolerance)) return {0.0f, 0.0f};
    return refineRoot(sideways ? point.y : point.x, tolerance);
}

graphPoint graph2DFunctionRender::refineRoot(double u, double tolerance) const {
    double value = 0.0;
    // 1. Within the tolerance of the axis: snap to the intercept f(0).
    if ((u + tolerance) * (u - tolerance) <= 0.0) {
        if (evaluate(0.0, &value) != 0) return {0.0f, 0.0f};
        return pointAt(0.0, value);
    }
    // 2. The values at both ends of the tolerance window.
    double a = u - tolerance, b = u + tolerance, fa = 0.0, fb = 0.0;
    if (evaluate(a, &fa) != 0 || evaluate(b, &fb) != 0) return {0.0f, 0.0f};
    // 3. A sign change that is not a pole: take the secant root, and refine around it
    //    with a quarter of the tolerance while its residual is not yet tiny. When both
    //    ends are exact roots the secant is undefined, and the pointer's own abscissa is
    //    answered below.
    int budget = poleBisections;
    sample left{}, right{};
    if (fa * fb <= 0.0 && fb != fa &&
        !jumpsBetween({a, fa}, {b, fb}, bandSize, budget, &left, &right)) {
        double r = a + (2.0 * tolerance * (-fa)) / (fb - fa);
        double fr = 0.0;
        if (evaluate(r, &fr) != 0) return {0.0f, 0.0f};
        if (std::fabs(fr) < 1e-7 || tolerance < 1e-11) return pointAt(r, 0.0);
        return refineRoot(r, tolerance * 0.25);
    }
    // 4. Otherwise the curve point under the pointer.
    if (evaluate(u, &value) != 0) return {0.0f, 0.0f};
    return pointAt(u, value);
}

double graph2DFunctionRender::derivAtPoint(graphPoint point) {
    double u = sideways ? point.y : point.x;
    double before = 0.0, after = 0.0;
    if (evaluate(u - derivativeStep, &before) != 0 || evaluate(u + derivativeStep, &after) != 0)
        return 0.0;
    return (after - before) / 2e-10;
}
