// What the two surface renderers share: the square grid of n x n points, its triangle
// split, face and point normals, and the drawing of the four draw modes.
//
// Grid point (i, j), i and j from 0 to n - 1, is stored at index i * n + j. Cell (i, j),
// i and j up to n - 2, has corners P00 = (i, j), P01 = (i, j + 1), P10 = (i + 1, j) and
// P11 = (i + 1, j + 1) and is split along P01-P10 into triangle 0 = (P00, P10, P01) and
// triangle 1 = (P10, P01, P11). The normal arrays are allocated once at the largest grid
// (200 x 200 points) and reused, so no n, k or region change allocates.
//
// The grid points themselves belong to the renderer; every operation here takes them
// through pointAt(i, j), a callable answering the slVector of grid point (i, j).
#pragma once

#include "engine/slVector.h"
#include "render/graphColorMap.h"
#include "render/graphDraw.h"

#include <cmath>
#include <memory>

// Draw modes of the surface renderers.
enum : int {
    graphDrawPoints = 0,
    graphDrawWireframe = 1,
    graphDrawShaded = 2,
    graphDrawCheckerboard = 3,
};

class graphSurfaceMesh {
public:
    static constexpr int maxDivisions = 200;
    static constexpr int maxPoints = maxDivisions * maxDivisions;
    // The side of a 4 x 4-cell block of the checkerboard.
    static constexpr int checkerBlock = 4;

    graphSurfaceMesh();

    // n limited to what the arrays hold; a negative n is an empty grid.
    static int clampDivisions(int n) { return n < 0 ? 0 : n > maxDivisions ? maxDivisions : n; }

    const slVector &faceNormal(int triangle, int index) const { return fNormals[triangle][index]; }
    const slVector &vertexNormal(int index) const { return vNormals[index]; }

    // The lit surfaces' material in color: the colour current at each vertex (color, or
    // the height's) is its ambient and diffuse colour, and a dim, broad specular term
    // keeps highlights from washing out or forming spots at the grid's vertices, which
    // per-vertex lighting would make of a sharp one.
    static void setMaterial(graphDraw &draw, const float color[4]);

    // Fills the face normals of every cell and the smoothed normal of every grid point.
    template <class PointAt>
    void makeNormals(int n, PointAt pointAt);

    // Where the first and last grid line of a direction coincide (a closed surface), gives
    // the points on both the normalised sum of their two one-sided normals.
    template <class PointAt>
    void joinSeams(int n, PointAt pointAt);

    // The lowest and highest finite z of the grid; false when it has none.
    template <class PointAt>
    static bool heightRange(int n, PointAt pointAt, float *low, float *high);

