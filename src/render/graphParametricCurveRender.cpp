#include "render/graphParametricCurveRender.h"

#include <cmath>

graphParametricCurveRender::graphParametricCurveRender(graphDraw &draw, bool space)
    : graphRender(draw), space(space) {}

void graphParametricCurveRender::init() {
    start = 0.0;
    length = 40.0;
    lastT = 0.0;
}

void graphParametricCurveRender::setTStart(double newStart, double newLength) {
    start = newStart;
    length = newLength;
}

bool graphParametricCurveRender::evaluate(double t, double *x, double *y, double *z) const {
    const grVariables variables{0.0, t, 0.0, 0.0, kValue};
    if (compiledX.eval(variables, x) != 0 || compiledY.eval(variables, y) != 0 || std::isnan(*x) ||
        std::isnan(*y))
        return false;
    if (z == nullptr) return true;
    if (compiledZ.eval(variables, z) != 0) return false;
    return !std::isnan(*z);
}

void graphParametricCurveRender::evaluateAll(const double *ts, int n, double *x, double *y,
                                             double *z) const {
    const grVariables fixed{0.0, 0.0, 0.0, 0.0, kValue};
    const grInputArrays varied{.t = ts};
    compiledX.evalArrays(fixed, varied, n, x);
    compiledY.evalArrays(fixed, varied, n, y);
    if (space) compiledZ.evalArrays(fixed, varied, n, z);
}

void graphParametricCurveRender::sampleAll(const std::vector<double> &ts,
                                           std::vector<sample> &into) {
    // Failures come back as NaN, which makes a sample invalid as well.
    const int n = static_cast<int>(ts.size());
    xs.resize(n);
    ys.resize(n);
    zs.assign(n, 0.0);
    evaluateAll(ts.data(), n, xs.data(), ys.data(), zs.data());
    into.clear();
    for (int i = 0; i < n; i++) {
        const bool valid = !std::isnan(xs[i]) && !std::isnan(ys[i]) && !std::isnan(zs[i]);
        into.push_back({ts[i], xs[i], ys[i], zs[i], valid, false});
    }
}

void graphParametricCurveRender::compileWithBounds(graphRect region, graphRect viewBounds,
                                                   const QColor &color) {
    draw.newList(compileList);
    draw.color(static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
               static_cast<float>(color.blueF()), 1.0f);
    refine(region, viewBounds);
    drawSamples(region);
    draw.endList();
}

void graphParametricCurveRender::refine(graphRect region, graphRect viewBounds) {
    samples.clear();
    if (!std::isfinite(start) || !std::isfinite(length)) return;
    // Distances are measured in pixels of the view; a view or region without a size
    // measures in graph units.
    auto scale = [](float pixels, float units) {
        const double s = static_cast<double>(pixels) / units;
        return s > 0.0 && std::isfinite(s) ? s : 1.0;
    };
    pixelsX = scale(viewBounds.width, region.width);
    pixelsY = space ? pixelsX : scale(viewBounds.height, region.height);
    refineRegion = region;

    // Uniform samples with the range's end exactly, so that a closed curve closes.
    const int base = length == 0.0 ? 0 : baseIntervals;
    times.clear();
    for (int i = 0; i <= base; i++)
        times.push_back(i == base ? start + length : start + length * i / base);
    sampleAll(times, samples);
    int evaluations = base + 1;

    // Each pass looks at the middle of every unsettled interval, as long as evaluations
    // are left: it either splits the interval or settles it, and is kept as a vertex
    // either way. The middles of a pass are evaluated together.
    for (int depth = 0; depth < maxDepth; depth++) {
        times.clear();
        for (size_t k = 0; k + 1 < samples.size(); k++)
            if (!samples[k].settled && evaluations + static_cast<int>(times.size()) < maxSamples)
                times.push_back((samples[k].t + samples[k + 1].t) * 0.5);
        sampleAll(times, middles);
        evaluations += static_cast<int>(times.size());

        bool split = false;
        size_t next = 0;
        refined.clear();
        for (size_t k = 0; k + 1 < samples.size(); k++) {
            sample a = samples[k];
            const sample &b = samples[k + 1];
            if (a.settled || next == middles.size()) {
                refined.push_back(a);
                continue;
            }
            sample m = middles[next++];
            const bool splits = needsSplit(a, m, b);
            a.settled = m.settled = !splits;
            split = split || splits;
            refined.push_back(a);
            refined.push_back(m);
        }
        refined.push_back(samples.back());
        samples.swap(refined);
        if (!split || evaluations >= maxSamples) break;
    }
    // Of the intervals left unsettled by the depth limit (not by the cap), those still
    // long in view are jumps; the others settle.
    for (size_t k = 0; k + 1 < samples.size(); k++)
        if (!samples[k].settled)
            samples[k].settled = evaluations >= maxSamples || !isJump(samples[k], samples[k + 1]);
}

bool graphParametricCurveRender::beyondOneEdge(std::initializer_list<const sample *> points) const {
    // Space curves are seen from every side: none is beyond.
    if (space) return false;
    const graphRect &r = refineRegion;
    bool left = true, right = true, below = true, above = true;
    for (const sample *p : points) {
        left = left && p->x < r.x;
        right = right && p->x > r.x + r.width;
        below = below && p->y < r.y;
        above = above && p->y > r.y + r.height;
    }
    return left || right || below || above;
}

