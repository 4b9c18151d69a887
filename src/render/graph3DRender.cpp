#include "render/graph3DRender.h"

#include <cmath>

graph3DRender::graph3DRender(graphDraw &draw)
    : graphRender(draw),
      graphValues(std::make_unique<double[]>(graphSurfaceMesh::maxPoints)),
      rowX(graphSurfaceMesh::maxDivisions),
      columnY(graphSurfaceMesh::maxDivisions) {}

void graph3DRender::init() {
    drawMode = graphDrawShaded;
    divisions3D = 60;
}

void graph3DRender::setDivisions3D(int divisions) {
    divisions3D = graphSurfaceMesh::clampDivisions(divisions);
    recompute();
}

void graph3DRender::recompute() {
    computeEquationWithBounds(bounds);
}

graph3DRender::gridPoint graph3DRender::pointsOver(graphRect region) const {
    // The steps are rounded to float, so 20 / 60 is 0.3333333433.
    const float dx = region.width / static_cast<float>(divisions3D);
    const float dy = region.height / static_cast<float>(divisions3D);
    return {*this, region.x, region.y, dx, dy};
}

void graph3DRender::computeEquationWithBounds(graphRect region) {
    const int n = divisions3D;
    const gridPoint grid = pointsOver(region);
    // A failed or NaN height is drawn at 0; infinite and huge ones are clamped to 20
    // times the width, so a pole shows as a flat cliff.
    const float limit = region.width * 20.0f;
    for (int i = 0; i < n; i++) rowX[i] = grid.x + i * grid.dx;
    for (int j = 0; j < n; j++) columnY[j] = grid.y + j * grid.dy;
    double *values = graphValues.get();
    compiledZ.evalGrid({0.0, 0.0, 0.0, 0.0, kValue}, grVarX, rowX.data(), n, grVarY, columnY.data(),
                       n, values);
    for (int p = 0; p < n * n; p++) {
        // A failure is NaN here.
        float v = std::isnan(values[p]) ? 0.0f : static_cast<float>(values[p]);
        if (v < -limit) v = -limit;
        if (v > limit) v = limit;
        values[p] = v;
    }
    makeGraphNormalsWithBounds(region);
}

void graph3DRender::makeGraphNormalsWithBounds(graphRect region) {
    mesh.makeNormals(divisions3D, pointsOver(region));
}

void graph3DRender::compileWithBounds(graphRect region, graphRect, const QColor &color) {
    const int n = divisions3D;
    const gridPoint grid = pointsOver(region);
    // 1. The colour is half transparent as a material; glColor3 makes it opaque.
    const float c[4] = {static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
                        static_cast<float>(color.blueF()), 0.5f};
    const float ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    const float specular[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    const float white[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    const float shininess[4] = {25.0f, 0.0f, 0.0f, 0.0f};

    // 2.-3.
    draw.newList(compileList);
    draw.disable(graphCapability::blend);
    draw.material(graphMaterial::ambient, ambient);
    draw.material(graphMaterial::specular, specular);
    draw.material(graphMaterial::diffuse, c);
    draw.material(graphMaterial::shininess, shininess);
    draw.color(c[0], c[1], c[2], 1.0f);

    // 4. Every mode other than points, wireframe and checkerboard draws shaded.
    switch (drawMode) {
        case graphDrawPoints:
            draw.pointSize(2.0f);
            mesh.drawPoints(draw, n, grid);
            draw.pointSize(7.0f);
            break;
        case graphDrawWireframe: mesh.drawWireframe(draw, n, grid); break;
        case graphDrawCheckerboard: mesh.drawCheckerboard(draw, n, grid, c, white); break;
        default: mesh.drawShaded(draw, n, grid); break;
    }

    // 5.
    draw.enable(graphCapability::blend);
    draw.endList();
}