    // Points, wireframe and shaded take each vertex's colour from its height while
    // coloring is on, and the colour current at the call otherwise.
    // Every grid point, i outer and j inner, in one block of points.
    template <class PointAt>
    void drawPoints(graphDraw &draw, int n, PointAt pointAt,
                    const graphHeightColoring &coloring) const;
    // One line strip per i along j, then one per j along i.
    template <class PointAt>
    void drawWireframe(graphDraw &draw, int n, PointAt pointAt,
                       const graphHeightColoring &coloring) const;
    // One lit triangle strip per row of cells, with the point normals.
    template <class PointAt>
    void drawShaded(graphDraw &draw, int n, PointAt pointAt,
                    const graphHeightColoring &coloring) const;
    // Unlit triangles, cell by cell, in color where (i div 4 + j div 4) is odd, else white.
    template <class PointAt>
    void drawCheckerboard(graphDraw &draw, int n, PointAt pointAt, const float color[3],
                          const float white[3]) const;

private:
    static void vertex(graphDraw &draw, const slVector &p) {
        draw.vertex(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    }
    static void vertex(graphDraw &draw, const slVector &p, const graphHeightColoring &coloring) {
        if (coloring.on) {
            const std::array<float, 3> c = coloring.colorAt(p.z);
            draw.color(c[0], c[1], c[2], 1.0f);
        }
        vertex(draw, p);
    }
    // slVectorCross and slVectorNormalize, inline so that the normals of a whole grid
    // overlap their divisions, with the same operations in the same order. Dividing by 1
    // leaves a component exactly as it is, so lengths 0 and 1 divide by 1 instead of
    // branching around the division.
    static slVector cross(const slVector &a, const slVector &b) {
        return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
    static slVector normalized(const slVector &v) {
        const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        const double divisor = length == 0.0 || length == 1.0 ? 1.0 : length;
        return {v.x / divisor, v.y / divisor, v.z / divisor};
    }
    static void add(slVector &sum, const slVector &v) {
        sum.x += v.x;
        sum.y += v.y;
        sum.z += v.z;
    }

    std::unique_ptr<slVector[]> fNormals[2];
    std::unique_ptr<slVector[]> vNormals;
};

template <class PointAt>
void graphSurfaceMesh::makeNormals(int n, PointAt pointAt) {
    n = clampDivisions(n);
    // 1. Face normals: (P00 - P01) x (P10 - P01) and (P10 - P01) x (P11 - P01), normalised;
    //    over a flat grid both point towards +z.
    for (int i = 0; i + 1 < n; i++) {
        for (int j = 0; j + 1 < n; j++) {
            const slVector p00 = pointAt(i, j), p01 = pointAt(i, j + 1);
            const slVector p10 = pointAt(i + 1, j), p11 = pointAt(i + 1, j + 1);
            const slVector a{p00.x - p01.x, p00.y - p01.y, p00.z - p01.z};
            const slVector b{p10.x - p01.x, p10.y - p01.y, p10.z - p01.z};
            const slVector c{p11.x - p01.x, p11.y - p01.y, p11.z - p01.z};
            slVector *face0 = &fNormals[0][i * n + j], *face1 = &fNormals[1][i * n + j];
            *face0 = normalized(cross(a, b));
            *face1 = normalized(cross(b, c));
        }
    }
    // 2. Point normals: the normalised sum of the triangles that have the point as a
    //    corner (six inside, three on other edge points, one or two at corners).
    for (int i = 0; i < n; i++) {
        for (int j = 0; j < n; j++) {
            slVector sum{0.0, 0.0, 0.0};
            const bool lastI = i == n - 1, lastJ = j == n - 1;
            if (!lastI && !lastJ) add(sum, fNormals[0][i * n + j]);
            if (i > 0 && !lastJ) {
                add(sum, fNormals[0][(i - 1) * n + j]);
                add(sum, fNormals[1][(i - 1) * n + j]);
            }
            if (!lastI && j > 0) {
                add(sum, fNormals[0][i * n + j - 1]);
                add(sum, fNormals[1][i * n + j - 1]);
            }
            if (i > 0 && j > 0) add(sum, fNormals[1][(i - 1) * n + j - 1]);
            vNormals[i * n + j] = normalized(sum);
        }
    }
}

template <class PointAt>
void graphSurfaceMesh::joinSeams(int n, PointAt pointAt) {
    n = clampDivisions(n);
    if (n < 2) return;
    auto same = [](const slVector &a, const slVector &b) {
        const double scale = 1.0 + std::fabs(a.x) + std::fabs(a.y) + std::fabs(a.z);
        return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z) <= 1e-9 * scale;
    };
    // Grid point (i, j) as (i, j) or, across the diagonal, (j, i): the same walk checks
    // the seam along j and the seam along i.
    for (bool across : {false, true}) {
        auto index = [n, across](int line, int k) { return across ? k * n + line : line * n + k; };
        auto point = [&](int line, int k) { return across ? pointAt(k, line) : pointAt(line, k); };
        bool closed = true;
        for (int line = 0; line < n && closed; line++)
            closed = same(point(line, 0), point(line, n - 1));
        if (!closed) continue;
        for (int line = 0; line < n; line++) {
            slVector &first = vNormals[index(line, 0)], &last = vNormals[index(line, n - 1)];
            first = last = normalized({first.x + last.x, first.y + last.y, first.z + last.z});
        }
    }
}

template <class PointAt>
bool graphSurfaceMesh::heightRange(int n, PointAt pointAt, float *low, float *high) {
    bool any = false;
    for (int i = 0; i < n; i++) {
        for (int j = 0; j < n; j++) {
            const double z = pointAt(i, j).z;
            if (!std::isfinite(z)) continue;
            const float f = static_cast<float>(z);
            if (!any || f < *low) *low = f;
            if (!any || f > *high) *high = f;
            any = true;
        }
    }
    return any;
}

template <class PointAt>
void graphSurfaceMesh::drawPoints(graphDraw &draw, int n, PointAt pointAt,
                                  const graphHeightColoring &coloring) const {
    draw.begin(graphPrimitive::points);
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) vertex(draw, pointAt(i, j), coloring);
    draw.end();
}

template <class PointAt>
void graphSurfaceMesh::drawWireframe(graphDraw &draw, int n, PointAt pointAt,
                                     const graphHeightColoring &coloring) const {
    for (int i = 0; i < n; i++) {
        draw.begin(graphPrimitive::lineStrip);
        for (int j = 0; j < n; j++) vertex(draw, pointAt(i, j), coloring);
        draw.end();
    }
    for (int j = 0; j < n; j++) {
        draw.begin(graphPrimitive::lineStrip);
        for (int i = 0; i < n; i++) vertex(draw, pointAt(i, j), coloring);
        draw.end();
    }
}

template <class PointAt>
void graphSurfaceMesh::drawShaded(graphDraw &draw, int n, PointAt pointAt,
                                  const graphHeightColoring &coloring) const {
    draw.enable(graphCapability::lighting);
    for (int i = 0; i + 1 < n; i++) {
        draw.begin(graphPrimitive::triangleStrip);
        for (int j = 0; j < n; j++) {
            for (int row : {i, i + 1}) {
                const slVector &normal = vNormals[row * n + j];
                draw.normal(static_cast<float>(normal.x), static_cast<float>(normal.y),
                            static_cast<float>(normal.z));
                vertex(draw, pointAt(row, j), coloring);
            }
        }
        draw.end();
    }
    draw.disable(graphCapability::lighting);
}

template <class PointAt>
void graphSurfaceMesh::drawCheckerboard(graphDraw &draw, int n, PointAt pointAt,
                                        const float color[3], const float white[3]) const {
    draw.begin(graphPrimitive::triangles);
    for (int i = 0; i + 1 < n; i++) {
        for (int j = 0; j + 1 < n; j++) {
            const float *c = (i / checkerBlock + j / checkerBlock) % 2 == 1 ? color : white;
            draw.color(c[0], c[1], c[2], 1.0f);
            const slVector p00 = pointAt(i, j), p10 = pointAt(i + 1, j);
            const slVector p01 = pointAt(i, j + 1), p11 = pointAt(i + 1, j + 1);
            vertex(draw, p00);
            vertex(draw, p10);
            vertex(draw, p01);
            vertex(draw, p10);
            vertex(draw, p01);
            vertex(draw, p11);
        }
    }
    draw.end();
}
