#include "render/graphContour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace {

struct corner {
    double x, y, v;
};

struct crossing {
    graphContourPoint p;
    bool drawable;  // a zero of the function, not a pole, a jump or an undefined stretch
};

bool isNegative(double v) {
    return v < 0.0;
}

class contour {
public:
    contour(const graphContourOptions &options, const graphContourFunction &function, double cell)
        : options(options), function(function), tolerance(cell * 1e-3) {}

    double evaluate(double x, double y) {
        double value = 0.0;
        function(&x, &y, 1, &value);
        evaluations++;
        return value;
    }

    // What became of a grid cell: drawn, left whole and negative for the caller to fill,
    // or a candidate for refinement, which the caller decides once every cell is seen.
    enum class outcome { done, wholeNegative, candidate };
    // Processes one cell with corners in counter-clockwise order from the lower left.
    outcome cell(const corner c[4], int depth);
    // Cuts a cell into four and processes them.
    void subdivide(const corner c[4], int depth);
    // How likely a cell whose corners agree in sign hides a zero: its smallest magnitude
    // over the spread of its values, refined below 1 (smaller is more likely).
    static double suspicion(const corner c[4]);
    void fillRectangle(double x0, double y0, double x1, double y1);
    void joinStrips(std::vector<std::vector<graphContourPoint>> &strips);

    long evaluations = 0, budget = 0;
    std::vector<graphContourPoint> triangles;

private:
    crossing edgeCrossing(corner a, corner b);
    void addPolygon(const std::vector<graphContourPoint> &polygon);

    const graphContourOptions &options;
    const graphContourFunction &function;
    const double tolerance;
    std::vector<std::pair<graphContourPoint, graphContourPoint>> segments;
};

crossing contour::edgeCrossing(corner a, corner b) {
    // Bisect from the lexicographically smaller end, so that the two cells sharing an
    // edge find the very same point.
    if (b.x < a.x || (b.x == a.x && b.y < a.y)) std::swap(a, b);
    const double change = std::fabs(b.v - a.v);
    corner low = a, high = b;
    for (int i = 0; i < options.bisections; i++) {
        corner middle{(low.x + high.x) * 0.5, (low.y + high.y) * 0.5, 0.0};
        middle.v = evaluate(middle.x, middle.y);
        if (std::isnan(middle.v)) {
            // Undefined inside the edge: the region's edge is put halfway, no curve ends here.
            return {{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5}, false};
        }
        (isNegative(middle.v) == isNegative(low.v) ? low : high) = middle;
    }
    // Near a zero the change of value shrinks with the interval (by 2^-16 where the
    // function is linear); across a pole it grows, across a jump it stays.
    const double remaining = std::fabs(high.v - low.v);
    const bool zero = std::isfinite(remaining) && remaining <= 0.1 * change;
    double t = 0.5;
    if (zero && high.v != low.v) t = std::clamp(low.v / (low.v - high.v), 0.0, 1.0);
    return {{low.x + (high.x - low.x) * t, low.y + (high.y - low.y) * t}, zero};
}

double contour::suspicion(const corner c[4]) {
    double smallest = INFINITY, low = INFINITY, high = -INFINITY;
    for (int k = 0; k < 4; k++) {
        smallest = std::min(smallest, std::fabs(c[k].v));
        low = std::min(low, c[k].v);
        high = std::max(high, c[k].v);
    }
    return high > low ? smallest / (high - low) : INFINITY;
}

