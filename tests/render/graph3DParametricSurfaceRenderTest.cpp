// The parametric surface: the grid of parameters, NaN points at the origin, opaque
// colours, and the modes that draw nothing.
#include "render/graph3DParametricSurfaceRender.h"
#include "render/graph3DRender.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;

using parametricSurface = recordedSurface<graph3DParametricSurfaceRender>;

// Before any divisions are set (n = 0), a compile draws an empty block of points.
TEST(graph3DParametricSurface, noDivisionsDrawAnEmptyBlock) {
    graphRecordingDraw draw;
    graph3DParametricSurfaceRender fresh(draw);
    fresh.initWithEquation(testEquation("x = s, y = t, z = s*t"));
    fresh.compileWithBounds(surfaceSquare, {}, Qt::red);
    auto strips = graphRecordingDraw::strips(draw.list(fresh.getCompileList()));
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_TRUE(strips[0].vertices.empty());
}

TEST(graph3DParametricSurface, saddleOverTheDefaultRanges) {
    // t runs with i, s with j, both over 0..20 end to end in 59 steps.
    parametricSurface s("x = s, y = t, z = s*t", 60, graphDrawPoints);
    auto strips = graphRecordingDraw::strips(s.compile());
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].vertices.size(), 3600u);
    const double step = 20.0 / 59;
    for (int index : {0, 1, 60, 1234}) {
        const double t = (index / 60) * step, sv = (index % 60) * step;
        EXPECT_EQ(strips[0].vertices[index][0], static_cast<float>(sv)) << index;
        EXPECT_EQ(strips[0].vertices[index][1], static_cast<float>(t)) << index;
        EXPECT_EQ(strips[0].vertices[index][2], static_cast<float>(sv * t)) << index;
    }
    EXPECT_EQ(strips[0].vertices.back(), (std::array<float, 3>{20.0f, 20.0f, 400.0f}));

    // Ranges and k reach the next compile.
    s.render->setTStart(-1.0, 2.0);
    s.render->setSStart(10.0, 60.0);
    s.compile();
    EXPECT_EQ(s.render->pointAt(0, 0).y, -1.0);
    EXPECT_EQ(s.render->pointAt(0, 0).x, 10.0);
    EXPECT_EQ(s.render->pointAt(59, 59).x, 70.0);
    EXPECT_EQ(s.render->pointAt(59, 59).y, 1.0);
}

TEST(graph3DParametricSurface, closedSurfacesHaveNoSeam) {
    // A sphere: both poles and the closing meridian are on the grid, and the points of
    // the meridian where s = 0 meets s = 2 pi share one outward-or-inward normal.
    parametricSurface sphere("x = cos(s)*cos(t), y = sin(s)*cos(t), z = sin(t)", 30,
                             graphDrawShaded);
    sphere.render->setSStart(0.0, 2 * pi);
    sphere.render->setTStart(-pi / 2, pi);
    sphere.compile();
    EXPECT_DOUBLE_EQ(sphere.render->pointAt(0, 0).z, -1.0);
    EXPECT_DOUBLE_EQ(sphere.render->pointAt(29, 0).z, 1.0);
    for (int i = 3; i < 27; i += 4) {
        const slVector &p = sphere.render->pointAt(i, 29), &n = sphere.render->vertexNormal(i, 29);
        EXPECT_NEAR(p.x, sphere.render->pointAt(i, 0).x, 1e-12);
        EXPECT_NEAR(p.y, 0.0, 1e-12);
        EXPECT_EQ(n.x, sphere.render->vertexNormal(i, 0).x) << i;
        EXPECT_EQ(n.z, sphere.render->vertexNormal(i, 0).z) << i;
        EXPECT_NEAR(std::fabs(p.x * n.x + p.y * n.y + p.z * n.z), 1.0, 1e-2) << i;
    }

    // A torus closes in both directions; an open saddle keeps its one-sided edge normals.
    parametricSurface torus("x = (2 + cos(t))*cos(s), y = (2 + cos(t))*sin(s), z = sin(t)", 24,
                            graphDrawShaded);
    torus.render->setSStart(0.0, 2 * pi);
    torus.render->setTStart(0.0, 2 * pi);
    torus.compile();
    for (int k = 0; k < 24; k += 5) {
        EXPECT_EQ(torus.render->vertexNormal(k, 0).x, torus.render->vertexNormal(k, 23).x) << k;
        EXPECT_EQ(torus.render->vertexNormal(0, k).z, torus.render->vertexNormal(23, k).z) << k;
    }
    parametricSurface saddle("x = s, y = t, z = s*t", 10, graphDrawShaded);
    saddle.compile();
    EXPECT_NE(saddle.render->vertexNormal(5, 0).x, saddle.render->vertexNormal(5, 9).x);
}

