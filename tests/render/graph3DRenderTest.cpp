// The function surface z = f(x, y): grid, heights, normals and the four draw modes, read
// back from the recording drawing interface.
#include "render/graph3DRender.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using functionSurface = recordedSurface<graph3DRender>;

TEST(graph3DRender, gridCoversTheRegionEdgeToEdge) {
    const struct {
        const char *name;
        graphRect region;
        int n;
    } rows[] = {
        {"square, 60", surfaceSquare, 60},
        {"off-centre, uneven steps", {-3.7f, 0.1f, 7.3f, 0.9f}, 7},
        {"the smallest grid", {0.0f, 0.0f, 1.0f, 1.0f}, 4},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        functionSurface s("z = x^2 + y^2", row.n, graphDrawPoints);
        auto strips = graphRecordingDraw::strips(s.compile(row.region));
        ASSERT_EQ(strips.size(), 1u);
        const int n = row.n;
        ASSERT_EQ(strips[0].vertices.size(), size_t(n * n));
        const double x0 = row.region.x, y0 = row.region.y;
        const double x1 = x0 + row.region.width, y1 = y0 + row.region.height;
        // Point (i, j) is the vertex i * n + j: x runs with i, y with j, and the last
        // line is the far edge itself.
        for (int i = 0; i < n; i++) {
            for (int j = 0; j < n; j++) {
                const auto &v = strips[0].vertices[size_t(i * n + j)];
                const double x = x0 + (x1 - x0) * i / (n - 1), y = y0 + (y1 - y0) * j / (n - 1);
                ASSERT_NEAR(v[0], x, 1e-5 * (1 + std::fabs(x))) << i << "," << j;
                ASSERT_NEAR(v[1], y, 1e-5 * (1 + std::fabs(y))) << i << "," << j;
                ASSERT_NEAR(v[2], x * x + y * y, 1e-5 * (1 + x * x + y * y)) << i << "," << j;
            }
        }
        EXPECT_EQ(strips[0].vertices.back()[0], static_cast<float>(x1));
        EXPECT_EQ(strips[0].vertices.back()[1], static_cast<float>(y1));
    }
}

