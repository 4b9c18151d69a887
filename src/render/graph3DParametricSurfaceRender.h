// The surface (x(s, t), y(s, t), z(s, t)), equation kind grKind3DParametricSurface.
//
// Unlike the function surface it samples while compiling: every compile evaluates the
// three components on the n x n grid of parameters, rebuilds the normals and draws, so
// changes of k, ranges, n or mode all take effect at the next compile. Index i runs along
// t and j along s: t_i = tStart + i tLength / (n - 1), s_j = sStart + j sLength / (n - 1),
// so both ranges are covered end to end, and where the surface closes on itself (a
// sphere's meridian, a torus) the normals of the two meeting edges are joined, leaving no
// seam. A grid point where a component is NaN or fails collapses to the origin. Variable
// slots other than s, t and k hold 0.
#pragma once

#include "render/graphRender.h"
#include "render/graphSurfaceMesh.h"

#include <memory>
#include <vector>

class graph3DParametricSurfaceRender final : public graphRender {
public:
    explicit graph3DParametricSurfaceRender(graphDraw &draw);

    void setTStart(double start, double length) override;
    void setSStart(double start, double length) override;
    void setDrawMode(int mode) override { drawMode = mode; }
    // n is kept within 0..200, the largest grid the arrays hold.
    void setDivisions3D(int divisions) override;
    void makeGraphNormals();
    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    bool isParametric() const override { return true; }
    bool is3D() const override { return true; }
    // Samples the grid as the next compile will.
    bool heightRange(float *low, float *high) override;

    int getDrawMode() const { return drawMode; }
    int getDivisions3D() const { return divisions3D; }
    // The sampled point and point normal of grid point (i, j), as of the last compile.
    const slVector &pointAt(int i, int j) const { return graphPoints[i * divisions3D + j]; }
    const slVector &vertexNormal(int i, int j) const {
        return mesh.vertexNormal(i * divisions3D + j);
    }

protected:
    void init() override;

private:
    void sample();

    double tStart = 0.0, tLength = 20.0, sStart = 0.0, sLength = 20.0;
    // Both 0 until the graph view sets them right after creation.
    int drawMode = 0, divisions3D = 0;
    std::unique_ptr<slVector[]> graphPoints;
    // The grid lines of the last sampling and one component's values, reused.
    std::vector<double> rowT, columnS, componentValues;
    graphSurfaceMesh mesh;
};
