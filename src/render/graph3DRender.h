// The surface z = f(x, y), equation kind grKindZOfXY.
//
// Whenever the bounds, k or n change, the z component is sampled on an n x n grid over the
// region (recompute), heights are clamped to +-20 times the region's width, and the face
// and point normals are rebuilt; compiling only turns the stored grid into a display list
// in the current draw mode. Grid point (i, j) lies at (x + i dx, y + j dy) with
// dx = width / n and dy = height / n in single precision, so the grid ends one step short
// of the region's right and top edges. Variable slots other than x, y and k hold 0.
#pragma once

#include "render/graphRender.h"
#include "render/graphSurfaceMesh.h"

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
        double x, y, dx, dy;
        slVector operator()(int i, int j) const {
            return {x + i * dx, y + j * dy, render.graphValues[i * render.divisions3D + j]};
        }
    };
    gridPoint pointsOver(graphRect region) const;

    int drawMode = graphDrawShaded;
    int divisions3D = 60;
    std::unique_ptr<double[]> graphValues;
    std::vector<double> rowX, columnY;  // the grid lines of the last sampling
    graphSurfaceMesh mesh;
};