contour::outcome contour::cell(const corner c[4], int depth) {
    int mask = 0;
    for (int k = 0; k < 4; k++) {
        if (std::isnan(c[k].v)) return outcome::done;
        if (isNegative(c[k].v)) mask |= 1 << k;
    }
    if (mask == 0 || mask == 15) {
        // The corners agree. A zero may still hide inside where the values vary by more
        // than their smallest magnitude.
        if (depth < options.maxDepth && suspicion(c) <= 1.0) {
            if (depth == 0) return outcome::candidate;
            if (budget >= 5) {
                subdivide(c, depth);
                return outcome::done;
            }
        }
        if (mask == 15 && options.fill) {
            if (depth == 0) return outcome::wholeNegative;
            fillRectangle(c[0].x, c[0].y, c[2].x, c[2].y);
        }
        return outcome::done;
    }

    crossing e[4];  // on edge k, from corner k to corner k + 1
    for (int k = 0; k < 4; k++) {
        const corner &a = c[k], &b = c[(k + 1) % 4];
        if (isNegative(a.v) != isNegative(b.v)) e[k] = edgeCrossing(a, b);
    }
    // A curve through a corner gives the crossings of both its edges there: no segment.
    auto segment = [this, &e](int from, int to) {
        if (e[from].drawable && e[to].drawable &&
            (std::fabs(e[from].p.x - e[to].p.x) > tolerance ||
             std::fabs(e[from].p.y - e[to].p.y) > tolerance))
            segments.push_back({e[from].p, e[to].p});
    };

    // A corner of its own sign among the others is cut off by the segment between its two
    // edges. In a saddle the two corners whose sign the centre does not share are.
    bool separated = false;
    if (mask == 5 || mask == 10) {
        const double centre = evaluate((c[0].x + c[2].x) * 0.5, (c[0].y + c[2].y) * 0.5);
        const bool centreNegative = isNegative(centre);
        for (int k = 0; k < 4; k++)
            if (isNegative(c[k].v) != centreNegative) segment((k + 3) % 4, k);
        separated = !centreNegative;
    } else {
        int first = -1;
        for (int k = 0; k < 4; k++) {
            const corner &a = c[k], &b = c[(k + 1) % 4];
            if (isNegative(a.v) == isNegative(b.v)) continue;
            if (first < 0)
                first = k;
            else
                segment(first, k);
        }
    }

    if (!options.fill) return outcome::done;
    if (separated) {
        // Two negative corners apart: a triangle each.
        for (int k = 0; k < 4; k++)
            if (isNegative(c[k].v)) addPolygon({e[(k + 3) % 4].p, {c[k].x, c[k].y}, e[k].p});
        return outcome::done;
    }
    std::vector<graphContourPoint> polygon;
    for (int k = 0; k < 4; k++) {
        if (isNegative(c[k].v)) polygon.push_back({c[k].x, c[k].y});
        if (isNegative(c[k].v) != isNegative(c[(k + 1) % 4].v)) polygon.push_back(e[k].p);
    }
    addPolygon(polygon);
    return outcome::done;
}

void contour::subdivide(const corner c[4], int depth) {
    budget -= 5;
    auto between = [this](const corner &a, const corner &b) {
        corner m{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5, 0.0};
        m.v = evaluate(m.x, m.y);
        return m;
    };
    const corner bottom = between(c[0], c[1]), right = between(c[1], c[2]),
                 top = between(c[2], c[3]), left = between(c[3], c[0]),
                 centre = between(c[0], c[2]);
    const corner quarters[4][4] = {{c[0], bottom, centre, left},
                                   {bottom, c[1], right, centre},
                                   {centre, right, c[2], top},
                                   {left, centre, top, c[3]}};
    for (const auto &quarter : quarters) cell(quarter, depth + 1);
}

void contour::fillRectangle(double x0, double y0, double x1, double y1) {
    addPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

void contour::addPolygon(const std::vector<graphContourPoint> &polygon) {
    for (size_t i = 1; i + 1 < polygon.size(); i++) {
        triangles.push_back(polygon[0]);
        triangles.push_back(polygon[i]);
        triangles.push_back(polygon[i + 1]);
    }
}

void contour::joinStrips(std::vector<std::vector<graphContourPoint>> &strips) {
    // Ends within the tolerance are the same point; they are found through a hash of
    // tolerance-sized buckets and their eight neighbours.
    struct bucketHash {
        size_t operator()(const std::pair<int64_t, int64_t> &k) const {
            return std::hash<int64_t>()(k.first * 0x9E3779B97F4A7C15LL ^ k.second);
        }
    };
    std::unordered_map<std::pair<int64_t, int64_t>, std::vector<int>, bucketHash> ends;
    auto bucketOf = [this](const graphContourPoint &p) {
        return std::pair<int64_t, int64_t>(std::llround(p.x / tolerance),
                                           std::llround(p.y / tolerance));
    };
    auto endPoint = [this](int end) {
        return end % 2 == 0 ? segments[end / 2].first : segments[end / 2].second;
    };
    for (int i = 0; i < static_cast<int>(segments.size()); i++) {
        ends[bucketOf(segments[i].first)].push_back(2 * i);
        ends[bucketOf(segments[i].second)].push_back(2 * i + 1);
    }
    std::vector<char> used(segments.size(), 0);
    // The unused segment with an end at p; answers its other end's index, or -1.
    auto next = [&](const graphContourPoint &p) {
        const auto [bx, by] = bucketOf(p);
        for (int64_t dx = -1; dx <= 1; dx++)
            for (int64_t dy = -1; dy <= 1; dy++) {
                auto found = ends.find({bx + dx, by + dy});
                if (found == ends.end()) continue;
                for (int end : found->second) {
                    if (used[end / 2]) continue;
                    const graphContourPoint q = endPoint(end);
                    if (std::fabs(q.x - p.x) <= tolerance && std::fabs(q.y - p.y) <= tolerance) {
                        used[end / 2] = 1;
                        return end ^ 1;
                    }
                }
            }
        return -1;
    };
    for (size_t s = 0; s < segments.size(); s++) {
        if (used[s]) continue;
        used[s] = 1;
        std::deque<graphContourPoint> strip{segments[s].first, segments[s].second};
        for (int other; (other = next(strip.back())) >= 0;) strip.push_back(endPoint(other));
        for (int other; (other = next(strip.front())) >= 0;) strip.push_front(endPoint(other));
        if (strip.size() > 2 && std::fabs(strip.front().x - strip.back().x) <= tolerance &&
            std::fabs(strip.front().y - strip.back().y) <= tolerance)
            strip.back() = strip.front();
        strips.emplace_back(strip.begin(), strip.end());
    }
}

}  // namespace

