// Implicit surfaces F(x, y, z) = G(x, y, z): vertices on the surface, closed meshes with
// the right topology, normals and windings that agree, and the draw modes.
#include "render/graph3DImplicitRender.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace {

using implicitSurface = recordedSurface<graph3DImplicitRender>;

// Edges of the mesh with the number of triangles that use each.
std::map<std::pair<int, int>, int> edgeUses(const graphIsoMesh &mesh) {
    std::map<std::pair<int, int>, int> uses;
    for (const auto &t : mesh.triangles)
        for (int k = 0; k < 3; k++) {
            const int a = t[k], b = t[(k + 1) % 3];
            uses[{std::min(a, b), std::max(a, b)}]++;
        }
    return uses;
}

struct vec {
    double x, y, z;
};
vec at(const graphIsoMesh &mesh, int i) {
    const auto &p = mesh.positions[static_cast<size_t>(i)];
    return {p[0], p[1], p[2]};
}

TEST(graph3DImplicitRender, verticesLieOnTheSurfaceAndNormalsFaceOutwards) {
    // Region -5..5 (z as x), 30 cells: a cell is 1/3 wide.
    const struct {
        const char *name, *text;
    } rows[] = {
        {"sphere", "x^2 + y^2 + z^2 = 9"},
        {"double cone", "x^2 + y^2 = z^2"},
        {"torus", "(x^2 + y^2 + z^2 + 3)^2 = 16*(x^2 + y^2)"},
        {"saddle cone", "z^2 = x*y"},
        {"k moves the plane", "z = k + 0*z"},
    };
    const double cell = 10.0 / 30.0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        implicitSurface s(row.text, 30);
        s.render->setK(1.5);
        s.render->setBounds({-5.0f, -5.0f, 10.0f, 10.0f});
        const graphIsoMesh &mesh = s.render->getMesh();
        ASSERT_GT(mesh.triangles.size(), 100u);
        for (size_t i = 0; i < mesh.positions.size(); i++) {
            const vec p = at(mesh, static_cast<int>(i));
            // Distance to the zero set, to first order: |F| / |grad F|.
            const double h = 1e-5;
            const double f = s.render->valueAt(p.x, p.y, p.z);
            const double gx =
                (s.render->valueAt(p.x + h, p.y, p.z) - s.render->valueAt(p.x - h, p.y, p.z)) /
                (2 * h);
            const double gy =
                (s.render->valueAt(p.x, p.y + h, p.z) - s.render->valueAt(p.x, p.y - h, p.z)) /
                (2 * h);
            const double gz =
                (s.render->valueAt(p.x, p.y, p.z + h) - s.render->valueAt(p.x, p.y, p.z - h)) /
                (2 * h);
            const double g = std::sqrt(gx * gx + gy * gy + gz * gz);
            if (g > 1e-3) {
                ASSERT_LT(std::fabs(f) / g, 0.01 * cell) << i;
                // The normal points where F - G grows.
                const auto &n = mesh.normals[i];
                ASSERT_GT((n[0] * gx + n[1] * gy + n[2] * gz) / g, 0.99) << i;
            } else {
                ASSERT_LT(std::fabs(f), 1e-6) << i;  // at a cone's apex
            }
        }
        // Each triangle winds with the normals of its corners.
        for (const auto &t : mesh.triangles) {
            const vec a = at(mesh, t[0]), b = at(mesh, t[1]), c = at(mesh, t[2]);
            const vec u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
            const vec face{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
            double agreement = 0.0;
            for (int k : t) {
                const auto &n = mesh.normals[static_cast<size_t>(k)];
                agreement += face.x * n[0] + face.y * n[1] + face.z * n[2];
            }
            ASSERT_GE(agreement, -1e-12);  // a sliver at a cone's apex has no direction
        }
    }
}