TEST(graph3DParametricSurface, invalidPointsCollapseToTheOrigin) {
    // t < 0 makes x NaN, and the whole point goes to the origin; ln 0 is negative
    // infinity, which is drawn; a failed evaluation counts as NaN. With 11 points over
    // -5..5 the parameters step by 1.
    parametricSurface root("x = t^(1/2), y = s + 1, z = ln(t)", 11, graphDrawPoints);
    root.render->setTStart(-5.0, 10.0);
    root.render->setSStart(0.0, 10.0);
    auto vertices = graphRecordingDraw::strips(root.compile())[0].vertices;
    for (int j = 0; j < 11; j++) {
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(vertices[i * 11 + j], (std::array<float, 3>{0.0f, 0.0f, 0.0f})) << i;
        EXPECT_EQ(vertices[5 * 11 + j][0], 0.0f);
        EXPECT_EQ(vertices[5 * 11 + j][1], static_cast<float>(j + 1));
        EXPECT_TRUE(std::isinf(vertices[5 * 11 + j][2]));
        EXPECT_EQ(vertices[6 * 11 + j][0], 1.0f);
    }
    parametricSurface failing("x = s, y = t, z = 1/(s-s)", 4, graphDrawPoints);
    auto strips = graphRecordingDraw::strips(failing.compile());
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].vertices.size(), 16u);
    for (auto &v : strips[0].vertices) EXPECT_EQ(v, (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
}

TEST(graph3DParametricSurface, modesAndOpaqueColours) {
    const struct {
        int mode;
        size_t blocks;
        graphPrimitive primitive;
    } rows[] = {
        {graphDrawPoints, 1, graphPrimitive::points},
        {graphDrawWireframe, 10, graphPrimitive::lineStrip},
        {graphDrawShaded, 4, graphPrimitive::triangleStrip},
        {graphDrawCheckerboard, 1, graphPrimitive::triangles},
        {5, 0, graphPrimitive::points},
        {-1, 0, graphPrimitive::points},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.mode);
        parametricSurface s("x = s, y = t, z = s*t", 5, row.mode);
        const auto &ops = s.compile(surfaceSquare, QColor::fromRgbF(1.0f, 0.0f, 1.0f));
        auto strips = graphRecordingDraw::strips(ops);
        ASSERT_EQ(strips.size(), row.blocks);
        for (auto &strip : strips) EXPECT_EQ(strip.primitive, row.primitive);
        // No point size of its own; opaque colour and materials.
        EXPECT_TRUE(callsOf(ops, graphDrawCall::pointSize).empty());
        auto colors = callsOf(ops, graphDrawCall::color);
        ASSERT_FALSE(colors.empty());
        EXPECT_EQ(colors[0].args[3], 1.0);
        for (const graphDrawOp &m : callsOf(ops, graphDrawCall::material)) {
            if (m.code != static_cast<int>(graphMaterial::shininess)) {
                EXPECT_EQ(m.args[3], 1.0);
            }
        }
        EXPECT_EQ(ops.back().call, graphDrawCall::enable);
    }
    // The checkerboard blocks in the equation colour and white.
    parametricSurface s("x = s, y = t, z = s*t", 9, graphDrawCheckerboard);
    auto cells = checkerCells(s.compile(surfaceSquare, QColor::fromRgbF(1.0f, 0.0f, 1.0f)));
    ASSERT_EQ(cells.size(), 64u);
    EXPECT_EQ(cells[4 * 8 + 0].color, (std::array<double, 4>{1.0, 0.0, 1.0, 1.0}));
    EXPECT_EQ(cells[4 * 8 + 4].color, (std::array<double, 4>{1.0, 1.0, 1.0, 1.0}));
}

}  // namespace