graphContourResult graphContour(double x, double y, double width, double height,
                                const graphContourOptions &options,
                                const graphContourFunction &function) {
    graphContourResult result;
    const int columns = std::clamp(options.columns, 1, 4000);
    const int rows = std::clamp(options.rows, 1, 4000);
    if (!(width > 0.0) || !(height > 0.0) || !std::isfinite(x + y + width + height)) return result;

    // 1. The grid, in one batch.
    const int stride = columns + 1;
    const size_t count = static_cast<size_t>(stride) * (rows + 1);
    std::vector<double> xs(count), ys(count), values(count);
    for (int j = 0; j <= rows; j++)
        for (int i = 0; i <= columns; i++) {
            xs[j * stride + i] = x + width * i / columns;
            ys[j * stride + i] = y + height * j / rows;
        }
    function(xs.data(), ys.data(), static_cast<int>(count), values.data());

    // 2. Cell by cell, a row at a time; runs of wholly negative cells are filled as one
    //    rectangle.
    contour work(options, function, std::min(width / columns, height / rows));
    work.budget = static_cast<long>(options.refinementBudget * static_cast<double>(count));
    struct candidate {
        std::array<corner, 4> c;
        double suspicion;
    };
    std::vector<candidate> candidates;
    for (int j = 0; j < rows; j++) {
        int runStart = -1;
        for (int i = 0; i <= columns; i++) {
            bool whole = false;
            if (i < columns) {
                auto at = [&](int di, int dj) {
                    const size_t k = static_cast<size_t>(j + dj) * stride + i + di;
                    return corner{xs[k], ys[k], values[k]};
                };
                const std::array<corner, 4> c = {at(0, 0), at(1, 0), at(1, 1), at(0, 1)};
                const contour::outcome result = work.cell(c.data(), 0);
                whole = result == contour::outcome::wholeNegative;
                if (result == contour::outcome::candidate)
                    candidates.push_back({c, contour::suspicion(c.data())});
            }
            if (whole && runStart < 0) runStart = i;
            if (!whole && runStart >= 0) {
                work.fillRectangle(xs[runStart], ys[j * stride], xs[i], ys[(j + 1) * stride]);
                runStart = -1;
            }
        }
    }

    // 3. Refinement, the most suspicious cells first while the budget lasts; those left
    //    whole are filled when negative.
    std::sort(candidates.begin(), candidates.end(),
              [](const candidate &a, const candidate &b) { return a.suspicion < b.suspicion; });
    for (const candidate &k : candidates) {
        if (work.budget >= 5)
            work.subdivide(k.c.data(), 0);
        else if (options.fill && isNegative(k.c[0].v))
            work.fillRectangle(k.c[0].x, k.c[0].y, k.c[2].x, k.c[2].y);
    }

    // 4. Segments into strips.
    work.joinStrips(result.strips);
    result.triangles = std::move(work.triangles);
    result.evaluations = static_cast<long>(count) + work.evaluations;
    return result;
}
