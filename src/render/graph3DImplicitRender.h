// The implicit surface F(x, y, z) = G(x, y, z), equation kind grKind3DImplicit: the zero
// set of F - G in the box of the region's x and y extents, z over the same extent as x.
//
// Whenever the bounds, k or n change (recompute), F - G is sampled on the (n + 1)^3
// corners of a cube of n cells a side and polygonised (graphIsoSurface); compiling turns
// the mesh into a display list in the current draw mode: shaded triangles lit with the
// gradient normals, the triangles' edges as a wireframe, the vertices as points, or unlit
// triangles coloured by 4 x 4 x 4-cell blocks as a checkerboard. Slots other than x, y, z
// and k hold 0.
#pragma once

#include "render/graphGridFunction.h"
#include "render/graphIsoSurface.h"
#include "render/graphRender.h"

#include <memory>
#include <vector>

class graph3DImplicitRender final : public graphRender {
public:
    explicit graph3DImplicitRender(graphDraw &draw);

    void setDrawMode(int mode) override { drawMode = mode; }
    void setDivisions3D(int divisions) override;
    void recompute() override;
    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    bool is3D() const override { return true; }
    bool heightRange(float *low, float *high) override;

    int getDivisions3D() const { return divisions3D; }
    const graphIsoMesh &getMesh() const { return mesh; }
    // F - G anywhere.
    double valueAt(double x, double y, double z) const;

protected:
    void init() override;

private:
    int drawMode = 2;
    int divisions3D = 60;
    std::unique_ptr<graphGridFunction> function;
    std::vector<double> values;
    graphIsoBox box{};
    graphIsoMesh mesh;
    // What the mesh was made from; a recompute with the same is skipped.
    struct {
        graphRect bounds{};
        double k = 0.0;
        int n = -1;
    } made;
};
