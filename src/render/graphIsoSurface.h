// The zero set of a function of x, y and z in a box, as a triangle mesh: marching
// tetrahedra over a cube of n cells a side.
//
// Each cell is split into the six tetrahedra that run from its lowest corner to its
// highest one a step along each axis at a time; neighbouring cells then split their shared
// faces along the same diagonal, so the mesh has no cracks, and every edge of the mesh
// inside the box is shared by exactly two triangles. A point is inside where the value is
// negative; a tetrahedron with a NaN corner is left out. Each vertex sits on the grid edge
// where the sign changes, found by bisection and a last linear step, and is shared by
// every triangle that meets that edge. Triangles wind counter-clockwise seen from the
// positive side; normals are the function's normalised gradient, or the mean of the
// faces around a vertex where the gradient is zero or fails.
#pragma once

#include <array>
#include <functional>
#include <vector>

struct graphIsoBox {
    double low[3], high[3];
    int n;  // cells a side, at least 1
    // Grid point a along axis axis: the last one exactly on the high side.
    double at(int axis, int a) const {
        return a == n ? high[axis] : low[axis] + a * ((high[axis] - low[axis]) / n);
    }
};

struct graphIsoMesh {
    std::vector<std::array<float, 3>> positions, normals;
    std::vector<std::array<int, 3>> triangles;  // indices into positions
    std::vector<std::array<int, 3>> cells;      // the cell (a, b, c) each triangle lies in
};

// values holds the function at every grid point (a, b, c), a along x, at
// ((a * (n + 1)) + b) * (n + 1) + c; value answers it anywhere in the box (NaN where it
// fails).
graphIsoMesh graphPolygonise(const graphIsoBox &box, const double *values,
                             const std::function<double(double, double, double)> &value);