TEST(graph3DImplicitRender, closedSurfacesInsideTheBoxHaveNoHoles) {
    // Every edge is shared by two triangles, and V - E + F is 2 for a sphere and 0 for a
    // torus. A sphere cut by the box is open.
    const struct {
        const char *name, *text;
        int n;
        bool closed;
        int eulerCharacteristic;
    } rows[] = {
        {"sphere", "x^2 + y^2 + z^2 = 9", 60, true, 2},
        {"sphere, coarse", "x^2 + y^2 + z^2 = 9", 7, true, 2},
        {"sphere off the grid's symmetry", "(x - 0.37)^2 + (y + 1.1)^2 + z^2 = 7", 23, true, 2},
        {"torus", "(x^2 + y^2 + z^2 + 3)^2 = 16*(x^2 + y^2)", 40, true, 0},
        {"sphere cut by the box", "x^2 + y^2 + z^2 = 36", 30, false, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        implicitSurface s(row.text, row.n);
        s.render->setBounds({-5.0f, -5.0f, 10.0f, 10.0f});
        const graphIsoMesh &mesh = s.render->getMesh();
        ASSERT_FALSE(mesh.triangles.empty());
        const auto uses = edgeUses(mesh);
        bool everyEdgeTwice = true;
        for (const auto &[edge, count] : uses) everyEdgeTwice = everyEdgeTwice && count == 2;
        EXPECT_EQ(everyEdgeTwice, row.closed);
        if (row.closed) {
            const long euler = static_cast<long>(mesh.positions.size()) -
                               static_cast<long>(uses.size()) +
                               static_cast<long>(mesh.triangles.size());
            EXPECT_EQ(euler, row.eulerCharacteristic);
        }
    }
}

TEST(graph3DImplicitRender, heightsAndModes) {
    implicitSurface s("x^2 + y^2 + z^2 = 9", 20);
    s.render->setBounds({-5.0f, -5.0f, 10.0f, 10.0f});
    float low = 0.0f, high = 0.0f;
    ASSERT_TRUE(s.render->heightRange(&low, &high));
    EXPECT_NEAR(low, -3.0, 0.01);
    EXPECT_NEAR(high, 3.0, 0.01);
    const size_t triangles = s.render->getMesh().triangles.size();
    const size_t vertices = s.render->getMesh().positions.size();
    const struct {
        int mode;
        graphPrimitive primitive;
        size_t count;
        bool normals;
    } rows[] = {
        {graphDrawShaded, graphPrimitive::triangles, 3 * triangles, true},
        {graphDrawCheckerboard, graphPrimitive::triangles, 3 * triangles, false},
        {graphDrawWireframe, graphPrimitive::lines, 6 * triangles, false},
        {graphDrawPoints, graphPrimitive::points, vertices, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.mode);
        s.render->setDrawMode(row.mode);
        const auto &ops = s.compile({-5.0f, -5.0f, 10.0f, 10.0f});
        const auto strips = graphRecordingDraw::strips(ops);
        ASSERT_EQ(strips.size(), 1u);
        EXPECT_EQ(strips[0].primitive, row.primitive);
        EXPECT_EQ(strips[0].vertices.size(), row.count);
        EXPECT_EQ(callsOf(ops, graphDrawCall::normal).empty(), !row.normals);
    }
    // Nothing inside the box, or an empty box: no mesh, no height range.
    s.render->setBounds({20.0f, 20.0f, 1.0f, 1.0f});
    EXPECT_TRUE(s.render->getMesh().triangles.empty());
    EXPECT_FALSE(s.render->heightRange(&low, &high));
    s.render->setBounds({0.0f, 0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(s.render->getMesh().triangles.empty());
}

TEST(graph3DImplicitRender, undefinedRegionsLeaveGapsNotGarbage) {
    // x^0.5 is undefined left of the plane x = 0: no vertex there.
    implicitSurface s("x^0.5 + 0*z = 1 + 0*y", 20);
    s.render->setBounds({-5.0f, -5.0f, 10.0f, 10.0f});
    const graphIsoMesh &mesh = s.render->getMesh();
    ASSERT_FALSE(mesh.positions.empty());
    for (const auto &p : mesh.positions) {
        ASSERT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]));
        EXPECT_NEAR(p[0], 1.0, 1e-3);
    }
}

}  // namespace
