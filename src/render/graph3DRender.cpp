#include "render/graph3DRender.h"

#include <cmath>

graph3DRender::graph3DRender(graphDraw &draw)
    : graphRender(draw), graphValues(std::make_unique<double[]>(graphSurfaceMesh::maxPoints)) {}

void graph3DRender::init() {
    drawMode = graphDrawShaded;
    divisions3D = 60;
    function = std::make_unique<graphGridFunction>(equation != nullptr ? equation->z : nullptr);
}

void graph3DRender::setDivisions3D(int divisions) {
    divisions3D = graphSurfaceMesh::clampDivisions(divisions);
    recompute();
}

void graph3DRender::recompute() {
    computeEquationWithBounds(bounds);
}

void graph3DRender::placeGridLines(graphRect region) {
    const int n = divisions3D;
    const double x = region.x, y = region.y, width = region.width, height = region.height;
    // The last line is the far edge itself, not a sum of steps that may fall short of it.
    for (int i = 0; i < n; i++) {
        xs[i] = i == n - 1 ? x + width : x + i * (width / (n - 1));
        ys[i] = i == n - 1 ? y + height : y + i * (height / (n - 1));
    }
}

void graph3DRender::computeEquationWithBounds(graphRect region) {
    const int n = divisions3D;
    placeGridLines(region);
    const double zero = 0.0;
    if (function)
        function->evaluate(xs.data(), n, ys.data(), n, &zero, 1, kValue, graphValues.get());
    // A failed or NaN height is drawn at 0; infinite and huge ones are clamped to 20
    // times the width, so a pole shows as a flat cliff.
    const float limit = region.width * 20.0f;
    for (int index = 0; index < n * n; index++) {
        const double value = function ? graphValues[index] : 0.0;
        float v = std::isnan(value) ? 0.0f : static_cast<float>(value);
        if (v < -limit) v = -limit;
        if (v > limit) v = limit;
        graphValues[index] = v;
    }
    makeGraphNormalsWithBounds(region);
}

void graph3DRender::makeGraphNormalsWithBounds(graphRect region) {
    placeGridLines(region);
    mesh.makeNormals(divisions3D, gridPoint{*this});
}

bool graph3DRender::heightRange(float *low, float *high) {
    return graphSurfaceMesh::heightRange(divisions3D, gridPoint{*this}, low, high);
}

void graph3DRender::compileWithBounds(graphRect region, graphRect, const QColor &color) {
    const int n = divisions3D;
    placeGridLines(region);
    const gridPoint grid{*this};
    // The equation's colour, opaque.
    const float c[4] = {static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
                        static_cast<float>(color.blueF()), 1.0f};
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};

    // One display list, drawn without blending in the equation's material.
    draw.newList(compileList);
    draw.disable(graphCapability::blend);
    graphSurfaceMesh::setMaterial(draw, c);

    // Every mode other than points, wireframe and checkerboard draws shaded.
    switch (drawMode) {
        case graphDrawPoints:
            draw.pointSize(2.0f);
            mesh.drawPoints(draw, n, grid, heightColoring);
            draw.pointSize(7.0f);
            break;
        case graphDrawWireframe: mesh.drawWireframe(draw, n, grid, heightColoring); break;
        case graphDrawCheckerboard: mesh.drawCheckerboard(draw, n, grid, c, white); break;
        default: mesh.drawShaded(draw, n, grid, heightColoring); break;
    }

    // Blending back on for what is drawn after the surface.
    draw.enable(graphCapability::blend);
    draw.endList();
}
