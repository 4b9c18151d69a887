// The surface z = f(x, y), equation kind grKindZOfXY.
//
// Whenever the bounds, k or n change, the z component is sampled on an n x n grid over the
// region (recompute), heights are clamped to +-20 times the region's width, and the face
// and point normals are rebuilt; compiling only turns the stored grid into a display list
// in the current draw mode. Grid point (i, j) lies at (x + i dx, y + j dy) with
// dx = width / (n - 1) and dy = height / (n - 1), the last line exactly on the far edge,
// so the surface covers the region edge to edge. Variable slots other than x, y and k
// hold 0.
#pragma once

#include "render/graphGridFunction.h"
#include "render/graphRender.h"
#include "render/graphSurfaceMesh.h"

#include <array>
#include <memory>
#include <vector>

class graph3DRender final : public graphRender {
public:
    explicit graph3DRender(graphDraw &draw);

    void setDrawMode(int mode) override { drawMode = mode; }
    // n is kept within 0..200, the largest grid the arrays hold.
    void setDivisions3D(int divisions) override;
    void recompute() override;
    void computeEquationWithBounds(graphRect region);
    void makeGraphNormalsWithBounds(graphRect region);
    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    bool is3D() const override { return true; }
    bool heightRange(float *low, float *high) override;

    int getDrawMode() const { return drawMode; }
    int getDivisions3D() const { return divisions3D; }
    // Height, face normals and point normal of grid point or cell (i, j).
    double heightAt(int i, int j) const { return graphValues[i * divisions3D + j]; }
    const slVector &faceNormal(int triangle, int i, int j) const {
        return mesh.faceNormal(triangle, i * divisions3D + j);
    }
    const slVector &vertexNormal(int i, int j) const {
        return mesh.vertexNormal(i * divisions3D + j);
    }

protected:
    void init() override;

private:
    // Grid point (i, j) over the region, with its stored height.
    struct gridPoint {
        const graph3DRender &render;
        slVector operator()(int i, int j) const {
            return {render.xs[i], render.ys[j], render.graphValues[i * render.divisions3D + j]};
        }
    };
    // Fills xs and ys with the grid lines over region.
    void placeGridLines(graphRect region);

    // The grid lines' x and y, kept from the last recompute.
    std::array<double, graphSurfaceMesh::maxDivisions> xs{}, ys{};
    std::unique_ptr<graphGridFunction> function;

    int drawMode = graphDrawShaded;
    int divisions3D = 60;
    std::unique_ptr<double[]> graphValues;
    graphSurfaceMesh mesh;
};