TEST(graph3DRender, heightsAreClampedAndNaNIsZero) {
    const struct {
        const char *name;
        const char *text;
        graphRect region;
        int i, j;
        double height;
    } rows[] = {
        {"clamped above to 20 widths", "z = 1000*x", surfaceSquare, 59, 0, 400.0},
        {"clamped below", "z = 1000*x", surfaceSquare, 0, 30, -400.0},
        {"within the clamp", "z = 1000*x", surfaceSquare, 30, 7,
         static_cast<float>(1000 * (-10.0 + 30 * (20.0 / 59.0)))},
        {"NaN at 0", "z = ln(x)", surfaceSquare, 10, 10, 0.0},
        {"negative infinity to -20 widths", "z = ln(x)", {0.0f, 0.0f, 20.0f, 20.0f}, 0, 5, -400.0},
        {"positive infinity", "z = 1/abs(x) + 1/x - 1/x", {0.0f, 0.0f, 20.0f, 20.0f}, 0, 5, 0.0},
        {"a failed evaluation at 0", "z = 1/(x-x)", surfaceSquare, 3, 3, 0.0},
        {"clamp follows the width", "z = 1000*x", {-1.0f, -1.0f, 2.0f, 2.0f}, 59, 0, 40.0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        functionSurface s(row.text, 60);
        s.render->setBounds(row.region);
        EXPECT_EQ(s.render->heightAt(row.i, row.j), row.height);
    }
}

TEST(graph3DRender, normalsOfPlanes) {
    // Flat: every face and point normal is (0, 0, 1). The plane z = x: every normal is
    // (-1, 0, 1) / sqrt 2, whatever the number of triangles summed at a point.
    const double r = 1.0 / std::sqrt(2.0);
    const struct {
        const char *text;
        slVector normal;
    } rows[] = {{"z = 1", {0.0, 0.0, 1.0}},
                {"z = x", {-r, 0.0, r}},
                {"z = 0 - 2*y", {0.0, 2 / std::sqrt(5.0), 1 / std::sqrt(5.0)}}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        functionSurface s(row.text, 9);
        s.render->setBounds(surfaceSquare);
        for (int i = 0; i < 9; i++) {
            for (int j = 0; j < 9; j++) {
                EXPECT_VECTOR_NEAR(s.render->vertexNormal(i, j), row.normal, 1e-12);
                for (int triangle = 0; i < 8 && j < 8 && triangle < 2; triangle++)
                    EXPECT_VECTOR_NEAR(s.render->faceNormal(triangle, i, j), row.normal, 1e-12);
            }
        }
        // The shaded strips carry them.
        for (const graphDrawOp &op : callsOf(s.compile(), graphDrawCall::normal))
            ASSERT_NEAR(op.args[2], row.normal.z, 1e-6);
    }
}

TEST(graph3DRender, pointNormalsAverageTheTrianglesAround) {
    // A V-shaped valley z = x^2 on the 3 x 3 grid x, y in {-1, 0, 1}: the faces left of
    // x = 0 tilt towards +x, those right of it towards -x. Points on the left or right
    // edge see only one side. In the middle column the centre sums three faces of each
    // side, (1, 0) two left and one right, (1, 2) one left and two right.
    functionSurface s("z = x^2", 3);
    s.render->setBounds({-1.0f, -1.0f, 2.0f, 2.0f});
    const double r = 1.0 / std::sqrt(2.0), q = 1.0 / std::sqrt(10.0);
    const struct {
        int i, j;
        slVector normal;
    } rows[] = {
        {0, 0, {r, 0.0, r}},     {0, 1, {r, 0.0, r}},     {0, 2, {r, 0.0, r}},
        {1, 0, {q, 0.0, 3 * q}}, {1, 1, {0.0, 0.0, 1.0}}, {1, 2, {-q, 0.0, 3 * q}},
        {2, 0, {-r, 0.0, r}},    {2, 1, {-r, 0.0, r}},    {2, 2, {-r, 0.0, r}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.i << ", " << row.j);
        EXPECT_VECTOR_NEAR(s.render->vertexNormal(row.i, row.j), row.normal, 1e-12);
    }
}

TEST(graph3DRender, checkerboardOf4By4CellBlocks) {
    functionSurface s("z = x*y", 9, graphDrawCheckerboard);
    const auto &ops = s.compile(surfaceSquare, QColor::fromRgbF(1.0f, 0.0f, 1.0f));
    EXPECT_TRUE(callsOf(ops, graphDrawCall::normal).empty());
    auto cells = checkerCells(ops);
    ASSERT_EQ(cells.size(), 64u);
    const std::array<double, 4> colour{1.0, 0.0, 1.0, 1.0}, white{1.0, 1.0, 1.0, 1.0};
    auto cell = [&](int i, int j) { return cells[static_cast<size_t>(i * 8 + j)]; };
    EXPECT_EQ(cell(4, 0).color, colour);
    EXPECT_EQ(cell(0, 4).color, colour);
    EXPECT_EQ(cell(7, 3).color, colour);
    EXPECT_EQ(cell(0, 0).color, white);
    EXPECT_EQ(cell(4, 4).color, white);
    EXPECT_EQ(cell(3, 3).color, white);
    for (auto &c : cells) EXPECT_EQ(c.vertices, 6);
}

TEST(graph3DRender, modesDrawTheirPrimitives) {
    const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    const struct {
        int mode, n;
        graphPrimitive primitive;
        size_t blocks, verticesPerBlock;
    } rows[] = {
        {graphDrawPoints, 4, graphPrimitive::points, 1, 16},
        {graphDrawWireframe, 4, graphPrimitive::lineStrip, 8, 4},
        {graphDrawShaded, 4, graphPrimitive::triangleStrip, 3, 8},
        {graphDrawCheckerboard, 4, graphPrimitive::triangles, 1, 54},
        {graphDrawPoints, 200, graphPrimitive::points, 1, 40000},
        {graphDrawShaded, 200, graphPrimitive::triangleStrip, 199, 400},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << row.mode << ", n " << row.n);
        functionSurface s("z = x^2 + y^2", row.n, row.mode);
        const auto &ops = s.compile();
        auto strips = graphRecordingDraw::strips(ops);
        ASSERT_EQ(strips.size(), row.blocks);
        for (auto &strip : strips) {
            EXPECT_EQ(strip.primitive, row.primitive);
            EXPECT_EQ(strip.vertices.size(), row.verticesPerBlock);
        }
        // The list opens without blending and with the equation's colour as material,
        // its highlight too dim to wash the colour out, and closes with blending on again.
        ASSERT_GE(ops.size(), 3u);
        EXPECT_EQ(ops.front().call, graphDrawCall::disable);
        EXPECT_EQ(ops.back().call, graphDrawCall::enable);
        EXPECT_EQ(ops.back().code, static_cast<int>(graphCapability::blend));
        auto materials = callsOf(ops, graphDrawCall::material);
        ASSERT_EQ(materials.size(), 4u);
        for (const graphDrawOp &m : materials) {
            if (m.code == static_cast<int>(graphMaterial::diffuse)) {
                for (int k = 0; k < 4; k++) EXPECT_EQ(m.args[k], red[k]);
            }
            if (m.code == static_cast<int>(graphMaterial::specular)) {
                for (int k = 0; k < 3; k++) EXPECT_LT(m.args[k], 0.2);
            }
        }
    }
    // n = 200 fills the arrays exactly: the last point is (10, 10).
    functionSurface big("z = x + y", 200, graphDrawPoints);
    auto last = graphRecordingDraw::strips(big.compile())[0].vertices.back();
    EXPECT_EQ(last[0], 10.0f);
    EXPECT_EQ(last[2], 20.0f);
}

TEST(graph3DRender, pointSizeAndLightingAroundTheirModes) {
    functionSurface points("z = x", 4, graphDrawPoints);
    auto sizes = callsOf(points.compile(), graphDrawCall::pointSize);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].args[0], 2.0);
    EXPECT_EQ(sizes[1].args[0], 7.0);

    // Any mode above 3 draws exactly as shaded, lighting switched on around the strips.
    functionSurface shaded("z = x*y", 5, graphDrawShaded);
    functionSurface seven("z = x*y", 5, 7);
    const auto &expected = shaded.compile();
    const auto &actual = seven.compile();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); i++) {
        EXPECT_EQ(actual[i].call, expected[i].call) << i;
        EXPECT_EQ(actual[i].code, expected[i].code) << i;
        EXPECT_EQ(actual[i].args, expected[i].args) << i;
    }
    auto enables = callsOf(actual, graphDrawCall::enable);
    ASSERT_EQ(enables.size(), 2u);
    EXPECT_EQ(enables[0].code, static_cast<int>(graphCapability::lighting));
}

TEST(graph3DRender, divisionsBeyondTheArraysAreClamped) {
    functionSurface s("z = x", 1000, graphDrawPoints);
    EXPECT_EQ(s.render->getDivisions3D(), 200);
    s.render->setDivisions3D(-5);
    EXPECT_EQ(s.render->getDivisions3D(), 0);
    auto strips = graphRecordingDraw::strips(s.compile());
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_TRUE(strips[0].vertices.empty());
}

}  // namespace
