// The zero set of a function of x and y over a rectangle, by marching squares, and the
// region where the function is negative, as triangles. It knows neither equations nor
// drawing: the function arrives as a batch evaluator, the answer is plain geometry.
//
// The rectangle is cut into columns x rows cells whose corners are evaluated in one batch.
// On each cell edge whose ends differ in sign (zero counts as positive) the crossing is
// found by bisection, so every vertex lies on the curve to a tiny fraction of a cell. A
// crossing whose change of value grows instead of shrinking under bisection is a pole or a
// jump, not a zero: no segment ends there (y - tan x = 0 draws nothing across x = pi/2),
// though the region's edge still runs through it. A cell whose two diagonal corners are
// negative and the other two positive (a saddle) is decided by its centre value. A cell
// whose corners agree in sign but whose values vary by more than their smallest magnitude
// may hide a piece of the curve; it is cut into four, and so on up to maxDepth, the grid
// cells with the smallest magnitude against that variation first, while the refinement
// budget lasts. Undefined (NaN) corners leave a cell empty.
//
// Segments are joined into strips: a closed curve comes back as one strip whose last
// vertex is its first.
#pragma once

#include <functional>
#include <vector>

// Writes h(xs[i], ys[i]) to out[i] for i < n; NaN where h is undefined.
using graphContourFunction =
    std::function<void(const double *xs, const double *ys, int n, double *out)>;

struct graphContourPoint {
    double x = 0.0, y = 0.0;
};

struct graphContourOptions {
    int columns = 200, rows = 150;
    // Levels of quartering below a grid cell; 0 samples the grid alone.
    int maxDepth = 3;
    // Evaluations that refinement may spend, as a multiple of the grid's own.
    double refinementBudget = 2.0;
    // Bisection steps per crossing.
    int bisections = 16;
    // Whether to build the triangles of the negative region.
    bool fill = false;
};

struct graphContourResult {
    std::vector<std::vector<graphContourPoint>> strips;
    // Triangles covering the region where h < 0, three points each, counter-clockwise.
    std::vector<graphContourPoint> triangles;
    long evaluations = 0;
};

graphContourResult graphContour(double x, double y, double width, double height,
                                const graphContourOptions &options,
                                const graphContourFunction &function);
