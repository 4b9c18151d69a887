#include "render/graph3DParametricSurfaceRender.h"

#include <cmath>
#include <utility>

graph3DParametricSurfaceRender::graph3DParametricSurfaceRender(graphDraw &draw)
    : graphRender(draw),
      graphPoints(std::make_unique<slVector[]>(graphSurfaceMesh::maxPoints)),
      rowT(graphSurfaceMesh::maxDivisions),
      columnS(graphSurfaceMesh::maxDivisions),
      componentValues(graphSurfaceMesh::maxPoints) {}

void graph3DParametricSurfaceRender::init() {
    tStart = sStart = 0.0;
    tLength = sLength = 20.0;
    drawMode = 0;
    divisions3D = 0;
}

void graph3DParametricSurfaceRender::setTStart(double start, double length) {
    tStart = start;
    tLength = length;
}

void graph3DParametricSurfaceRender::setSStart(double start, double length) {
    sStart = start;
    sLength = length;
}

void graph3DParametricSurfaceRender::setDivisions3D(int divisions) {
    divisions3D = graphSurfaceMesh::clampDivisions(divisions);
    recompute();
}

void graph3DParametricSurfaceRender::sample() {
    const int n = divisions3D;
    // Both ends of each range are grid lines, so a closed surface closes.
    auto at = [n](double start, double length, int i) {
        return i == n - 1 ? start + length : start + i * (length / (n - 1));
    };
    for (int i = 0; i < n; i++) rowT[i] = at(tStart, tLength, i);
    for (int j = 0; j < n; j++) columnS[j] = at(sStart, sLength, j);
    // Each component over the whole grid through one buffer; a failure is NaN, and a
    // missing component fails everywhere.
    const grVariables fixed{0.0, 0.0, 0.0, 0.0, kValue};
    const int points = n * n;
    slVector *grid = graphPoints.get();
    double *values = componentValues.data();
    const std::pair<const grCompiledExp *, double slVector::*> components[] = {
        {&compiledX, &slVector::x}, {&compiledY, &slVector::y}, {&compiledZ, &slVector::z}};
    for (const auto &[component, field] : components) {
        component->evalGrid(fixed, grVarT, rowT.data(), n, grVarS, columnS.data(), n, values);
        for (int p = 0; p < points; p++) grid[p].*field = values[p];
    }
    for (int p = 0; p < points; p++) {
        slVector &v = grid[p];
        if (std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z)) slVectorSet(&v, 0.0, 0.0, 0.0);
    }
}

void graph3DParametricSurfaceRender::makeGraphNormals() {
    const slVector *points = graphPoints.get();
    const int n = divisions3D;
    mesh.makeNormals(n, [points, n](int i, int j) { return points[i * n + j]; });
    mesh.joinSeams(n, [points, n](int i, int j) { return points[i * n + j]; });
}

bool graph3DParametricSurfaceRender::heightRange(float *low, float *high) {
    sample();
    const int n = divisions3D;
    const slVector *points = graphPoints.get();
    return graphSurfaceMesh::heightRange(
        n, [points, n](int i, int j) -> const slVector & { return points[i * n + j]; }, low, high);
}

void graph3DParametricSurfaceRender::compileWithBounds(graphRect, graphRect, const QColor &color) {
    // The surface's points at the current k, then their normals.
    sample();
    makeGraphNormals();

    // The equation's colour, opaque.
    const float c[4] = {static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
                        static_cast<float>(color.blueF()), 1.0f};
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};

    // One display list, drawn without blending in the equation's material.
    draw.newList(compileList);
    draw.disable(graphCapability::blend);
    graphSurfaceMesh::setMaterial(draw, c);

    // Points take the size current at replay; modes outside 0..3 draw nothing.
    const int n = divisions3D;
    const slVector *points = graphPoints.get();
    auto pointAt = [points, n](int i, int j) -> const slVector & { return points[i * n + j]; };
    switch (drawMode) {
        case graphDrawShaded: mesh.drawShaded(draw, n, pointAt, heightColoring); break;
        case graphDrawWireframe: mesh.drawWireframe(draw, n, pointAt, heightColoring); break;
        case graphDrawPoints: mesh.drawPoints(draw, n, pointAt, heightColoring); break;
        case graphDrawCheckerboard: mesh.drawCheckerboard(draw, n, pointAt, c, white); break;
        default: break;
    }

    // Blending back on for what is drawn after the surface.
    draw.enable(graphCapability::blend);
    draw.endList();
}