double graphParametricCurveRender::pixelDistance(const sample &a, const sample &b) const {
    const double dx = (b.x - a.x) * pixelsX, dy = (b.y - a.y) * pixelsY, dz = (b.z - a.z) * pixelsX;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool graphParametricCurveRender::isJump(const sample &a, const sample &b) const {
    return a.valid && b.valid && std::isfinite(pixelDistance(a, b)) && !beyondOneEdge({&a, &b}) &&
           pixelDistance(a, b) > maxSegmentPixels;
}

bool graphParametricCurveRender::needsSplit(const sample &a, const sample &m,
                                            const sample &b) const {
    // Where the curve passes between defined and undefined, look closer for the edge.
    if (!a.valid || !m.valid || !b.valid) return a.valid || m.valid || b.valid;
    // Wholly beyond one edge of the region: nothing of it shows.
    if (beyondOneEdge({&a, &m, &b})) return false;
    // Both halves are drawn, so each may span the bound.
    const double u = pixelDistance(a, m), v = pixelDistance(m, b);
    if (!(u <= maxSegmentPixels && v <= maxSegmentPixels)) return true;  // long, or infinitely far
    // A sharp turn at the middle, on a segment long enough to show it.
    static const double cosMaxTurn = std::cos(maxTurnDegrees * M_PI / 180.0);
    const double turn = ((m.x - a.x) * (b.x - m.x) * pixelsX * pixelsX +
                         (m.y - a.y) * (b.y - m.y) * pixelsY * pixelsY +
                         (m.z - a.z) * (b.z - m.z) * pixelsX * pixelsX);
    return u + v > 2.0 && turn < cosMaxTurn * u * v;
}

void graphParametricCurveRender::drawSamples(graphRect region) {
    // Far-off values are held 100 region sizes beyond its edges (z by the width).
    const double w = region.width > 0.0f ? region.width : 1.0,
                 h = region.height > 0.0f ? region.height : 1.0;
    auto hold = [](double v, double low, double size) {
        const double lowest = low - 100.0 * size, highest = low + 101.0 * size;
        return static_cast<float>(v < lowest ? lowest : v > highest ? highest : v);
    };

    bool open = false;
    strip.clear();
    const sample *previous = nullptr;
    bool skipped = false;
    for (const sample &s : samples) {
        if (!s.valid) {
            skipped = true;  // the strip runs on past it
            continue;
        }
        // An interval still unsettled is a jump: a new strip begins.
        if (previous != nullptr && !skipped && !previous->settled) {
            if (space) {
                draw.end();
                open = false;
            } else {
                draw.vertices(graphPrimitive::lineStrip, strip.data(),
                              static_cast<int>(strip.size() / 2));
                strip.clear();
            }
        }
        previous = &s;
        skipped = false;
        const float x = hold(s.x, region.x, w), y = hold(s.y, region.y, h);
        if (space) {
            if (!open) draw.begin(graphPrimitive::lineStrip);
            open = true;
            draw.vertex(x, y, hold(s.z, -0.5 * w, w));
        } else {
            strip.push_back(x);
            strip.push_back(y);
        }
    }
    if (space) {
        if (open) draw.end();
    } else if (!strip.empty()) {
        draw.vertices(graphPrimitive::lineStrip, strip.data(), static_cast<int>(strip.size() / 2));
    }
}

double graphParametricCurveRender::distanceFromCurveAtPoint(graphPoint point) {
    // The coarse search: 1200 samples over the whole range, in the x-y plane only.
    double best = graphFarAway;
    const double step = length / sampleCount;
    for (int i = 0; i < sampleCount; i++) {
        const double t = start + i * step;
        double x = 0.0, y = 0.0;
        if (!evaluate(t, &x, &y, nullptr)) continue;
        const double d = std::sqrt((x - point.x) * (x - point.x) + (y - point.y) * (y - point.y));
        if (d < best) {
            best = d;
            lastT = t;
        }
    }
    return best;
}

graphPoint graphParametricCurveRender::fineSearch(graphPoint point) {
    // The window around the last hit, clamped into the range.
    double lo = lastT - fineWindow, hi = lastT + fineWindow;
    if (lo < start) lo = start;
    if (hi > start + length) hi = start + length;

    // Step t by repeated addition. Where t is so large that the step no longer changes it, the
    // search ends instead of looping forever.
    graphPoint q{0.0f, 0.0f};
    double best = graphFarAway;
    for (double t = lo; t <= hi;) {
        double x = 0.0, y = 0.0;
        if (evaluate(t, &x, &y, nullptr)) {
            const double d =
                std::sqrt((x - point.x) * (x - point.x) + (y - point.y) * (y - point.y));
            if (d < best) {
                best = d;
                q = {static_cast<float>(x), static_cast<float>(y)};
                lastT = t;
            }
        }
        const double next = t + fineStep;
        if (!(next > t)) break;
        t = next;
    }
    return q;
}
